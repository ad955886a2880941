#include <gtest/gtest.h>

#include <cstdlib>

#include "help/ArvellaHelpWindowClass.h"
#include "ui/TemplateLookAndFeel.h"
#include "HelpWindowParts.h"

// The help text as the program's look draws it, rendered into pixels.

namespace
{
    class HelpWindowLook : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            window.setLookAndFeel (&laf);
            window.setSize (300, 400);

            editor = HelpWindowParts::findEditor (window);
            ASSERT_NE (editor, nullptr);
        }

        void TearDown() override
        {
            window.setLookAndFeel (nullptr);
        }

        static juce::Image render (juce::Component& c)
        {
            juce::Image image (juce::Image::RGB, c.getWidth(), c.getHeight(), true);
            juce::Graphics g (image);
            g.fillAll (juce::Colours::white);
            c.paintEntireComponent (g, false);
            return image;
        }

        static bool grey (juce::Colour c, int level, int tolerance)
        {
            return std::abs (c.getRed() - level) <= tolerance
                && std::abs (c.getGreen() - level) <= tolerance
                && std::abs (c.getBlue() - level) <= tolerance;
        }

        TemplateLookAndFeel laf;
        ArvellaHelpWindowClass window;
        juce::TextEditor* editor = nullptr;
    };
}

TEST_F (HelpWindowLook, TheTextHasAThreePixelBevelOnItsLeftEdge)
{
    const auto image = render (*editor);
    const auto y = editor->getHeight() - 40;

    // The shadow 0x38000000 at three quarters on the left side, fading over three columns:
    // alpha 42, 28 and 14 over white.
    EXPECT_TRUE (grey (image.getPixelAt (0, y), 213, 2)) << image.getPixelAt (0, y).toString();
    EXPECT_TRUE (grey (image.getPixelAt (1, y), 227, 2)) << image.getPixelAt (1, y).toString();
    EXPECT_TRUE (grey (image.getPixelAt (2, y), 241, 2)) << image.getPixelAt (2, y).toString();
    EXPECT_TRUE (grey (image.getPixelAt (3, y), 255, 0)) << image.getPixelAt (3, y).toString();
}

TEST_F (HelpWindowLook, ItsScrollBarIsASunkenSlotWithAWhiteThumb)
{
    auto* viewport = HelpWindowParts::findViewport (*editor);
    ASSERT_NE (viewport, nullptr);

    auto& scrollBar = viewport->getVerticalScrollBar();
    ASSERT_TRUE (scrollBar.isVisible());
    ASSERT_EQ (scrollBar.getWidth(), 18);

    const auto image = render (scrollBar);

    // Scrolled to the top: the thumb is near the top, the slot shows below it.
    const auto y = scrollBar.getHeight() * 3 / 4;

    // The slot is indented by one pixel; its near edge is the darker one
    // (0xb9 rising to 0xe4 over 0.7 of the width), its far edge lies in shadow.
    EXPECT_TRUE (grey (image.getPixelAt (0, y), 255, 0)) << image.getPixelAt (0, y).toString();
    EXPECT_TRUE (grey (image.getPixelAt (1, y), 190, 3)) << image.getPixelAt (1, y).toString();
    EXPECT_TRUE (grey (image.getPixelAt (16, y), 210, 3)) << image.getPixelAt (16, y).toString();
    EXPECT_TRUE (grey (image.getPixelAt (17, y), 255, 0)) << image.getPixelAt (17, y).toString();
}
