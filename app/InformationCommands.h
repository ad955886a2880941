#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/** The commands that answer on standard output and exit without opening a
    window: --help, --version, --list-devices and --check. They work while
    another instance of the program runs.
*/
namespace InformationCommands
{
    /** Handles the arguments if the first one is an information command and
        returns the exit status; returns nothing for any other command line. */
    std::optional<int> run (const juce::StringArray& arguments, juce::OutputStream& out);

    juce::String usage();
    juce::String version();

    /** Reads an image with the upload's own reader and scan and says what the
        upload would do: all of it, or nothing and why. An empty path means the
        built-in image. Exit status 0 when the whole image would be sent. */
    int check (const juce::String& path, juce::OutputStream& out);

    int listDevices (juce::OutputStream& out);
}
