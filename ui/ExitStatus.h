#pragma once

#include <juce_core/juce_core.h>

/** What the program's exit status tells whoever started it. An interactive
    start always ends with allSent, unless it finds no display; an
    auto-update ends with the one that says what happened.
*/
namespace ExitStatus
{
    enum Code
    {
        allSent = 0,
        notCompleted = 1,
        notStarted = 2,
        anotherInstance = 3
    };

    struct Meaning
    {
        Code code;
        const char* text;   // one line, as --help, the README and the manual page give it
    };

    inline constexpr Meaning meanings[] =
    {
        { allSent,         "every message was sent (closing the window during the final pause counts)" },
        { notCompleted,    "the upload started and did not complete: the device was lost or the window was closed" },
        { notStarted,      "no upload was started: a file that cannot be sent whole, a --log file that cannot be "
                           "written, a device number that names no device, no device, a single-instance lock "
                           "that cannot be taken, no display for an interactive start, or the window closed "
                           "before any upload began" },
        { anotherInstance, "another instance is running (said on standard error)" },
    };

    /** The table for --help: each meaning after its number, wrapped to 80 columns. */
    juce::String describeAll();
}
