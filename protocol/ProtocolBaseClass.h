#pragma once

#include "ProgressClass.h"
#include "UploadObserver.h"
#include "VelmorTime.h"
#include "device/InterfaceBaseClass.h"
#include "firmware/FirmwareImage.h"

#include <atomic>

/** An update protocol: a worker thread that sends a firmware image through a
    device interface and reports how far it has come.

    The owner keeps the interface and the image alive for as long as the
    protocol; to send another image it makes another protocol.
*/
class ProtocolBaseClass  : public juce::Thread,
                           public ProgressClass
{
public:
    ProtocolBaseClass (InterfaceBaseClass* interface, FirmwareImage* image);
    ~ProtocolBaseClass() override = default;

    /** How long whoever asks the thread to exit waits for it before giving up.
        A send on its way ends early on the request, but the pause before the
        power-cycle hint (5000 ms) is never cut short; this covers it with room. */
    static constexpr int exitWaitMs = 7000;

    void run() override = 0;

    /** Message thread only. Starts an upload when none runs; when one has just
        completed, clears the shown progress; otherwise does nothing. */
    virtual void startUpdate();

    /** True when the last run stopped on an error rather than completing or
        being asked to stop; cleared when the next run starts. */
    bool lastRunFailed() const noexcept     { return runFailed.load(); }

    /** True once every message of the last run has been handed to the device,
        from the start of its closing steps on; cleared when the next run starts. */
    bool lastRunCompleted() const noexcept  { return runCompleted.load(); }

    /** True from the start of a run until it has done its last step, closing
        steps included; listeners hear a change when it turns false. Unlike
        isThreadRunning(), it is already false when that news arrives. */
    bool isUploadUnderway() const noexcept  { return underway.load(); }

    /** How many messages the current (or last) run has handed to the device. */
    int getMessagesSent() const noexcept    { return messagesSent.load(); }

    /** Hears of every message sent from now on; null for nobody. It must stay
        alive for as long as the thread may run. */
    void setUploadObserver (UploadObserver* newObserver) noexcept   { observer.store (newObserver); }

protected:
    void setLastRunFailed (bool failed) noexcept        { runFailed.store (failed); }
    void setLastRunCompleted (bool completed) noexcept  { runCompleted.store (completed); }
    void setUploadUnderway (bool isUnderway) noexcept   { underway.store (isUnderway); }
    void setMessagesSent (int count) noexcept           { messagesSent.store (count); }

    void tellObserver (const UploadObserver::SentMessage& message)
    {
        if (auto* o = observer.load())
            o->messageSent (message);
    }

    InterfaceBaseClass* const interface;
    FirmwareImage* const image;

private:
    std::atomic<bool> runFailed { false }, runCompleted { false }, underway { false };
    std::atomic<int> messagesSent { 0 };
    std::atomic<UploadObserver*> observer { nullptr };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProtocolBaseClass)
};
