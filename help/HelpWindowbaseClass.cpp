#include "HelpWindowbaseClass.h"

#include "ui/TemplateLookAndFeel.h"

HelpWindowbaseClass::HelpWindowbaseClass()
    : juce::DocumentWindow ("Help",
                            juce::Colour (Palette::windowBackground),   // framed like the main window
                            juce::DocumentWindow::allButtons,
                            true)
{
    TemplateLookAndFeel::setSecondWindowColour (*this, juce::Colour (Palette::secondWindow));
}

HelpWindowbaseClass::~HelpWindowbaseClass() = default;

void HelpWindowbaseClass::closeButtonPressed()
{
    setVisible (false);
}
