#pragma once

#include <juce_core/juce_core.h>

#include <cstdio>

/** One line for a console or a script: whatever a name or a reason holds,
    it stays one line, so nobody can write a line of their own into what a
    script reads (a file named "x\nstatus: Update completed" must not).
*/
namespace ConsoleLine
{
    /** The text with every control character written out: \n, \r, \t, \xNN
        for other C0 and C1 controls and DEL, \u2028 and \u2029 for the
        Unicode line breaks. Everything else stays as it is. */
    juce::String escape (const juce::String& text);

    /** The escaped text and a line break, in one call and flushed at once, so
        lines from different threads never interleave and a log shows them
        live. A closed stream loses the line, nothing more. */
    void write (std::FILE* stream, const juce::String& text);
}
