#include "Application.h"
#include "DisplayProbe.h"
#include "InformationCommands.h"
#include "InstanceLock.h"
#include "ProcessEntry.h"
#include "ui/Alerts.h"
#include "ui/CommandLineOptions.h"
#include "ui/ConsoleLine.h"
#include "ui/ExitStatus.h"

#include <csignal>
#include <cstdlib>
#include <cstdio>

namespace
{
    bool runWithoutDisplay = false;

    juce::JUCEApplicationBase* createApplication()   { return new Application (runWithoutDisplay); }

    void writeError (const juce::String& line)
    {
        ConsoleLine::write (stderr, line);
    }
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

   #if ! JUCE_WINDOWS
    // An upload never dies because nobody reads its progress: a line to a closed output is lost, nothing more.
    std::signal (SIGPIPE, SIG_IGN);
   #endif

    const auto autoUpdate = CommandLineOptions::read (CommandLineOptions::joinArguments (arguments)).autoUpdate;

   #if ! JUCE_WINDOWS
    // A closed terminal or SSH session must not stop a firmware upload half way.
    if (autoUpdate)
        std::signal (SIGHUP, SIG_IGN);
   #endif

    const InstanceLock instanceLock;

    switch (instanceLock.getState())
    {
        case InstanceLock::State::held:
            break;

        case InstanceLock::State::heldByAnother:
            if (! autoUpdate)
                return 0;

            writeError ("brevane: another instance is running; nothing was sent");
            return ExitStatus::anotherInstance;

        case InstanceLock::State::unavailable:
            // Without the lock nothing keeps a second upload off the same device.
            writeError ("brevane: " + instanceLock.getProblem() + "; nothing was sent");
            return ExitStatus::notStarted;
    }

    const auto display = DisplayProbe::probe (2000);

    if (! display.available)
    {
        if (! autoUpdate)
        {
            writeError ("brevane: no display (" + display.problem + "); the window cannot open. "
                        "Run it under a virtual display with `xvfb-run -a brevane ...`, "
                        "or update without a window with `brevane --autoupdate --outputid N [--file PATH]`.");
            return ExitStatus::notStarted;
        }

        runWithoutDisplay = true;
        Alerts::sendToStandardError();

       #if JUCE_LINUX || JUCE_BSD
        // JUCE opens the display as soon as any control exists, falling back to
        // ":0.0" (somebody else's desktop) and waiting forever on a server that
        // does not answer. A local socket that cannot exist fails at once instead.
        ::setenv ("DISPLAY", "unix:2147483647", 1);
       #endif
    }

    juce::JUCEApplicationBase::createInstance = &createApplication;
    return ProcessEntry::runApplication (argc, argv);
}
