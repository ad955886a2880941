#pragma once

#include <juce_core/juce_core.h>

/** Where an upload takes its fixed pauses.

    The program sleeps for real; a test hands in a clock that only notes the
    pause, so that a long image runs through at once.
*/
class PacingClock
{
public:
    virtual ~PacingClock() = default;

    /** Returns after the pause; nothing cuts it short. */
    virtual void sleep (int milliseconds) = 0;

    /** The program's clock: juce::Thread::sleep. */
    static PacingClock& getRealClock()
    {
        struct ThreadSleepClock  : public PacingClock
        {
            void sleep (int milliseconds) override   { juce::Thread::sleep (milliseconds); }
        };

        static ThreadSleepClock clock;
        return clock;
    }
};
