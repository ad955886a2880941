#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The frame every product help window shares.

    A top-level window with the main window's colours and title-bar buttons,
    put on the desktop hidden. Its close button only hides it, so the same
    window comes back each time it is shown and closing it never ends the
    program. Product windows derive from this and bring their own content.
*/
class HelpWindowbaseClass : public juce::DocumentWindow
{
public:
    ~HelpWindowbaseClass() override;

    /** Hides the window; it and its content stay. */
    void closeButtonPressed() override;

protected:
    HelpWindowbaseClass();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HelpWindowbaseClass)
};
