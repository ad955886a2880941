#include "TemplateLookAndFeel.h"

#include "GlassDrawing.h"
#include "GlassWindowButton.h"

using juce::Colour;
namespace Colours = juce::Colours;

TemplateLookAndFeel::TemplateLookAndFeel()
{
    const auto translucentGrey = Colours::grey.withAlpha (0.7f);

    // Accent of tick boxes and of slider thumbs and bars.
    setColour (juce::Slider::thumbColourId, translucentGrey);
    setColour (juce::ComboBox::buttonColourId, Colours::white);

    // A combo box's list is a popup menu, so its highlighted row takes the menu's
    // highlight colours, which the menu settings below give the same values.
    setColour (juce::PopupMenu::highlightedBackgroundColourId, translucentGrey);
    setColour (juce::PopupMenu::highlightedTextColourId, findColour (juce::PopupMenu::backgroundColourId));

    setColour (juce::ComboBox::outlineColourId, translucentGrey);
    setColour (juce::ScrollBar::backgroundColourId, Colours::transparentBlack);
    setColour (juce::ScrollBar::thumbColourId, Colours::white);
    setColour (juce::Slider::backgroundColourId, Colours::white);
    setColour (juce::Slider::textBoxOutlineColourId, findColour (juce::ComboBox::outlineColourId));
    setColour (juce::ProgressBar::backgroundColourId, Colours::white);
    setColour (juce::ProgressBar::foregroundColourId, Colours::lightgrey);
    setColour (juce::TooltipWindow::backgroundColourId, Colours::white);
    setColour (juce::BubbleComponent::backgroundColourId, Colours::white);
    setColour (juce::PopupMenu::backgroundColourId, Colours::white);
    setColour (juce::PopupMenu::highlightedTextColourId, findColour (juce::PopupMenu::backgroundColourId));
    setColour (juce::TextEditor::focusedOutlineColourId, findColour (juce::Slider::thumbColourId));

    // Tooltips and bubbles are outlined in black; JUCE's own defaults are fainter.
    setColour (juce::TooltipWindow::outlineColourId, Colours::black);
    setColour (juce::BubbleComponent::outlineColourId, Colours::black);

    minimiseButtonColour = Colour (0xffeff2f3);
    maximiseButtonColour = Colour (0xff9299a5);
    closeButtonColour    = Colour (0xff3273a1);
}

TemplateLookAndFeel::~TemplateLookAndFeel()
{
    // Windows outlive this object at shutdown: give them JUCE's own look back, so that
    // they rebuild their title-bar buttons and never paint through a destroyed object.
    if (juce::MessageManager::getInstanceWithoutCreating() != nullptr
         && &juce::LookAndFeel::getDefaultLookAndFeel() == this)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

void TemplateLookAndFeel::setSecondWindowColour (juce::DocumentWindow& window, Colour colour)
{
    window.setColour (secondWindowColourId, colour);
}

Colour TemplateLookAndFeel::getSecondWindowColour (const juce::DocumentWindow& window) const
{
    if (window.isColourSpecified (secondWindowColourId) || isColourSpecified (secondWindowColourId))
        return window.findColour (secondWindowColourId);

    return window.getBackgroundColour();
}

//==============================================================================
void TemplateLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button,
                                                const Colour& backgroundColour,
                                                bool isMouseOverButton, bool isButtonDown)
{
    const auto enabled = button.isEnabled();
    const auto thickness = enabled ? ((isButtonDown || isMouseOverButton) ? 1.2f : 0.7f) : 0.4f;
    const auto half = thickness / 2.0f;

    // A connected edge runs flat up to the neighbour.
    const auto indentL = button.isConnectedOnLeft()   ? 0.1f : half;
    const auto indentR = button.isConnectedOnRight()  ? 0.1f : half;
    const auto indentT = button.isConnectedOnTop()    ? 0.1f : half;
    const auto indentB = button.isConnectedOnBottom() ? 0.1f : half;

    const auto colour = GlassDrawing::createBaseColour (backgroundColour, button.hasKeyboardFocus (true),
                                                        isMouseOverButton, isButtonDown)
                            .withMultipliedAlpha (enabled ? 1.0f : 0.5f);

    GlassDrawing::drawGlassLozenge (g, indentL, indentT,
                                    (float) button.getWidth() - indentL - indentR,
                                    (float) button.getHeight() - indentT - indentB,
                                    colour, thickness,
                                    button.isConnectedOnLeft(), button.isConnectedOnRight(),
                                    button.isConnectedOnTop(), button.isConnectedOnBottom());
}

