#include "Application.h"
#include "InformationCommands.h"
#include "ProcessEntry.h"

#include <cstdio>

namespace
{
    juce::JUCEApplicationBase* createApplication()   { return new Application(); }
}

int main (int argc, char* argv[])
{
    ProcessEntry::prepareConsole();
    const auto arguments = ProcessEntry::getArguments (argc, argv);

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
    return ProcessEntry::runApplication (argc, argv);
}
