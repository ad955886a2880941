#pragma once

#include "PacingClock.h"
#include "ProtocolBaseClass.h"
#include "device/MidiWireTime.h"
#include "firmware/SysexFraming.h"

/** Sends an image of SysEx messages one by one, 300 ms apart, without waiting
    for any answer, then tells the user to switch the device off and on.

    The whole image is checked before its first message: one that breaks the
    framing anywhere is not sent at all, and the status names the faulty
    byte's offset. A device that is no longer there, whether a send finds it
    gone or the check after the last message does, stops the upload too:
    nothing more is sent and the progress stays.
*/
class BasicSysexProtocolClass  : public ProtocolBaseClass,
                                 public VelmorTime
{
public:
    /** The clock takes the pauses; without one they are real sleeps. It must
        outlive the protocol. */
    BasicSysexProtocolClass (InterfaceBaseClass* interface, FirmwareImage* image,
                             PacingClock* clock = nullptr);

    /** Asks the thread to end and waits for it up to exitWaitMs. */
    ~BasicSysexProtocolClass() override;

    void run() override;
    void startUpdate() override;

private:
    bool setInterfaceEnabled (bool shouldBeEnabled);
    void stopOnFault (SysexFraming::Fault fault, int offset);
    void stopOnLostDevice();

    double progressCopy = 0.0;
    const juce::uint8* cursor = nullptr;
    juce::CriticalSection ProgressValueLock;
    PacingClock& clock;
    const MidiWireTime pace;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasicSysexProtocolClass)
};
