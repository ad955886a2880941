#include "Application.h"

#include "CommandLineOptions.h"
#include "ui/ContentComp.h"

void Application::initialise (const juce::String&)
{
    // JUCE puts quotes around an argument that holds a blank, and quotes are part
    // of the path: a shell-quoted "--file my update.syx" would never be found.
    mainWindow = std::make_unique<MainWindow> (CommandLineOptions::joinArguments (getCommandLineParameterArray()));
    mainWindow->centreWithSize (650, 400);
    mainWindow->setVisible (true);
    mainWindow->setResizeLimits (650, 400, 650, 400);
    repaintPump = WineRepaintPump::createIfNeeded();
}

void Application::shutdown()
{
    // An unattended update that did not happen must not report success to its script.
    if (gAutoUpdate && mainWindow != nullptr)
    {
        const auto* content = mainWindow->getContentComp();
        const bool succeeded = content != nullptr && content->hasCompletedUpload() && ! mainWindow->wasClosedByUser();
        setApplicationReturnValue (succeeded ? 0 : 1);
    }

    repaintPump = nullptr;
    mainWindow = nullptr;
}
