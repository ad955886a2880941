#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ContentComp;

/** The program's one top-level window. Its title names the firmware it will
    send; closing it stops a running upload before the program quits. */
class MainWindow  : public juce::DocumentWindow
{
public:
    explicit MainWindow (juce::String commandLine);
    ~MainWindow() override = default;

    void closeButtonPressed() override;

    ContentComp* getContentComp() const noexcept   { return contentComp; }

    /** True once the user (or the window system) asked the window to close. */
    bool wasClosedByUser() const noexcept          { return closedByUser; }

private:
    ContentComp* contentComp = nullptr;   // owned by the window as its content
    bool closedByUser = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
};
