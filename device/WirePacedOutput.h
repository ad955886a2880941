#pragma once

#include "MidiDeviceLayer.h"
#include "WireClock.h"

/** An output whose send lasts at least as long as its bytes take on a MIDI
    1.0 wire (MidiWireTime), for platforms whose driver takes a message long before it has
    left (ALSA's sequencer queues it and returns). A pause that the caller
    takes after the send then follows the last byte, even on a wire that runs
    somewhat late (MidiWireTime::pacedTransferMs).

    Before each send it asks whether the system still lists the device; a
    device that has gone gets nothing.
*/
class WirePacedOutput  : public MidiDeviceLayer::Output
{
public:
    /** One open device as the platform offers it. */
    class Port
    {
    public:
        virtual ~Port() = default;

        /** True while the system still lists the device. */
        virtual bool isListed() = 0;

        /** Hands the message to the driver, perhaps before it has left; false
            when the platform reports an error. */
        virtual bool send (const juce::MidiMessage& message) = 0;
    };

    /** Where a message's time on the wire is counted from. */
    enum class WireStart
    {
        /** The driver passes bytes on while the send lasts (one that blocks). */
        whenSendBegins,

        /** The driver takes the message whole as the send ends (ALSA's
            sequencer delivers it inside the call): no cable can carry a byte
            before then, however long the call took to get there. */
        whenSendReturns
    };

    WirePacedOutput (std::unique_ptr<Port> port, WireClock& clock, WireStart wireStart);

    /** Returns no earlier than the message's paced transfer time after its
        wire start, unless the calling thread is asked to exit meanwhile: the bytes
        are with the driver by then, and waiting on serves nobody. */
    bool sendMessageNow (const juce::MidiMessage& message) override;

    bool isConnected() override;

private:
    std::unique_ptr<Port> port;
    WireClock& clock;
    const WireStart wireStart;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WirePacedOutput)
};
