#include "CommandLineOptions.h"

#include <cwctype>
#include <limits>

namespace
{
    const char* const strFileKey       = "--file";
    const char* const strAutoUpdateKey = "--autoupdate";
    const char* const strInputIDKey    = "--inputid ";
    const char* const strOutputIDKey   = "--outputid ";

    bool isAlnum (juce::juce_wchar c)
    {
        return std::iswalnum ((wint_t) c) != 0;
    }

    bool matchesAt (const juce::String& text, int position, const juce::String& key)
    {
        auto t = text.getCharPointer() + position;
        auto k = key.getCharPointer();

        while (! k.isEmpty())
        {
            if (t.isEmpty()
                 || juce::CharacterFunctions::toLowerCase (*t) != juce::CharacterFunctions::toLowerCase (*k))
                return false;

            ++t;
            ++k;
        }

        return true;
    }

    int indexOfIgnoreCase (const juce::String& text, const juce::String& key, int startAt)
    {
        const auto textLength = text.length();
        const auto keyLength = key.length();

        for (int i = startAt; i + keyLength <= textLength; ++i)
            if (matchesAt (text, i, key))
                return i;

        return -1;
    }
}

namespace CommandLineRules
{
    bool containsWholeWordIgnoreCase (const juce::String& text, const juce::String& key)
    {
        if (key.isEmpty())
            return false;

        const auto keyLength = key.length();

        for (int i = indexOfIgnoreCase (text, key, 0); i >= 0; i = indexOfIgnoreCase (text, key, i + 1))
        {
            const bool freeBefore = i == 0 || ! isAlnum (text[i - 1]);
            const bool freeAfter  = i + keyLength >= text.length() || ! isAlnum (text[i + keyLength]);

            if (freeBefore && freeAfter)
                return true;
        }

        return false;
    }

    juce::String fromFirstOccurrenceIgnoreCase (const juce::String& text, const juce::String& key)
    {
        const auto i = indexOfIgnoreCase (text, key, 0);
        return i < 0 ? juce::String() : text.substring (i + key.length());
    }

    int readInteger (const juce::String& text)
    {
        auto p = text.getCharPointer();

        while (! p.isEmpty() && std::iswspace ((wint_t) *p))
            ++p;

        bool negative = false;

        if (*p == '+' || *p == '-')
        {
            negative = (*p == '-');
            ++p;
        }

        // Accumulate towards the sign's own limit so that INT_MIN reads exactly.
        constexpr long long limit = std::numeric_limits<int>::max();
        const long long bound = negative ? limit + 1 : limit;
        long long value = 0;

        for (; *p >= '0' && *p <= '9'; ++p)
        {
            value = juce::jmin (bound, value * 10 + (*p - '0'));
        }

        return (int) (negative ? -value : value);
    }
}

CommandLineOptions CommandLineOptions::read (const juce::String& commandLine)
{
    using namespace CommandLineRules;
    CommandLineOptions options;

    options.fileRequested = containsWholeWordIgnoreCase (commandLine, strFileKey);

    if (options.fileRequested)
        options.strFile = fromFirstOccurrenceIgnoreCase (commandLine, strFileKey).trim();

    options.autoUpdate = containsWholeWordIgnoreCase (commandLine, strAutoUpdateKey);

    if (options.autoUpdate)
    {
        options.nInputid  = juce::jmax (1, readInteger (fromFirstOccurrenceIgnoreCase (commandLine, strInputIDKey)));
        options.nOutputid = juce::jmax (1, readInteger (fromFirstOccurrenceIgnoreCase (commandLine, strOutputIDKey)));
    }

    return options;
}

juce::String CommandLineOptions::joinArguments (const juce::StringArray& arguments)
{
    return arguments.joinIntoString (" ").trim();
}
