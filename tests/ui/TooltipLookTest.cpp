#include <gtest/gtest.h>

#include "support/RecordingGraphicsContext.h"
#include "ui/TemplateLookAndFeel.h"

using juce::Colour;

namespace
{
    const juce::String helpTip ("click here to get help");

    const juce::Font tipFont (15.0f, juce::Font::bold);

    // A tip's box: its text plus 7 pixels on either side and 3 above and below.
    int boxWidthFor (const juce::String& oneLine)     { return (int) (tipFont.getStringWidthFloat (oneLine) + 14.0f); }
}

TEST (TooltipText, IsFifteenPixelBoldBlackOnWhiteInABlackFrame)
{
    TemplateLookAndFeel laf;

    Recording r;
    laf.drawTooltip (r.g, helpTip, 160, 21);
    ASSERT_GE (r.size(), 3u);

    EXPECT_TRUE (colourIs (r[0], 0xffffffff));
    EXPECT_TRUE (colourIs (r[1], 0xff000000));
    EXPECT_TRUE (rectNear (r[1].bounds, { 0.0f, 0.0f, 160.0f, 21.0f }));
    EXPECT_EQ (r[1].rectangles.getRectangle (0).getHeight(), 1.0f);

    const auto glyphs = r.context.getGlyphs();
    ASSERT_EQ (glyphs.size(), (size_t) helpTip.removeCharacters (" ").length());

    for (auto& glyph : glyphs)
    {
        EXPECT_FLOAT_EQ (glyph.font.getHeight(), 15.0f);
        EXPECT_TRUE (glyph.font.isBold());
        EXPECT_TRUE (colourIs (glyph, 0xff000000));
    }

    // Centred in the box.
    const auto textCentre = (glyphs.front().bounds.getX() + glyphs.back().bounds.getRight()) / 2.0f;
    EXPECT_NEAR (textCentre, 80.0f, 1.5f);
}

//==============================================================================
struct PlacementCase
{
    const char* name;
    juce::Point<int> pointer;
    juce::Rectangle<int> area;
    juce::Point<int> (*expectedTopLeft) (juce::Point<int> pointer, juce::Rectangle<int> area, int w, int h);
};

class TooltipPlacement  : public ::testing::TestWithParam<PlacementCase> {};

TEST_P (TooltipPlacement, OneLineBoxBesideThePointerOnTheRoomierSide)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;

    const auto bounds = laf.getTooltipBounds (helpTip, c.pointer, c.area);

    // One line of the 15-pixel font and 3 pixels above and below it.
    EXPECT_EQ (bounds.getHeight(), 21);
    EXPECT_NEAR (bounds.getWidth(), boxWidthFor (helpTip), 1);
    EXPECT_EQ (bounds.getPosition(), c.expectedTopLeft (c.pointer, c.area, bounds.getWidth(), bounds.getHeight()));
}

INSTANTIATE_TEST_SUITE_P (Cases, TooltipPlacement, ::testing::Values (
    PlacementCase { "upperLeftGoesBelowRight", { 100, 100 }, { 0, 0, 1280, 1024 },
                    [] (auto p, auto, int, int) { return p + juce::Point<int> (24, 6); } },
    PlacementCase { "lowerRightGoesAboveLeft", { 1000, 900 }, { 0, 0, 1280, 1024 },
                    [] (auto p, auto, int w, int h) { return p - juce::Point<int> (w + 12, h + 6); } },
    PlacementCase { "upperRightGoesBelowLeft", { 1000, 100 }, { 0, 0, 1280, 1024 },
                    [] (auto p, auto, int w, int) { return juce::Point<int> (p.x - (w + 12), p.y + 6); } },
    PlacementCase { "keptInsideTheScreen", { 90, 10 }, { 0, 0, 200, 100 },
                    [] (auto p, auto area, int w, int) { return juce::Point<int> (area.getRight() - w, p.y + 6); } }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (TooltipPlacement, LongTipsWrapIntoBalancedLinesNoWiderThan400)
{
    TemplateLookAndFeel laf;
    const juce::String longTip = "Pick the MIDI interface the Arvella is connected to, then click update "
                                 "and wait until the status line asks you to turn the power off and on again";
    ASSERT_GT (tipFont.getStringWidthFloat (longTip), 800.0f);

    const auto bounds = laf.getTooltipBounds (longTip, { 100, 100 }, { 0, 0, 1280, 1024 });

    EXPECT_LE (bounds.getWidth(), 400 + 14);
    EXPECT_GT (bounds.getWidth(), 300);
    EXPECT_EQ ((bounds.getHeight() - 6) % 15, 0) << bounds.getHeight();
    EXPECT_GE (bounds.getHeight(), 3 * 15 + 6);
}