void TemplateLookAndFeel::drawTickBox (juce::Graphics& g, juce::Component& component,
                                       float x, float y, float w, float h,
                                       bool ticked, bool isEnabled,
                                       bool isMouseOverButton, bool isButtonDown)
{
    const auto boxSize = w * 0.7f;

    auto accent = findColour (juce::Slider::thumbColourId);

    if (! isEnabled)
        accent = accent.withMultipliedAlpha (0.5f);

    const auto colour = GlassDrawing::createBaseColour (accent, true, isMouseOverButton, isButtonDown);
    const auto thickness = isEnabled ? ((isButtonDown || isMouseOverButton) ? 1.1f : 0.5f) : 0.3f;

    GlassDrawing::drawGlassSphere (g, x, y + (h - boxSize) * 0.5f, boxSize, colour, thickness);

    if (ticked)
    {
        juce::Path tick;
        tick.startNewSubPath (1.5f, 3.0f);
        tick.lineTo (3.0f, 6.0f);
        tick.lineTo (6.0f, 0.0f);

        g.setColour (component.findColour (isEnabled ? juce::ToggleButton::tickColourId
                                                     : juce::ToggleButton::tickDisabledColourId));
        g.strokePath (tick, juce::PathStrokeType (2.5f),
                      juce::AffineTransform::scale (w / 9.0f, h / 9.0f).translated (x, y));
    }
}

void TemplateLookAndFeel::drawProgressBar (juce::Graphics& g, juce::ProgressBar& progressBar,
                                           int width, int height,
                                           double progress, const juce::String& textToShow)
{
    const auto background = progressBar.findColour (juce::ProgressBar::backgroundColourId);
    const auto foreground = progressBar.findColour (juce::ProgressBar::foregroundColourId);

    g.fillAll (background);

    g.setColour (GlassDrawing::contrasting (background, 0.2f));
    g.drawRect (0, 0, width, height, 1);

    // A bar that JUCE shows as busy (progress outside 0..1) is drawn empty or full.
    const auto span = (float) (width - 2);

    GlassDrawing::drawGlassLozenge (g, 1.0f, 1.0f,
                                    juce::jlimit (0.0f, span, span * (float) progress),
                                    (float) (height - 2),
                                    foreground, 0.5f,
                                    true, true, true, true);

    if (textToShow.isNotEmpty())
    {
        g.setColour (Colour::contrasting (background, foreground));
        g.setFont ((float) height * 0.6f);
        g.drawText (textToShow, 0, 0, width, height, juce::Justification::centred, false);
    }
}

void TemplateLookAndFeel::drawScrollbarButton (juce::Graphics& g, juce::ScrollBar& scrollbar,
                                               int width, int height, int buttonDirection,
                                               bool /*isScrollbarVertical*/,
                                               bool /*isMouseOverButton*/, bool isButtonDown)
{
    const auto w = (float) width;
    const auto h = (float) height;

    juce::Path arrow;

    switch (buttonDirection)
    {
        case 0:  arrow.addTriangle (w * 0.5f, h * 0.2f, w * 0.1f, h * 0.7f, w * 0.9f, h * 0.7f); break;
        case 1:  arrow.addTriangle (w * 0.8f, h * 0.5f, w * 0.3f, h * 0.1f, w * 0.3f, h * 0.9f); break;
        case 2:  arrow.addTriangle (w * 0.5f, h * 0.8f, w * 0.1f, h * 0.3f, w * 0.9f, h * 0.3f); break;
        case 3:  arrow.addTriangle (w * 0.2f, h * 0.5f, w * 0.7f, h * 0.1f, w * 0.7f, h * 0.9f); break;
        default: break;
    }

    const auto thumb = scrollbar.findColour (juce::ScrollBar::thumbColourId);

    g.setColour (isButtonDown ? GlassDrawing::contrasting (thumb, 0.2f) : thumb);
    g.fillPath (arrow);

    g.setColour (Colours::black.withAlpha (0.5f));
    g.strokePath (arrow, juce::PathStrokeType (0.5f));
}

