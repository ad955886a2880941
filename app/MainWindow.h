#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ContentComp;

/** The program's one top-level window. Its title names the firmware it will
    send; closing it stops a running upload before the program quits. */
class MainWindow  : public juce::DocumentWindow
{
public:
    explicit MainWindow (juce::String commandLine);
    ~MainWindow() override;

    void closeButtonPressed() override;

    ContentComp* getContentComp() const noexcept   { return contentComp; }

private:
    ContentComp* contentComp = nullptr;   // owned by the window as its content

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
};
