#pragma once

#include <juce_core/juce_core.h>

/** The time a MIDI output reads and waits on while its bytes cross the wire.

    The program's clock waits for real and gives up early when the calling
    thread is asked to exit; a test hands in one that only counts.
*/
class WireClock
{
public:
    virtual ~WireClock() = default;

    /** A steady count of milliseconds. */
    virtual double getMilliseconds() = 0;

    /** Waits for about the given time, less when the calling thread is asked
        to exit. False when it was asked, before or during the wait. */
    virtual bool waitFor (double milliseconds) = 0;

    /** Waits until the count reaches the deadline, or the calling thread is
        asked to exit. False when it was asked. */
    bool waitUntil (double deadlineMs);

    /** Real time; the wait ends early on an exit request of the juce::Thread
        that waits. */
    static WireClock& getSystemClock();
};