void TemplateLookAndFeel::drawScrollbar (juce::Graphics& g, juce::ScrollBar& scrollbar,
                                         int x, int y, int width, int height,
                                         bool isScrollbarVertical,
                                         int thumbStartPosition, int thumbSize,
                                         bool /*isMouseOver*/, bool /*isMouseDown*/)
{
    g.fillAll (scrollbar.findColour (juce::ScrollBar::backgroundColourId));

    const auto slotIndent = juce::jmin (width, height) >= 16 ? 1.0f : 0.0f;
    const auto thumbIndent = slotIndent + 1.0f;

    const auto fx = (float) x, fy = (float) y, fw = (float) width, fh = (float) height;

    juce::Path slot, thumb;
    juce::Point<float> shadeStart, shadeEnd;

    if (isScrollbarVertical)
    {
        slot.addRoundedRectangle (fx + slotIndent, fy + slotIndent,
                                  fw - slotIndent * 2.0f, fh - slotIndent * 2.0f,
                                  (fw - slotIndent * 2.0f) / 2.0f);

        if (thumbSize > 0)
            thumb.addRoundedRectangle (fx + thumbIndent, (float) thumbStartPosition + thumbIndent,
                                       fw - thumbIndent * 2.0f, (float) thumbSize - thumbIndent * 2.0f,
                                       (fw - thumbIndent * 2.0f) / 2.0f);

        shadeStart = { fx, 0.0f };
        shadeEnd   = { fx + fw * 0.7f, 0.0f };
    }
    else
    {
        slot.addRoundedRectangle (fx + slotIndent, fy + slotIndent,
                                  fw - slotIndent * 2.0f, fh - slotIndent * 2.0f,
                                  (fh - slotIndent * 2.0f) / 2.0f);

        if (thumbSize > 0)
            thumb.addRoundedRectangle ((float) thumbStartPosition + thumbIndent, fy + thumbIndent,
                                       (float) thumbSize - thumbIndent * 2.0f, fh - thumbIndent * 2.0f,
                                       (fh - thumbIndent * 2.0f) / 2.0f);

        shadeStart = { 0.0f, fy };
        shadeEnd   = { 0.0f, fy + fh * 0.7f };
    }

    const auto thumbColour = scrollbar.findColour (juce::ScrollBar::thumbColourId);

    g.setGradientFill (juce::ColourGradient (thumbColour.overlaidWith (Colours::black.withAlpha (0.27f)), shadeStart,
                                             thumbColour.overlaidWith (Colours::black.withAlpha (0.1f)), shadeEnd,
                                             false));
    g.fillPath (slot);

    // The far side of the slot and of the thumb lies in shadow.
    if (isScrollbarVertical)
    {
        shadeStart = { fx + fw * 0.6f, 0.0f };
        shadeEnd   = { fx + fw, 0.0f };
    }
    else
    {
        shadeStart = { 0.0f, fy + fh * 0.6f };
        shadeEnd   = { 0.0f, fy + fh };
    }

    g.setGradientFill (juce::ColourGradient (Colours::transparentBlack, shadeStart,
                                             Colours::black.withAlpha (0.1f), shadeEnd,
                                             false));
    g.fillPath (slot);

    g.setColour (thumbColour);
    g.fillPath (thumb);

    {
        juce::Graphics::ScopedSaveState state (g);

        g.setGradientFill (juce::ColourGradient (Colours::black.withAlpha (0.05f), shadeStart,
                                                 Colours::black.withAlpha (0.0f), shadeEnd,
                                                 false));

        if (isScrollbarVertical)
            g.reduceClipRegion (x + width / 2, y, width, height);
        else
            g.reduceClipRegion (x, y + height / 2, width, height);

        g.fillPath (thumb);
    }

    g.setColour (Colours::black.withAlpha (0.3f));
    g.strokePath (thumb, juce::PathStrokeType (0.4f));
}

