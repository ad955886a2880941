#include "ScriptLog.h"

#include <cstdio>

namespace ScriptLog
{
    namespace
    {
        void writeLine (const juce::String& line)
        {
            // One call per line, so lines from different threads never interleave.
            const auto text = line + "\n";
            std::fputs (text.toRawUTF8(), stdout);
            std::fflush (stdout);
        }
    }

    void status (const juce::String& text)   { writeLine ("status: " + text); }
    void progress (int percent)              { writeLine ("progress: " + juce::String (percent) + "%"); }
}
