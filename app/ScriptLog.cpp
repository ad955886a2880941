#include "ScriptLog.h"

#include <cstdio>

namespace ScriptLog
{
    void line (const juce::String& text)
    {
        // One call per line, so lines from different threads never interleave.
        const auto withNewline = text + "\n";
        std::fputs (withNewline.toRawUTF8(), stdout);
        std::fflush (stdout);
        std::clearerr (stdout);
    }
}