juce::ImageEffectFilter* TemplateLookAndFeel::getScrollbarEffect()
{
    return nullptr;
}

void TemplateLookAndFeel::drawTextEditorOutline (juce::Graphics& g, int width, int height,
                                                 juce::TextEditor& textEditor)
{
    if (! textEditor.isEnabled())
        return;

    // A read-only editor never shows the focus, so the help texts always look at rest.
    if (textEditor.hasKeyboardFocus (true) && ! textEditor.isReadOnly())
    {
        g.setColour (textEditor.findColour (juce::TextEditor::focusedOutlineColourId));
        g.drawRect (0, 0, width, height, 2);

        g.setOpacity (1.0f);
        const auto shadow = textEditor.findColour (juce::TextEditor::shadowColourId).withMultipliedAlpha (0.75f);
        drawBevel (g, 0, 0, width, height + 2, 4, shadow, shadow, true);
    }
    else
    {
        g.setColour (textEditor.findColour (juce::TextEditor::outlineColourId));
        g.drawRect (0, 0, width, height, 1);

        g.setOpacity (1.0f);
        const auto shadow = textEditor.findColour (juce::TextEditor::shadowColourId);
        drawBevel (g, 0, 0, width, height + 2, 3, shadow, shadow, true);
    }
}

//==============================================================================
namespace
{
    // JUCE 7 sets tooltips in 13-pixel text; this look keeps them at 15 pixels, bold,
    // in lines of balanced length no wider than 400 pixels.
    juce::TextLayout layoutTooltipText (const juce::String& text, Colour colour)
    {
        juce::AttributedString s;
        s.setJustification (juce::Justification::centred);
        s.append (text, juce::Font (15.0f, juce::Font::bold), colour);

        juce::TextLayout layout;
        layout.createLayoutWithBalancedLineLengths (s, 400.0f);
        return layout;
    }
}

juce::Rectangle<int> TemplateLookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                                            juce::Rectangle<int> parentArea)
{
    const auto layout = layoutTooltipText (tipText, Colours::black);

    const auto w = (int) (layout.getWidth() + 14.0f);
    const auto h = (int) (layout.getHeight() + 6.0f);

    return juce::Rectangle<int> (screenPos.x > parentArea.getCentreX() ? screenPos.x - (w + 12) : screenPos.x + 24,
                                 screenPos.y > parentArea.getCentreY() ? screenPos.y - (h + 6)  : screenPos.y + 6,
                                 w, h)
               .constrainedWithin (parentArea);
}

void TemplateLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    g.fillAll (findColour (juce::TooltipWindow::backgroundColourId));

    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRect (0, 0, width, height, 1);

    layoutTooltipText (text, findColour (juce::TooltipWindow::textColourId))
        .draw (g, juce::Rectangle<int> (width, height).toFloat());
}

//==============================================================================
namespace
{
    // White with faint blue stripes every third row, in a thin outline.
    void drawStripedListBackground (juce::Graphics& g, int width, int height,
                                    Colour background, Colour outline)
    {
        g.fillAll (background);

        g.setColour (background.overlaidWith (Colour (0xffadd8e6).withAlpha (0.17f)));

        for (int row = 0; row < height; row += 3)
            g.fillRect (0, row, width, 1);

        g.setColour (outline.withAlpha (0.6f));
        g.drawRect (0, 0, width, height, 1);
    }
}

