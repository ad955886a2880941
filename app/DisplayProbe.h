#pragma once

#include <juce_core/juce_core.h>

/** Whether a window could be shown: found by trying to open the display, not
    by guessing. An unset DISPLAY counts as none (JUCE would fall back to ":0.0",
    somebody else's desktop over SSH), and so does a server that does not
    answer within the time given.
*/
namespace DisplayProbe
{
    struct Result
    {
        bool available = false;
        juce::String problem;   // why not, in a few words
    };

    Result probe (int timeoutMs = 2000);
}
