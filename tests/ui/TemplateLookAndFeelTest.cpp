#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "support/RecordingGraphicsContext.h"
#include "ui/GlassWindowButton.h"
#include "ui/TemplateLookAndFeel.h"

using juce::Colour;

//==============================================================================
struct ColourSetting
{
    const char* role;
    int colourId;
    juce::uint32 expected;
};

class TemplateLookAndFeelColours  : public ::testing::TestWithParam<ColourSetting> {};

TEST_P (TemplateLookAndFeelColours, SchemeSetsEachRole)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;

    EXPECT_EQ (laf.findColour (c.colourId), Colour (c.expected));
}

INSTANTIATE_TEST_SUITE_P (Scheme, TemplateLookAndFeelColours, ::testing::Values (
    ColourSetting { "accentOfTickBoxesAndSliders",      juce::Slider::thumbColourId,                   0xb2808080 },
    ColourSetting { "comboBoxButton",                   juce::ComboBox::buttonColourId,                0xffffffff },
    ColourSetting { "highlightedRowBackground",         juce::PopupMenu::highlightedBackgroundColourId, 0xb2808080 },
    ColourSetting { "highlightedRowText",               juce::PopupMenu::highlightedTextColourId,      0xffffffff },
    ColourSetting { "comboBoxOutline",                  juce::ComboBox::outlineColourId,               0xb2808080 },
    ColourSetting { "scrollBarBackground",              juce::ScrollBar::backgroundColourId,           0x00000000 },
    ColourSetting { "scrollBarThumb",                   juce::ScrollBar::thumbColourId,                0xffffffff },
    ColourSetting { "sliderBackground",                 juce::Slider::backgroundColourId,              0xffffffff },
    ColourSetting { "sliderTextBoxOutline",             juce::Slider::textBoxOutlineColourId,          0xb2808080 },
    ColourSetting { "progressBarBackground",            juce::ProgressBar::backgroundColourId,         0xffffffff },
    ColourSetting { "progressBarForeground",            juce::ProgressBar::foregroundColourId,         0xffd3d3d3 },
    ColourSetting { "tooltipBackground",                juce::TooltipWindow::backgroundColourId,       0xffffffff },
    ColourSetting { "bubbleBackground",                 juce::BubbleComponent::backgroundColourId,     0xffffffff },
    ColourSetting { "popupMenuBackground",              juce::PopupMenu::backgroundColourId,           0xffffffff },
    ColourSetting { "focusOutline",                     juce::TextEditor::focusedOutlineColourId,      0xb2808080 },
    // Defaults the drawing relies on.
    ColourSetting { "popupMenuText",                    juce::PopupMenu::textColourId,                 0xff000000 },
    ColourSetting { "comboBoxBackground",               juce::ComboBox::backgroundColourId,            0xffffffff },
    ColourSetting { "tooltipText",                      juce::TooltipWindow::textColourId,             0xff000000 },
    ColourSetting { "tooltipOutline",                   juce::TooltipWindow::outlineColourId,          0xff000000 },
    ColourSetting { "bubbleOutline",                    juce::BubbleComponent::outlineColourId,        0xff000000 },
    ColourSetting { "alertBoxBackground",               juce::AlertWindow::backgroundColourId,         0xffededed }),
    [] (const auto& info) { return std::string (info.param.role); });

//==============================================================================
/** A window on the desktop, as the program's windows are when the look changes. */
class DefaultLookAndFeel  : public ::testing::Test
{
protected:
    DefaultLookAndFeel()
    {
        window.setBounds (100, 100, 400, 300);
        window.setVisible (true);
    }

    ~DefaultLookAndFeel() override
    {
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    bool titleBarHasGlassButtons()
    {
        return dynamic_cast<GlassWindowButton*> (window.getCloseButton()) != nullptr;
    }

    juce::DocumentWindow window { "Window", Colour (0xffeff2f3), juce::DocumentWindow::allButtons, true };
};

TEST_F (DefaultLookAndFeel, DestroyingTheInstalledLookHandsTheDefaultBack)
{
    {
        auto laf = std::make_unique<TemplateLookAndFeel>();
        juce::LookAndFeel::setDefaultLookAndFeel (laf.get());
        ASSERT_TRUE (titleBarHasGlassButtons());

        const auto* destroyed = laf.get();
        laf.reset();

        EXPECT_NE (&juce::LookAndFeel::getDefaultLookAndFeel(), destroyed);
    }

    // The window was told and rebuilt its buttons with JUCE's own look...
    EXPECT_FALSE (titleBarHasGlassButtons());
    EXPECT_NE (window.getCloseButton(), nullptr);

    // ...and paints without touching the destroyed object (the sanitizer run watches this).
    juce::Image image (juce::Image::ARGB, window.getWidth(), window.getHeight(), true);
    juce::Graphics g (image);
    window.paintEntireComponent (g, false);
    MessageLoop::runFor (50);
}

TEST_F (DefaultLookAndFeel, DestroyingALookThatIsNotTheDefaultLeavesTheDefaultAlone)
{
    TemplateLookAndFeel installed;
    juce::LookAndFeel::setDefaultLookAndFeel (&installed);

    {
        TemplateLookAndFeel other;
    }

    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &installed);
    EXPECT_TRUE (titleBarHasGlassButtons());
}