juce::ComboBox* TemplateLookAndFeel::getComboBoxListed (const juce::PopupMenu::Options& options) noexcept
{
    return dynamic_cast<juce::ComboBox*> (options.getTargetComponent());
}

void TemplateLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    drawStripedListBackground (g, width, height,
                               findColour (juce::PopupMenu::backgroundColourId),
                               findColour (juce::PopupMenu::textColourId));
}

void TemplateLookAndFeel::drawPopupMenuBackgroundWithOptions (juce::Graphics& g, int width, int height,
                                                              const juce::PopupMenu::Options& options)
{
    if (getComboBoxListed (options) != nullptr)
        drawComboBoxPopupBackground (g, width, height);
    else
        drawPopupMenuBackground (g, width, height);
}

void TemplateLookAndFeel::drawPopupMenuItemWithOptions (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                        bool isHighlighted, const juce::PopupMenu::Item& item,
                                                        const juce::PopupMenu::Options& options)
{
    const juce::ScopedValueSetter<juce::ComboBox*> listed (comboBoxBeingListed, getComboBoxListed (options));
    LookAndFeel_V2::drawPopupMenuItemWithOptions (g, area, isHighlighted, item, options);
}

void TemplateLookAndFeel::drawPopupMenuSectionHeaderWithOptions (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                                 const juce::String& sectionName,
                                                                 const juce::PopupMenu::Options& options)
{
    const juce::ScopedValueSetter<juce::ComboBox*> listed (comboBoxBeingListed, getComboBoxListed (options));
    LookAndFeel_V2::drawPopupMenuSectionHeaderWithOptions (g, area, sectionName, options);
}

void TemplateLookAndFeel::getIdealPopupMenuItemSizeWithOptions (const juce::String& text, bool isSeparator,
                                                                int standardMenuItemHeight,
                                                                int& idealWidth, int& idealHeight,
                                                                const juce::PopupMenu::Options& options)
{
    const juce::ScopedValueSetter<juce::ComboBox*> listed (comboBoxBeingListed, getComboBoxListed (options));
    LookAndFeel_V2::getIdealPopupMenuItemSizeWithOptions (text, isSeparator, standardMenuItemHeight,
                                                          idealWidth, idealHeight, options);
}

juce::Font TemplateLookAndFeel::getPopupMenuFont()
{
    if (comboBoxBeingListed != nullptr)
    {
        juce::Font textFont, listFont;
        getComboBoxFonts (textFont, listFont, *comboBoxBeingListed);
        return listFont;
    }

    return LookAndFeel_V2::getPopupMenuFont();
}

void TemplateLookAndFeel::drawMenuBarBackground (juce::Graphics& g, int width, int height,
                                                 bool /*isMouseOverBar*/, juce::MenuBarComponent& menuBar)
{
    const auto colour = GlassDrawing::createBaseColour (menuBar.findColour (juce::PopupMenu::backgroundColourId),
                                                        false, false, false);

    // Four pixels past each end hide the bar's left and right outline.
    if (menuBar.isEnabled())
        GlassDrawing::drawShinyButtonShape (g, -4.0f, 0.0f, (float) width + 8.0f, (float) height,
                                            0.0f, colour, 0.4f, true, true, true, true);
    else
        g.fillAll (colour);
}

