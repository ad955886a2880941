#include "Application.h"
#include "InformationCommands.h"

#include <cstdio>

namespace
{
    juce::JUCEApplicationBase* createApplication()   { return new Application(); }
}

int main (int argc, char* argv[])
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    // Information commands answer before the single-instance rule is applied.
    {
        juce::MemoryOutputStream answer;

        if (const auto status = InformationCommands::run (arguments, answer))
        {
            std::fputs (answer.toString().toRawUTF8(), stdout);
            return *status;
        }
    }

    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main (argc, (const char**) argv);
}
