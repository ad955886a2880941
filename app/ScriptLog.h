#pragma once

#include <juce_core/juce_core.h>

/** What an unattended run tells the script that started it, one line per
    event on standard output, flushed at once so that a log shows it live. */
namespace ScriptLog
{
    void status (const juce::String& text);        // "status: <text>"
    void progress (int percent);                   // "progress: <n>%"
}