//==============================================================================
void TemplateLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown,
                                        int buttonX, int buttonY, int buttonW, int buttonH,
                                        juce::ComboBox& box)
{
    const auto enabled = box.isEnabled();

    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));

    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRect (0, 0, width, height, (enabled && box.hasKeyboardFocus (false)) ? 2 : 1);

    const auto thickness = enabled ? (isButtonDown ? 1.2f : 0.5f) : 0.3f;

    const auto colour = GlassDrawing::createBaseColour (box.findColour (juce::ComboBox::buttonColourId),
                                                        box.hasKeyboardFocus (true), false, isButtonDown)
                            .withMultipliedAlpha (enabled ? 1.0f : 0.5f);

    const auto bx = (float) buttonX;
    const auto by = (float) buttonY;
    const auto bw = (float) buttonW;
    const auto bh = (float) buttonH;

    GlassDrawing::drawGlassLozenge (g, bx + thickness, by + thickness,
                                    bw - thickness * 2.0f, bh - thickness * 2.0f,
                                    colour, thickness, true, true, true, true);

    if (enabled)
    {
        const auto arrowX = 0.3f;
        const auto arrowH = 0.2f;

        juce::Path arrows;
        arrows.addTriangle (bx + bw * 0.5f,            by + bh * (0.45f - arrowH),
                            bx + bw * (1.0f - arrowX), by + bh * 0.45f,
                            bx + bw * arrowX,          by + bh * 0.45f);

        arrows.addTriangle (bx + bw * 0.5f,            by + bh * (0.55f + arrowH),
                            bx + bw * (1.0f - arrowX), by + bh * 0.55f,
                            bx + bw * arrowX,          by + bh * 0.55f);

        g.setColour (Colours::black.withAlpha (0.6f));
        g.fillPath (arrows);
    }
}

void TemplateLookAndFeel::drawComboBoxPopupBackground (juce::Graphics& g, int width, int height)
{
    drawStripedListBackground (g, width, height,
                               findColour (juce::PopupMenu::backgroundColourId),
                               findColour (juce::PopupMenu::textColourId));
}

void TemplateLookAndFeel::getComboBoxFonts (juce::Font& textFont, juce::Font& listFont, juce::ComboBox& box)
{
    textFont = juce::Font (juce::jmin (15.0f, (float) box.getHeight() * 0.85f));
    listFont = juce::Font (15.0f);
}

juce::Font TemplateLookAndFeel::getComboBoxFont (juce::ComboBox& box)
{
    juce::Font textFont, listFont;
    getComboBoxFonts (textFont, listFont, box);
    return textFont;
}

//==============================================================================
void TemplateLookAndFeel::drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height,
                                            float sliderPos, float /*minSliderPos*/, float /*maxSliderPos*/,
                                            juce::Slider::SliderStyle style, juce::Slider& slider)
{
    const auto enabled = slider.isEnabled();
    const auto fx = (float) x, fy = (float) y, fw = (float) width, fh = (float) height;

    if (style == juce::Slider::LinearBar || style == juce::Slider::LinearBarVertical)
    {
        g.setColour (slider.findColour (juce::Slider::backgroundColourId).withAlpha (enabled ? 0.5f : 0.15f));
        g.fillAll();

        const auto over = slider.isMouseOverOrDragging() && enabled;

        auto accent = slider.findColour (juce::Slider::thumbColourId);

        if (! enabled)
            accent = accent.withMultipliedSaturation (0.5f);

        const auto colour = GlassDrawing::createBaseColour (accent, false, over,
                                                            over || slider.isMouseButtonDown());
        const auto stroke = enabled ? 0.9f : 0.3f;

        // A vertical bar fills from the bottom up to the position.
        if (style == juce::Slider::LinearBar)
            GlassDrawing::drawShinyButtonShape (g, fx, fy, sliderPos - fx, fh,
                                                0.0f, colour, stroke, true, true, true, true);
        else
            GlassDrawing::drawShinyButtonShape (g, fx, sliderPos, fw, fy + fh - sliderPos,
                                                0.0f, colour, stroke, true, true, true, true);
        return;
    }

    const auto horizontal = style == juce::Slider::LinearHorizontal
                         || style == juce::Slider::TwoValueHorizontal
                         || style == juce::Slider::ThreeValueHorizontal;

    const auto r = (float) getSliderThumbRadius (slider);

    const auto track = Colour (0x80ffffff);
    const auto first  = track.overlaidWith (Colours::black.withAlpha (enabled ? 0.25f : 0.13f));
    const auto second = track.overlaidWith (Colours::black.withAlpha (0.08f));

    juce::Path slot;

    if (horizontal)
    {
        const auto iy = fy + fh * 0.5f - r * 0.5f;
        g.setGradientFill (juce::ColourGradient (first, 0.0f, iy, second, 0.0f, iy + r, false));
        slot.addRoundedRectangle (fx, iy, fw, r, 5.0f);
    }
    else
    {
        const auto ix = fx + fw * 0.5f - r * 0.5f;
        g.setGradientFill (juce::ColourGradient (first, ix, 0.0f, second, ix + r, 0.0f, false));
        slot.addRoundedRectangle (ix, fy, r, fh, 5.0f);
    }

    g.fillPath (slot);

    g.setColour (Colours::black.withAlpha (0.3f));
    g.strokePath (slot, juce::PathStrokeType (0.5f));

    const auto knob = GlassDrawing::createBaseColour (slider.findColour (juce::Slider::thumbColourId),
                                                      slider.hasKeyboardFocus (false) && enabled,
                                                      slider.isMouseOverOrDragging() && enabled,
                                                      slider.isMouseButtonDown() && enabled);
    const auto thickness = enabled ? 0.8f : 0.3f;

    if (horizontal)
        GlassDrawing::drawGlassSphere (g, sliderPos - r, fy + fh * 0.5f - r, r * 2.0f, knob, thickness);
    else
        GlassDrawing::drawGlassSphere (g, fx + fw * 0.5f - r, sliderPos - r, r * 2.0f, knob, thickness);
}

