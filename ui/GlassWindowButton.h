#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A round glass button for a window's title bar: a grey bezel, a tinted sphere and
    a dark symbol, more opaque while the pointer is over it. Clicks, tooltips and keys
    are the plain Button's.
*/
class GlassWindowButton  : public juce::Button
{
public:
    GlassWindowButton (const juce::String& name,
                       const juce::Colour& colour,
                       const juce::Path& normalShape,
                       const juce::Path& toggledShape);

    ~GlassWindowButton() override;

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

private:
    const juce::Colour colour;
    const juce::Path normalShape;
    const juce::Path toggledShape;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GlassWindowButton)
};
