#include "Application.h"

#include "SupportRecord.h"
#include "ui/Alerts.h"
#include "ui/CommandLineOptions.h"
#include "ui/ContentComp.h"
#include "ui/ExitStatus.h"
#include "ui/UploadSession.h"

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

    // Without a display the same session runs with nobody at the screen: what a
    // box would say goes to standard error, and nobody is asked to pick a device.
    if (withoutDisplay)
    {
        sessionWithoutWindow = std::make_unique<UploadSession> (commandLine, UploadSession::Audience::nobody,
                                                                requestQuit);
        follow (*sessionWithoutWindow);
        sessionWithoutWindow->startUnattended();
        return;
    }

    mainWindow = std::make_unique<MainWindow> (commandLine);
    auto& session = mainWindow->getContentComp()->getSession();
    follow (session);

    // A refused auto-update has said why and only quits.
    if (session.getRefusal().isNotEmpty())
        return;

    mainWindow->centreWithSize (650, 400);
    mainWindow->setVisible (true);
    mainWindow->setResizeLimits (650, 400, 650, 400);

    repaintPump = WineRepaintPump::createIfNeeded();
}

void Application::follow (UploadSession& session)
{
    if (supportRecord != nullptr)
        supportRecord->follow (&session.getProtocol(), &session.getFirmwareImage(), &session.getDeviceInterface());
}

void Application::shutdown()
{
    if (sessionWithoutWindow != nullptr)
        setApplicationReturnValue (sessionWithoutWindow->getExitStatus());
    else if (mainWindow != nullptr)
        setApplicationReturnValue (mainWindow->getContentComp()->getSession().getExitStatus());

    if (supportRecord != nullptr)
        supportRecord->stopFollowing();

    repaintPump = nullptr;
    sessionWithoutWindow = nullptr;
    mainWindow = nullptr;

    if (supportRecord != nullptr)
        supportRecord->finish (getApplicationReturnValue());

    supportRecord = nullptr;
}
