#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "MainWindow.h"
#include "WineRepaintPump.h"

class Application  : public juce::JUCEApplication
{
public:
    Application() = default;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;

    const juce::String getApplicationName() override       { return "Brevane by Velmor"; }
    const juce::String getApplicationVersion() override    { return "1.0"; }
    bool moreThanOneInstanceAllowed() override             { return false; }
    void anotherInstanceStarted (const juce::String&) override {}

private:
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<WineRepaintPump> repaintPump;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Application)
};
