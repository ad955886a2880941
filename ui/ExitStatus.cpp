#include "ExitStatus.h"

namespace ExitStatus
{
    juce::String describeAll()
    {
        constexpr int width = 80;
        const juce::String indent ("     ");
        juce::String text;

        for (const auto& meaning : meanings)
        {
            auto line = "  " + juce::String ((int) meaning.code) + "  ";

            for (const auto& word : juce::StringArray::fromTokens (meaning.text, " ", {}))
            {
                if (line.length() + 1 + word.length() > width && line.trim().length() > 1)
                {
                    text << line.trimEnd() << "\n";
                    line = indent;
                }

                line << word << " ";
            }

            text << line.trimEnd() << "\n";
        }

        return text;
    }
}