int TemplateLookAndFeel::getSliderThumbRadius (juce::Slider& slider)
{
    return juce::jmin (7, slider.getHeight() / 2, slider.getWidth() / 2);
}

juce::Button* TemplateLookAndFeel::createSliderButton (juce::Slider&, bool isIncrement)
{
    return new juce::TextButton (isIncrement ? "+" : "-", juce::String());
}

juce::ImageEffectFilter* TemplateLookAndFeel::getSliderEffect (juce::Slider&)
{
    return nullptr;
}

//==============================================================================
void TemplateLookAndFeel::drawCornerResizer (juce::Graphics& g, int w, int h,
                                             bool /*isMouseOver*/, bool /*isMouseDragging*/)
{
    const auto thickness = (float) juce::jmin (w, h) * 0.075f;
    const auto fw = (float) w;
    const auto fh = (float) h;

    for (float i = 0.0f; i < 1.0f; i += 0.3f)
    {
        g.setColour (Colours::lightgrey);
        g.drawLine (fw * i, fh + 1.0f, fw + 1.0f, fh * i, thickness);

        g.setColour (Colours::darkgrey);
        g.drawLine (fw * i + thickness, fh + 1.0f, fw + 1.0f, fh * i + thickness, thickness);
    }
}

void TemplateLookAndFeel::drawDocumentWindowTitleBar (juce::DocumentWindow& window, juce::Graphics& g,
                                                      int w, int h, int titleSpaceX, int titleSpaceW,
                                                      const juce::Image* icon, bool drawTitleTextOnLeft)
{
    if (w <= 0 || h <= 0)
        return;

    const auto isActive = window.isActiveWindow();
    const auto background = window.getBackgroundColour();

    g.setGradientFill (juce::ColourGradient::vertical (getSecondWindowColour (window), 0.0f,
                                                       background, (float) h));
    g.fillAll();

    const juce::Font font ((float) h * 0.65f, juce::Font::bold);
    g.setFont (font);

    auto textW = font.getStringWidth (window.getName());
    auto iconW = 0;
    auto iconH = 0;

    if (icon != nullptr)
    {
        iconH = (int) font.getHeight();
        iconW = icon->getWidth() * iconH / icon->getHeight() + 4;
    }

    // Centred on the whole bar, but never left of the free span nor into the buttons.
    textW = juce::jmin (titleSpaceW, textW + iconW);
    auto textX = drawTitleTextOnLeft ? titleSpaceX
                                     : juce::jmax (titleSpaceX, (w - textW) / 2);

    if (textX + textW > titleSpaceX + titleSpaceW)
        textX = titleSpaceX + titleSpaceW - textW;

    if (icon != nullptr)
    {
        g.setOpacity (isActive ? 1.0f : 0.6f);
        g.drawImageWithin (*icon, textX, (h - iconH) / 2, iconW, iconH,
                           juce::RectanglePlacement::centred, false);
        textX += iconW;
        textW -= iconW;
    }

    g.setColour (GlassDrawing::contrasting (background, isActive ? 0.7f : 0.4f));
    g.drawText (window.getName(), textX, 0, textW, h, juce::Justification::centredLeft, true);
}

