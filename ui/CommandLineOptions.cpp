#include "CommandLineOptions.h"

#include <algorithm>
#include <cwctype>
#include <limits>
#include <vector>

namespace
{
    const char* const strFileKey       = "--file";
    const char* const strAutoUpdateKey = "--autoupdate";
    const char* const strInputIDKey    = "--inputid ";
    const char* const strOutputIDKey   = "--outputid ";
    const char* const strLogKey        = "--log";

    bool isAlnum (juce::juce_wchar c)
    {
        return std::iswalnum ((wint_t) c) != 0;
    }

    /** A string's characters one per element, as typed and folded to lower
        case: indexing a juce::String walks its UTF-8 from the start, which
        made a long command line take seconds. */
    struct Characters
    {
        explicit Characters (const juce::String& text)
        {
            const auto count = (size_t) text.length();
            original.reserve (count + 1);
            folded.reserve (count);

            for (auto p = text.getCharPointer(); ! p.isEmpty();)
            {
                const auto c = p.getAndAdvance();
                original.push_back (c);
                folded.push_back (juce::CharacterFunctions::toLowerCase (c));
            }

            original.push_back (0);   // a terminated copy, for handing a tail back as a juce::String
        }

        size_t size() const noexcept   { return folded.size(); }

        bool matchesAt (size_t position, const Characters& key) const noexcept
        {
            return std::equal (key.folded.begin(), key.folded.end(), folded.begin() + (std::ptrdiff_t) position);
        }

        /** The first case-blind occurrence of key at or after startAt, or npos. */
        size_t find (const Characters& key, size_t startAt) const noexcept
        {
            if (key.size() > size())
                return npos;

            for (auto i = startAt; i + key.size() <= size(); ++i)
                if (matchesAt (i, key))
                    return i;

            return npos;
        }

        juce::String from (size_t position) const
        {
            return juce::String (juce::CharPointer_UTF32 (original.data() + position));
        }

        static constexpr size_t npos = std::numeric_limits<size_t>::max();

        std::vector<juce::juce_wchar> original, folded;
    };

    size_t findWholeWord (const Characters& line, const Characters& word)
    {
        if (word.size() == 0)
            return Characters::npos;

        for (auto i = line.find (word, 0); i != Characters::npos; i = line.find (word, i + 1))
        {
            const auto end = i + word.size();
            const bool freeBefore = i == 0 || ! isAlnum (line.original[i - 1]);
            const bool freeAfter  = end >= line.size() || ! isAlnum (line.original[end]);

            if (freeBefore && freeAfter)
                return i;
        }

        return Characters::npos;
    }

    bool containsWholeWord (const Characters& line, const Characters& word)
    {
        return findWholeWord (line, word) != Characters::npos;
    }

    /** The first few characters of a value, for a reason the user reads. */
    juce::String quoteStartOf (const juce::String& value)
    {
        const auto word = value.trimStart().upToFirstOccurrenceOf (" ", false, false);
        return word.isEmpty() ? juce::String ("nothing")
                              : "\"" + (word.length() > 20 ? word.substring (0, 20) + "..." : word) + "\"";
    }

    /** An unattended flash must go to the device the line names, so a device
        key counts only when its value is plainly a number from 1 up: blanks,
        digits, then a blank or the end. Anything else (=2, 0, -1, abc, 2x, a
        key glued to its digits, the key twice) names no device, and falling
        back to device 1 would send the firmware where nobody asked. */
    juce::String checkDeviceKey (const Characters& line, const char* keyText)
    {
        const Characters key (keyText);
        const auto first = line.find (key, 0);

        if (first == Characters::npos)
            return {};

        if (line.find (key, first + 1) != Characters::npos)
            return juce::String (keyText) + " is given more than once";

        auto i = first + key.size();
        const auto valueStart = i;
        bool blank = false;

        while (i < line.size() && std::iswspace ((wint_t) line.original[i]))
        {
            blank = true;
            ++i;
        }

        long long value = 0;
        size_t digits = 0;

        for (; i < line.size() && line.original[i] >= '0' && line.original[i] <= '9'; ++i, ++digits)
            value = juce::jmin (value * 10 + (line.original[i] - '0'), (long long) std::numeric_limits<int>::max() + 1);

        const bool endsThere = i >= line.size() || std::iswspace ((wint_t) line.original[i]);

        if (blank && digits > 0 && endsThere && value >= 1 && value <= std::numeric_limits<int>::max())
            return {};

        return juce::String (keyText) + " needs a device number from 1 up, not "
                 + quoteStartOf (line.from (valueStart));
    }

    juce::String fromFirstOccurrence (const Characters& line, const Characters& word)
    {
        const auto i = line.find (word, 0);
        return i == Characters::npos ? juce::String() : line.from (i + word.size());
    }

    juce::String valueUpToNextOption (const Characters& line, const Characters& key)
    {
        const auto at = findWholeWord (line, key);

        if (at == Characters::npos)
            return {};

        const auto start = at + key.size();
        auto end = start;

        for (; end < line.size(); ++end)
            if (std::iswspace ((wint_t) line.original[end]) && end + 2 < line.size()
                 && line.original[end + 1] == '-' && line.original[end + 2] == '-')
                break;

        return juce::String (juce::CharPointer_UTF32 (line.original.data() + start),
                             juce::CharPointer_UTF32 (line.original.data() + end)).trim();
    }
}

namespace CommandLineRules
{
    bool containsWholeWordIgnoreCase (const juce::String& text, const juce::String& key)
    {
        return containsWholeWord (Characters (text), Characters (key));
    }

    int findWholeWordIgnoreCase (const juce::String& text, const juce::String& key)
    {
        const auto i = findWholeWord (Characters (text), Characters (key));
        return i == Characters::npos ? -1 : (int) i;
    }

    juce::String fromFirstOccurrenceIgnoreCase (const juce::String& text, const juce::String& key)
    {
        return fromFirstOccurrence (Characters (text), Characters (key));
    }

    juce::String valueUpToNextOption (const juce::String& text, const juce::String& key)
    {
        return ::valueUpToNextOption (Characters (text), Characters (key));
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
    using CommandLineRules::readInteger;
    CommandLineOptions options;

    // Converted once: every rule below then looks at characters by position.
    const Characters line (commandLine);
    const Characters fileKey (strFileKey), autoUpdateKey (strAutoUpdateKey),
                     inputIdKey (strInputIDKey), outputIdKey (strOutputIDKey);

    options.fileRequested = containsWholeWord (line, fileKey);

    if (options.fileRequested)
        options.strFile = fromFirstOccurrence (line, fileKey).trim();

    options.autoUpdate = containsWholeWord (line, autoUpdateKey);

    const Characters logKey (strLogKey);
    options.logRequested = containsWholeWord (line, logKey);

    if (options.logRequested)
        options.strLog = valueUpToNextOption (line, logKey);

    if (options.autoUpdate)
    {
        options.nInputid  = juce::jmax (1, readInteger (fromFirstOccurrence (line, inputIdKey)));
        options.nOutputid = juce::jmax (1, readInteger (fromFirstOccurrence (line, outputIdKey)));

        for (const auto* key : { "--inputid", "--outputid" })
            if (options.deviceNumberProblem.isEmpty())
                options.deviceNumberProblem = checkDeviceKey (line, key);
    }

    return options;
}

juce::String CommandLineOptions::joinArguments (const juce::StringArray& arguments)
{
    return arguments.joinIntoString (" ").trim();
}
