#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The caption above a device selector.

    Attached above its selector, it spans the selector's width and is as tall
    as its font plus 8 pixels: with the default font of 15, a selector at
    y = 20 has its caption at y = -3. JUCE 7's own attachment makes it one
    pixel taller; this keeps the layout the interface was drawn for.
*/
class SelectorLabel  : public juce::Label
{
public:
    using juce::Label::Label;

protected:
    void componentMovedOrResized (juce::Component& selector, bool wasMoved, bool wasResized) override
    {
        if (isAttachedOnLeft())
        {
            juce::Label::componentMovedOrResized (selector, wasMoved, wasResized);
            return;
        }

        const auto height = juce::roundToInt (getLookAndFeel().getLabelFont (*this).getHeight()) + 8;
        setBounds (selector.getX(), selector.getY() - height, selector.getWidth(), height);
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SelectorLabel)
};
