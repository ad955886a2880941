// How long reading the options of a long command line takes: it happens
// before the window opens, so it must stay linear in the line's length.
//
//   bench_command_line [KB]    lines of about KB kilobytes (default 100)

#include "ui/CommandLineOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
    juce::String repeatUntil (const juce::String& piece, int numChars)
    {
        juce::String text;
        text.preallocateBytes ((size_t) numChars * 4 + 16);

        while (text.length() < numChars)
            text << piece;

        return text;
    }

    /** The best of a few runs in milliseconds: the others only add the machine's noise. */
    double timeRead (const juce::String& line, CommandLineOptions& options)
    {
        std::vector<double> runs;

        for (int i = 0; i < 5; ++i)
        {
            const auto start = juce::Time::getMillisecondCounterHiRes();
            options = CommandLineOptions::read (line);
            runs.push_back (juce::Time::getMillisecondCounterHiRes() - start);
        }

        return *std::min_element (runs.begin(), runs.end());
    }
}

int main (int argc, char* argv[])
{
    const auto kilobytes = argc > 1 ? std::max (1, std::atoi (argv[1])) : 100;
    const auto numChars = kilobytes * 1000;

    struct Line { const char* what; juce::String text; };

    const Line lines[] =
    {
        { "a long path after the options",
          "--autoupdate --outputid 2 --file /" + repeatUntil ("firmware/", numChars) },
        { "a long path of non-ASCII letters",
          "--autoupdate --outputid 2 --file /" + repeatUntil (juce::String::fromUTF8 ("\xc3\xa9t\xc3\xa9/"), numChars) },
        { "near misses of every key",
          repeatUntil ("--filex --autoupdates --inputid2 --outputidx ", numChars) + " --file /a.syx" },
    };

    int failures = 0;

    for (const auto& line : lines)
    {
        CommandLineOptions options;
        const auto ms = timeRead (line.text, options);
        const bool fast = ms < 100.0;
        failures += fast ? 0 : 1;

        std::printf ("%-34s %7d chars  %8.2f ms  (target < 100 ms)%s\n",
                     line.what, line.text.length(), ms, fast ? "" : "  TOO SLOW");

        if (! options.fileRequested)
            ++failures, std::printf ("  --file was not found\n");
    }

    return failures == 0 ? 0 : 1;
}