juce::Button* TemplateLookAndFeel::createDocumentWindowButton (int buttonType)
{
    // Shapes in a unit square; the button scales them to its face. (The base class
    // has a private button class of the same name, hence the qualified ::GlassWindowButton.)
    juce::Path shape;
    const auto crossThickness = 0.25f;

    if (buttonType == juce::DocumentWindow::closeButton)
    {
        shape.addLineSegment ({ 0.0f, 0.0f, 1.0f, 1.0f }, crossThickness * 1.4f);
        shape.addLineSegment ({ 1.0f, 0.0f, 0.0f, 1.0f }, crossThickness * 1.4f);

        return new ::GlassWindowButton ("close", closeButtonColour, shape, shape);
    }

    if (buttonType == juce::DocumentWindow::minimiseButton)
    {
        shape.addLineSegment ({ 0.0f, 0.5f, 1.0f, 0.5f }, crossThickness);

        return new ::GlassWindowButton ("minimise", minimiseButtonColour, shape, shape);
    }

    if (buttonType == juce::DocumentWindow::maximiseButton)
    {
        shape.addLineSegment ({ 0.5f, 0.0f, 0.5f, 1.0f }, crossThickness);
        shape.addLineSegment ({ 0.0f, 0.5f, 1.0f, 0.5f }, crossThickness);

        juce::Path fullScreenShape;
        fullScreenShape.startNewSubPath (45.0f, 100.0f);
        fullScreenShape.lineTo (0.0f, 100.0f);
        fullScreenShape.lineTo (0.0f, 0.0f);
        fullScreenShape.lineTo (100.0f, 0.0f);
        fullScreenShape.lineTo (100.0f, 45.0f);
        fullScreenShape.addRectangle (45.0f, 45.0f, 100.0f, 100.0f);
        juce::PathStrokeType (30.0f).createStrokedPath (fullScreenShape, fullScreenShape);

        return new ::GlassWindowButton ("maximise", maximiseButtonColour, shape, fullScreenShape);
    }

    // A window asks for each button on its own; combined flags get none.
    return nullptr;
}

void TemplateLookAndFeel::positionDocumentWindowButtons (juce::DocumentWindow&,
                                                         int titleBarX, int titleBarY,
                                                         int titleBarW, int titleBarH,
                                                         juce::Button* minimiseButton,
                                                         juce::Button* maximiseButton,
                                                         juce::Button* closeButton,
                                                         bool positionTitleBarButtonsOnLeft)
{
    const auto buttonW = titleBarH - titleBarH / 8;

    auto x = positionTitleBarButtonsOnLeft ? titleBarX + 4
                                           : titleBarX + titleBarW - buttonW - buttonW / 4;

    if (closeButton != nullptr)
    {
        closeButton->setBounds (x, titleBarY, buttonW, titleBarH);
        x += positionTitleBarButtonsOnLeft ? buttonW : -(buttonW + buttonW / 4);
    }

    // Read from left to right: close, minimise, maximise on the left;
    // minimise, maximise, close on the right.
    if (positionTitleBarButtonsOnLeft)
        std::swap (minimiseButton, maximiseButton);

    if (maximiseButton != nullptr)
    {
        maximiseButton->setBounds (x, titleBarY, buttonW, titleBarH);
        x += positionTitleBarButtonsOnLeft ? buttonW : -buttonW;
    }

    if (minimiseButton != nullptr)
        minimiseButton->setBounds (x, titleBarY, buttonW, titleBarH);
}
