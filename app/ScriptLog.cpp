#include "ScriptLog.h"

#include "ui/ConsoleLine.h"

namespace ScriptLog
{
    void line (const juce::String& text)
    {
        ConsoleLine::write (stdout, text);
    }
}
