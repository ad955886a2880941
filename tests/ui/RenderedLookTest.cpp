#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

#include "support/RecordingGraphicsContext.h"
#include "ui/TemplateLookAndFeel.h"

// A few pixels of what the look really draws, rendered by JUCE's software renderer
// into an image: no display involved.

using juce::Colour;

namespace
{
    const Colour windowBackground (0xffeff2f3);

    juce::Image render (int w, int h, Colour background, const std::function<void (juce::Graphics&)>& draw)
    {
        juce::Image image (juce::Image::RGB, w, h, true);
        juce::Graphics g (image);
        g.fillAll (background);
        draw (g);
        return image;
    }

    ::testing::AssertionResult pixelNear (const juce::Image& image, int x, int y, Colour expected, int tolerance)
    {
        const auto actual = image.getPixelAt (x, y);
        const auto close = [tolerance] (int a, int b) { return std::abs (a - b) <= tolerance; };

        if (close (actual.getRed(), expected.getRed()) && close (actual.getGreen(), expected.getGreen())
             && close (actual.getBlue(), expected.getBlue()))
            return ::testing::AssertionSuccess();

        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x" << actual.toString()
                                             << ", expected 0x" << expected.toString();
    }
}

//==============================================================================
struct LozengeCase
{
    const char* name;
    bool enabled;
    juce::uint32 buttonColour;
    juce::uint32 expected;     // on the window's background
    float top, height;         // of the lozenge: inset by half its outline
};

class RenderedButton  : public ::testing::TestWithParam<LozengeCase> {};

TEST_P (RenderedButton, ShowsItsColourAtFortyPercentOfItsHeight)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::TextButton button ("update");
    button.setSize (94, 30);
    button.setEnabled (c.enabled);

    const auto image = render (94, 30, windowBackground, [&] (juce::Graphics& g)
    {
        laf.drawButtonBackground (g, button, Colour (c.buttonColour), false, false);
    });

    // The first pixel row whose centre lies past 40 % of the lozenge; across its middle,
    // away from the shaded ends.
    const auto row = (int) (c.top + 0.4f * c.height);
    EXPECT_TRUE (pixelNear (image, 47, row, Colour (c.expected), 4));

    // Above it the upper half is lit, towards the bottom the glass is paler.
    const auto lightness = [&] (int y) { const auto p = image.getPixelAt (47, y); return p.getRed() + p.getGreen() + p.getBlue(); };
    EXPECT_GT (lightness (4), lightness (row));
    EXPECT_GT (lightness (27), lightness (row));
}

INSTANTIATE_TEST_SUITE_P (Cases, RenderedButton, ::testing::Values (
    // The ready update button: its green, opaque, with no focus desaturated by 0.9.
    LozengeCase { "readyGreen",     true,  0xff7ebf7e, 0xff84bf84, 0.35f, 29.3f },
    // The update button at start-up: red at half opacity over the window's background,
    // (255, 126, 126) at 0.9 saturation is (255, 139, 139), blended half with (239, 242, 243).
    LozengeCase { "disabledRed",    false, 0xffff7e7e, 0xfff7bebf, 0.2f,  29.6f }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
TEST (RenderedProgressBar, PaleFrameRoundAGreyGlassBar)
{
    TemplateLookAndFeel laf;
    double value = 0.0;
    juce::ProgressBar bar (value);
    bar.setLookAndFeel (&laf);

    const auto image = render (202, 20, windowBackground, [&] (juce::Graphics& g)
    {
        laf.drawProgressBar (g, bar, 202, 20, 0.5, {});
    });

    // The one-pixel frame: white made contrasting by 0.2, crisp on the pixel grid. (Beside
    // the done part the bar's own half-pixel outline reaches a quarter pixel into it.)
    for (auto [x, y] : { std::pair { 201, 10 }, std::pair { 150, 0 }, std::pair { 150, 19 } })
        EXPECT_TRUE (pixelNear (image, x, y, Colour (0xffcbcbcb), 0));

    // Inside it, white where nothing is done yet, and the light grey bar at 40 % of its height.
    EXPECT_TRUE (pixelNear (image, 150, 10, Colour (0xffffffff), 0));
    EXPECT_TRUE (pixelNear (image, 50, (int) (1.0f + 0.4f * 18.0f), Colour (0xffd3d3d3), 4));
}

//==============================================================================
TEST (RenderedList, FaintBlueStripeEveryThirdRowInsideAGreyFrame)
{
    TemplateLookAndFeel laf;

    const auto image = render (50, 10, Colour (0xff000000), [&] (juce::Graphics& g)
    {
        laf.drawComboBoxPopupBackground (g, 50, 10);
    });

    for (int y : { 3, 6 })
        EXPECT_TRUE (pixelNear (image, 25, y, Colour (0xfff0f8fa), 1)) << "row " << y;

    for (int y : { 2, 4, 5 })
        EXPECT_TRUE (pixelNear (image, 25, y, Colour (0xffffffff), 0)) << "row " << y;

    // The frame is black at 0.6 over the white list.
    EXPECT_TRUE (pixelNear (image, 0, 5, Colour (0xff666666), 1));
}

//==============================================================================
TEST (RenderedScrollbar, SlotEdgesAreShadedDarkerOnTheNearSide)
{
    TemplateLookAndFeel laf;
    juce::ScrollBar scrollBar (true);
    scrollBar.setLookAndFeel (&laf);

    // A vertical bar 18 wide over a white editor; the thumb runs from 20 to 50.
    const auto image = render (18, 100, Colour (0xffffffff), [&] (juce::Graphics& g)
    {
        laf.drawScrollbar (g, scrollBar, 0, 0, 18, 100, true, 20, 30, false, false);
    });

    const auto y = 75;

    // The slot is indented by one pixel: the transparent background shows the editor.
    EXPECT_TRUE (pixelNear (image, 0, y, Colour (0xffffffff), 0));
    EXPECT_TRUE (pixelNear (image, 17, y, Colour (0xffffffff), 0));

    // Its near edge: 0xb9 at x = 0 rising to 0xe4 at 12.6, sampled at 1.5.
    EXPECT_TRUE (pixelNear (image, 1, y, Colour (0xffbebebe), 3));

    // Its far edge: 0xe4 under black rising from 0 at 10.8 to 0.1 at 18, sampled at 16.5.
    EXPECT_TRUE (pixelNear (image, 16, y, Colour (0xffd2d2d2), 3));

    // The thumb is white, two pixels in.
    EXPECT_TRUE (pixelNear (image, 5, 35, Colour (0xffffffff), 2));
}
