#include "ConsoleLine.h"

namespace ConsoleLine
{
    juce::String escape (const juce::String& text)
    {
        juce::String out;
        out.preallocateBytes (text.getNumBytesAsUTF8());

        for (auto p = text.getCharPointer(); ! p.isEmpty();)
        {
            const auto c = p.getAndAdvance();

            switch (c)
            {
                case '\n':   out << "\\n"; continue;
                case '\r':   out << "\\r"; continue;
                case '\t':   out << "\\t"; continue;
                case 0x2028: out << "\\u2028"; continue;
                case 0x2029: out << "\\u2029"; continue;
                default:     break;
            }

            if (c < 0x20 || (c >= 0x7f && c < 0xa0))
                out << "\\x" << juce::String::toHexString ((int) c).paddedLeft ('0', 2);
            else
                out << juce::String::charToString (c);
        }

        return out;
    }

    void write (std::FILE* stream, const juce::String& text)
    {
        const auto line = escape (text) + "\n";
        std::fputs (line.toRawUTF8(), stream);
        std::fflush (stream);
        std::clearerr (stream);
    }
}
