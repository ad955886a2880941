#include "ProcessEntry.h"

#if JUCE_WINDOWS
 #include "WindowsConsole.h"
#endif

namespace ProcessEntry
{
   #if JUCE_WINDOWS
    void prepareConsole()
    {
        WindowsConsole::attachToParent();
    }

    // argv is in the ANSI code page, which cannot hold every path; JUCE reads
    // the UTF-16 command line instead and builds its window-program entry.
    juce::StringArray getArguments (int, char*[])
    {
        return juce::JUCEApplicationBase::getCommandLineParameterArray();
    }

    int runApplication (int, char*[])
    {
        return juce::JUCEApplicationBase::main();
    }
   #else
    void prepareConsole() {}

    juce::StringArray getArguments (int argc, char* argv[])
    {
        juce::StringArray arguments;

        for (int i = 1; i < argc; ++i)
            arguments.add (juce::String::fromUTF8 (argv[i]));

        return arguments;
    }

    int runApplication (int argc, char* argv[])
    {
        return juce::JUCEApplicationBase::main (argc, (const char**) argv);
    }
   #endif
}
