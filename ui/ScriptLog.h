#pragma once

#include <juce_core/juce_core.h>

/** What an unattended run tells the script that started it, one line per
    event on standard output, flushed at once so that a log shows it live,
    with whatever names it carries escaped so that it stays one line.

    A closed output (a reader that went away) loses the line, nothing more.
*/
namespace ScriptLog
{
    void line (const juce::String& text);
}
