#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A visible top-level component on the desktop, for drawing that depends on the
    keyboard focus. Children added to it can be given the focus.
*/
class ShownComponent  : public juce::Component
{
public:
    explicit ShownComponent (juce::Rectangle<int> bounds = { 100, 100, 320, 240 });
    ~ShownComponent() override;

    /** Moves the keyboard focus to a component shown on the desktop; true once it has it. */
    static bool giveFocusTo (juce::Component&);

    /** Shows a window and brings it to the front; true once it is the active window. */
    static bool makeActive (juce::TopLevelWindow&);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShownComponent)
};
