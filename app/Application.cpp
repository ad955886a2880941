#include "Application.h"

#include "HeadlessUpdate.h"
#include "UnattendedRun.h"
#include "ui/CommandLineOptions.h"
#include "ui/ContentComp.h"

#include <csignal>

namespace
{
    void requestQuit()
    {
        if (auto* application = juce::JUCEApplication::getInstance())
            application->systemRequestedQuit();
    }
}

Application::Application (bool noDisplay)  : withoutDisplay (noDisplay) {}
Application::~Application() = default;

void Application::initialise (const juce::String&)
{
    // JUCE turns Ctrl-C into a quit request; a script expects the system's default.
    std::signal (SIGINT, SIG_DFL);

    // JUCE puts quotes around an argument that holds a blank, and quotes are part
    // of the path: a shell-quoted "--file my update.syx" would never be found.
    const auto commandLine = CommandLineOptions::joinArguments (getCommandLineParameterArray());

    if (withoutDisplay)
    {
        headlessUpdate = std::make_unique<HeadlessUpdate> (commandLine, requestQuit);
        return;
    }

    mainWindow = std::make_unique<MainWindow> (commandLine);
    auto* content = mainWindow->getContentComp();

    if (gAutoUpdate)
        unattendedRun = std::make_unique<UnattendedRun> (*content->getProtocol(), *content->getFirmwareImage(),
                                                         requestQuit);

    if (content->getUnattendedRefusal().isNotEmpty())
    {
        // Nothing started, so the run's exit status says so (2).
        juce::MessageManager::callAsync (requestQuit);
        return;
    }

    mainWindow->centreWithSize (650, 400);
    mainWindow->setVisible (true);
    mainWindow->setResizeLimits (650, 400, 650, 400);

    repaintPump = WineRepaintPump::createIfNeeded();
}

void Application::shutdown()
{
    if (headlessUpdate != nullptr)
        setApplicationReturnValue (headlessUpdate->getExitStatus());

    if (unattendedRun != nullptr)
        setApplicationReturnValue (unattendedRun->getExitStatus());

    repaintPump = nullptr;
    unattendedRun = nullptr;
    headlessUpdate = nullptr;
    mainWindow = nullptr;
}
