#pragma once

#include <juce_events/juce_events.h>

// What differs between the platforms at the very start of the process: where
// the arguments come from, the console and how the application is started.
namespace ProcessEntry
{
    // Called first thing in main(): on Windows the program is a window program,
    // so it joins the console it was started from itself.
    void prepareConsole();

    // The arguments without the program's own path, every character kept.
    juce::StringArray getArguments (int argc, char* argv[]);

    // Runs the application that JUCEApplicationBase::createInstance makes.
    int runApplication (int argc, char* argv[]);
}
