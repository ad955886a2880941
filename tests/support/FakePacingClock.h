#pragma once

#include "EventLog.h"
#include "protocol/PacingClock.h"

#include <mutex>
#include <vector>

/** Notes each pause and returns at once, except one chosen pause, which
    waits until the test lets it go, so a test can act while the upload is
    inside it. */
class FakePacingClock  : public PacingClock
{
public:
    explicit FakePacingClock (EventLog* logToUse = nullptr)  : log (logToUse) {}

    void sleep (int milliseconds) override
    {
        bool hold = false;

        {
            const std::lock_guard<std::mutex> lock (mutex);
            sleeps.push_back (milliseconds);

            if (log != nullptr)
                log->add ("sleep " + juce::String (milliseconds));

            if (milliseconds == heldLength && ++seenOfHeldLength == heldOccurrence && ! releasedForGood)
                hold = holding = true;
        }

        if (! hold)
            return;

        released.wait();

        const std::lock_guard<std::mutex> lock (mutex);
        holding = false;
    }

    /** The occurrence-th pause of this length (counted from 1) waits for release(). */
    void holdAt (int milliseconds, int occurrence = 1)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        heldLength = milliseconds;
        heldOccurrence = occurrence;
        seenOfHeldLength = 0;
    }

    bool isHolding() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return holding;
    }

    void release()                                          { released.signal(); }

    /** Lets a held pause go and holds no other. */
    void releaseForGood()
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            releasedForGood = true;
        }

        released.signal();
    }

    std::vector<int> getSleeps() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return sleeps;
    }

private:
    EventLog* const log;
    mutable std::mutex mutex;
    std::vector<int> sleeps;
    int heldLength = -1, heldOccurrence = 0, seenOfHeldLength = 0;
    bool holding = false, releasedForGood = false;
    juce::WaitableEvent released;
};
