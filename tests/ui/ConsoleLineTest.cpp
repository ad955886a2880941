#include <gtest/gtest.h>

#include "ui/ConsoleLine.h"

namespace
{
    struct EscapeCase
    {
        const char* text;
        const char* line;
    };

    TEST (ConsoleLine, NoControlCharacterSurvivesAsItIs)
    {
        const EscapeCase cases[] =
        {
            { "plain name.syx",                          "plain name.syx" },
            { "x\nstatus: Update completed",             "x\\nstatus: Update completed" },
            { "cr\rlf\ntab\t",                           "cr\\rlf\\ntab\\t" },
            { "bell\x07 esc\x1b[2J del\x7f",             "bell\\x07 esc\\x1b[2J del\\x7f" },
            { "c1 \xc2\x85 \xc2\x9b",                    "c1 \\x85 \\x9b" },
            { "ls \xe2\x80\xa8 ps \xe2\x80\xa9",         "ls \\u2028 ps \\u2029" },
            { "Ger\xc3\xa4t \xe6\x97\xa5 C:\\path",      "Ger\xc3\xa4t \xe6\x97\xa5 C:\\path" },
        };

        for (const auto& c : cases)
        {
            const auto escaped = ConsoleLine::escape (juce::String::fromUTF8 (c.text));
            EXPECT_EQ (escaped, juce::String::fromUTF8 (c.line)) << c.line;

            for (auto p = escaped.getCharPointer(); ! p.isEmpty();)
            {
                const auto ch = p.getAndAdvance();
                EXPECT_FALSE (ch < 0x20 || (ch >= 0x7f && ch < 0xa0) || ch == 0x2028 || ch == 0x2029) << c.line;
            }
        }
    }
}
