#include "HelpWindowbaseClass.h"

#include "ui/TemplateLookAndFeel.h"

namespace
{
    // The main window's palette, so both frames look alike.
    constexpr juce::uint32 backgroundColour   = 0xffeff2f3;
    constexpr juce::uint32 secondWindowColour = 0xff3273a1;
}

HelpWindowbaseClass::HelpWindowbaseClass()
    : juce::DocumentWindow ("Help",
                            juce::Colour (backgroundColour),
                            juce::DocumentWindow::allButtons,
                            true)
{
    TemplateLookAndFeel::setSecondWindowColour (*this, juce::Colour (secondWindowColour));
}

HelpWindowbaseClass::~HelpWindowbaseClass() = default;

void HelpWindowbaseClass::closeButtonPressed()
{
    setVisible (false);
}
