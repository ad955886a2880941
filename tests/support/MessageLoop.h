#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace MessageLoop
{
    /** Delivers pending messages for about this long. Message thread only. */
    void runFor (int milliseconds);

    /** Runs the loop until condition holds or the time is up; returns the condition. */
    bool runUntil (const std::function<bool()>& condition, int timeoutMilliseconds = 5000);
}
