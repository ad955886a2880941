#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "MainWindow.h"
#include "WineRepaintPump.h"

class SupportRecord;
class UploadSession;

class Application  : public juce::JUCEApplication
{
public:
    /** Without a display only an auto-update runs, and no window is made. */
    explicit Application (bool withoutDisplay = false);
    ~Application() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;

    const juce::String getApplicationName() override       { return "Brevane by Velmor"; }
    const juce::String getApplicationVersion() override    { return JUCE_APPLICATION_VERSION_STRING; }

    // JUCE's lock is shared by every user of the machine; main() takes a per-user one instead.
    bool moreThanOneInstanceAllowed() override             { return true; }
    void anotherInstanceStarted (const juce::String&) override {}

private:
    void follow (UploadSession& session);

    const bool withoutDisplay;
    std::unique_ptr<SupportRecord> supportRecord;    // outlives the upload it notes
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<UploadSession> sessionWithoutWindow;
    std::unique_ptr<WineRepaintPump> repaintPump;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Application)
};
