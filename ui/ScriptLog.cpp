#include "ScriptLog.h"

#include "ConsoleLine.h"

namespace ScriptLog
{
    void line (const juce::String& text)
    {
        ConsoleLine::write (stdout, text);
    }
}
