// Feeds arbitrary command lines to the option reader: it must not crash, must
// read nothing outside the string, and must give values within their ranges.

#include "ui/CommandLineOptions.h"

#include <cstdlib>

namespace
{
    // Most inputs are spelled from the characters the rules care about, so the
    // fuzzer reaches the keys quickly; the rest are arbitrary code points.
    const juce::juce_wchar alphabet[] =
    {
        '-', '-', 'f', 'i', 'l', 'e', 'a', 'u', 't', 'o', 'p', 'd', 'n', 'r', 'F', 'I', 'L', 'E', 'O', 'U',
        ' ', ' ', '\t', '\n', '+', '0', '1', '2', '9', '"', '/', '.', '_', 0xe9, 0x212a, 0x3000, 0x660
    };

    juce::String makeLine (const uint8_t* data, size_t size)
    {
        juce::String line;

        if (size == 0)
            return line;

        if ((data[0] & 1) == 0)
        {
            for (size_t i = 1; i < size; ++i)
                line += juce::String::charToString (alphabet[data[i] % (sizeof (alphabet) / sizeof (alphabet[0]))]);

            return line;
        }

        for (size_t i = 1; i + 2 < size; i += 3)
        {
            auto c = (juce::juce_wchar) ((data[i] << 16 | data[i + 1] << 8 | data[i + 2]) % 0x110000);

            if (c == 0 || (c >= 0xd800 && c <= 0xdfff))
                c = ' ';

            line += juce::String::charToString (c);
        }

        return line;
    }

    void check (bool condition)
    {
        if (! condition)
            std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto line = makeLine (data, size);
    const auto options = CommandLineOptions::read (line);

    check (options.nInputid >= 1 && options.nOutputid >= 1);
    check (options.autoUpdate || (options.nInputid == 1 && options.nOutputid == 1));
    check (options.fileRequested || options.strFile.isEmpty());
    check (options.strFile == options.strFile.trim());
    check (line.trimEnd().endsWith (options.strFile));   // the path is the rest of the line

    return 0;
}
