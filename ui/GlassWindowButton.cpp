#include "GlassWindowButton.h"

GlassWindowButton::GlassWindowButton (const juce::String& name,
                                      const juce::Colour& colourToUse,
                                      const juce::Path& normal,
                                      const juce::Path& toggled)
    : juce::Button (name),
      colour (colourToUse),
      normalShape (normal),
      toggledShape (toggled)
{
}

GlassWindowButton::~GlassWindowButton() = default;

void GlassWindowButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    auto alpha = isMouseOverButton ? (isButtonDown ? 1.0f : 0.8f) : 0.55f;

    if (! isEnabled())
        alpha *= 0.5f;

    // The largest circle that fits, centred along the longer side.
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    float x = 0.0f, y = 0.0f, diam;

    if (w < h)
    {
        diam = w;
        y = (h - w) * 0.5f;
    }
    else
    {
        diam = h;
        x = (w - h) * 0.5f;
    }

    x += diam * 0.05f;
    y += diam * 0.05f;
    diam *= 0.9f;

    // Light at the bottom, darker at the top.
    g.setGradientFill (juce::ColourGradient (juce::Colour::greyLevel (0.9f).withAlpha (alpha), 0.0f, y + diam,
                                             juce::Colour::greyLevel (0.6f).withAlpha (alpha), 0.0f, y,
                                             false));
    g.fillEllipse (x, y, diam, diam);

    x += 2.0f;
    y += 2.0f;
    diam -= 4.0f;

    juce::LookAndFeel_V2::drawGlassSphere (g, x, y, diam, colour.withAlpha (alpha), 1.0f);

    const auto& shape = getToggleState() ? toggledShape : normalShape;

    g.setColour (juce::Colours::black.withAlpha (alpha * 0.6f));
    g.fillPath (shape, shape.getTransformToScaleToFit (x + diam * 0.3f, y + diam * 0.3f,
                                                       diam * 0.4f, diam * 0.4f,
                                                       true, juce::Justification::centred));
}
