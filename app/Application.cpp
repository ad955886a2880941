#include "Application.h"

#include "ExitStatus.h"
#include "HeadlessUpdate.h"
#include "SupportRecord.h"
#include "UnattendedRun.h"
#include "ui/Alerts.h"
#include "ui/CommandLineOptions.h"
#include "ui/ConsoleLine.h"
#include "ui/ContentComp.h"

#include <csignal>
#include <cstdio>

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

    // The record is open before anything can be sent, or nothing is.
    if (const auto options = CommandLineOptions::read (commandLine); options.logRequested)
    {
        juce::String problem;
        supportRecord = SupportRecord::open (options.strLog, commandLine, problem);

        if (supportRecord == nullptr)
        {
            Alerts::show (juce::MessageBoxIconType::WarningIcon, "--log cannot be used", problem + ". Nothing was sent.");
            setApplicationReturnValue (ExitStatus::notStarted);
            juce::MessageManager::callAsync (requestQuit);
            return;
        }
    }

    if (withoutDisplay)
    {
        headlessUpdate = std::make_unique<HeadlessUpdate> (commandLine, requestQuit, [this] (const juce::String& reason)
        {
            ConsoleLine::write (stderr, reason);

            if (supportRecord != nullptr)
                supportRecord->noteSaid (reason);
        });

        if (supportRecord != nullptr)
            supportRecord->follow (headlessUpdate->getProtocol(), headlessUpdate->getFirmwareImage(),
                                   headlessUpdate->getDeviceInterface());
        return;
    }

    mainWindow = std::make_unique<MainWindow> (commandLine);
    auto* content = mainWindow->getContentComp();

    if (gAutoUpdate)
        unattendedRun = std::make_unique<UnattendedRun> (*content->getProtocol(), *content->getFirmwareImage(),
                                                         requestQuit);

    if (supportRecord != nullptr)
        supportRecord->follow (content->getProtocol(), content->getFirmwareImage(), content->getDeviceInterface());

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

    if (supportRecord != nullptr)
        supportRecord->stopFollowing();

    repaintPump = nullptr;
    unattendedRun = nullptr;
    headlessUpdate = nullptr;
    mainWindow = nullptr;

    if (supportRecord != nullptr)
        supportRecord->finish (getApplicationReturnValue());

    supportRecord = nullptr;
}
