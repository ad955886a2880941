#include <gtest/gtest.h>

#include "support/RecordingGraphicsContext.h"
#include "ui/GlassWindowButton.h"

namespace
{
    juce::Path rectangleShape (float w, float h)
    {
        juce::Path p;
        p.addRectangle (0.0f, 0.0f, w, h);
        return p;
    }

    // What a button paints: bezel, four parts of the sphere, symbol.
    enum Part { bezel, sphereBody, sphereHighlight, sphereRim, sphereOutline, symbol, numParts };

    struct ButtonUnderTest
    {
        ButtonUnderTest (int w, int h)
        {
            button.setSize (w, h);
        }

        GlassWindowButton button { "close", juce::Colour (0xff3273a1),
                                   rectangleShape (2.0f, 1.0f), rectangleShape (1.0f, 2.0f) };
    };
}

TEST (GlassWindowButtonName, IsTheComponentsAndTheButtonsName)
{
    ButtonUnderTest b (20, 24);

    EXPECT_EQ (b.button.getName(), "close");
    EXPECT_EQ (b.button.getButtonText(), "close");
}

//==============================================================================
struct AlphaCase
{
    const char* name;
    bool over, down, enabled;
    int alpha, outlineAlpha, symbolAlpha;   // alpha bytes
};

class GlassWindowButtonAlpha  : public ::testing::TestWithParam<AlphaCase> {};

TEST_P (GlassWindowButtonAlpha, OpacityFollowsPointerPressAndEnablement)
{
    const auto& c = GetParam();
    ButtonUnderTest b (20, 24);
    b.button.setEnabled (c.enabled);

    Recording r;
    b.button.paintButton (r.g, c.over, c.down);
    ASSERT_EQ (r.size(), (size_t) numParts);

    const auto withAlpha = [] (juce::uint32 rgb, int alpha) { return ((juce::uint32) alpha << 24) | rgb; };

    // Light at the bottom (y + diam), darker at the top.
    EXPECT_TRUE (gradientIs (r[bezel], false, { 0.0f, 21.0f }, { 0.0f, 3.0f },
                             { { 0.0, withAlpha (0xe6e6e6, c.alpha) }, { 1.0, withAlpha (0x999999, c.alpha) } }));
    EXPECT_EQ (r[sphereOutline].colour().getAlpha(), c.outlineAlpha);
    EXPECT_TRUE (colourIs (r[symbol], withAlpha (0x000000, c.symbolAlpha)));
}

INSTANTIATE_TEST_SUITE_P (Cases, GlassWindowButtonAlpha, ::testing::Values (
    AlphaCase { "away",             false, false, true,  140,  70,  84 },   // 0.55, symbol 0.33
    AlphaCase { "over",             true,  false, true,  204, 102, 122 },   // 0.8,  symbol 0.48
    AlphaCase { "overAndDown",      true,  true,  true,  255, 128, 153 },   // 1.0,  symbol 0.6
    AlphaCase { "downButAway",      false, true,  true,  140,  70,  84 },   // 0.55, symbol 0.33
    AlphaCase { "disabledAway",     false, false, false,  70,  35,  42 }),  // 0.275, symbol 0.165
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
struct DiscCase
{
    const char* name;
    int w, h;
    juce::Rectangle<float> bezelDisc, sphere;
};

class GlassWindowButtonDisc  : public ::testing::TestWithParam<DiscCase> {};

TEST_P (GlassWindowButtonDisc, LargestCircleCentredAlongTheLongerSide)
{
    const auto& c = GetParam();
    ButtonUnderTest b (c.w, c.h);

    Recording r;
    b.button.paintButton (r.g, false, false);
    ASSERT_EQ (r.size(), (size_t) numParts);

    EXPECT_TRUE (rectNear (r[bezel].bounds, c.bezelDisc));
    EXPECT_TRUE (rectNear (r[sphereBody].bounds, c.sphere));
}

INSTANTIATE_TEST_SUITE_P (Cases, GlassWindowButtonDisc, ::testing::Values (
    DiscCase { "tall",   20, 24, { 1.0f, 3.0f, 18.0f, 18.0f }, { 3.0f, 5.0f, 14.0f, 14.0f } },
    DiscCase { "wide",   24, 20, { 3.0f, 1.0f, 18.0f, 18.0f }, { 5.0f, 3.0f, 14.0f, 14.0f } },
    DiscCase { "square", 10, 10, { 0.5f, 0.5f, 9.0f, 9.0f },   { 2.5f, 2.5f, 5.0f, 5.0f } }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (GlassWindowButtonSphere, IsTintedWithTheButtonsColour)
{
    ButtonUnderTest b (20, 24);

    Recording r;
    b.button.paintButton (r.g, true, true);
    ASSERT_EQ (r.size(), (size_t) numParts);

    // Fully opaque when pressed under the pointer: the tint itself at 40 % of the height.
    ASSERT_TRUE (r[sphereBody].isGradient());
    EXPECT_EQ (r[sphereBody].gradient().getColourAtPosition (0.4), juce::Colour (0xff3273a1));
}

TEST (GlassWindowButtonToggle, SwapsTheSymbolAndNothingElse)
{
    ButtonUnderTest b (20, 24);

    Recording normal, toggled;
    b.button.paintButton (normal.g, false, false);
    b.button.setToggleState (true, juce::dontSendNotification);
    b.button.paintButton (toggled.g, false, false);
    ASSERT_EQ (normal.size(), (size_t) numParts);
    ASSERT_EQ (toggled.size(), (size_t) numParts);

    for (size_t i = 0; i < symbol; ++i)
    {
        EXPECT_EQ (normal[i].bounds, toggled[i].bounds) << "part " << i;
        EXPECT_EQ (normal[i].fill, toggled[i].fill) << "part " << i;
    }

    // Scaled into the middle 40 % of the sphere (7.2, 9.2, 5.6, 5.6), centred, proportions kept.
    EXPECT_TRUE (rectNear (normal[symbol].bounds,  { 7.2f, 10.6f, 5.6f, 2.8f }));
    EXPECT_TRUE (rectNear (toggled[symbol].bounds, { 8.6f, 9.2f, 2.8f, 5.6f }));
}
