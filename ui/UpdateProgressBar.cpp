#include "UpdateProgressBar.h"

UpdateProgressBar::UpdateProgressBar (double& valueToShow)
    : juce::ProgressBar (valueToShow),
      value (valueToShow),
      shownValue (valueToShow)
{
}

void UpdateProgressBar::valueChanged()
{
    if (value == shownValue)
        return;

    repaint();

    if (auto* handler = getAccessibilityHandler())
        handler->notifyAccessibilityEvent (juce::AccessibilityEvent::valueChanged);
}

void UpdateProgressBar::paint (juce::Graphics& g)
{
    // Any repaint shows the value as it is now, whoever asked for it.
    shownValue = value;

    // The text JUCE's bar shows: the percentage, none for a value outside 0..1.
    juce::String text;

    if (shownValue >= 0.0 && shownValue <= 1.0)
        text << juce::roundToInt (shownValue * 100.0) << '%';

    getLookAndFeel().drawProgressBar (g, *this, getWidth(), getHeight(), shownValue, text);
}

void UpdateProgressBar::visibilityChanged()
{
    // Deliberately empty: the base starts its polling timer here.
}
