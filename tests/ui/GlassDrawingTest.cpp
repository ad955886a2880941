#include <gtest/gtest.h>

#include "support/RecordingGraphicsContext.h"
#include "ui/GlassDrawing.h"

using juce::Colour;

//==============================================================================
struct BaseColourCase
{
    const char* name;
    juce::uint32 buttonColour;
    bool focus, over, down;
    juce::uint32 expected;
};

class CreateBaseColour  : public ::testing::TestWithParam<BaseColourCase> {};

TEST_P (CreateBaseColour, ShadesForFocusPointerAndPress)
{
    const auto& c = GetParam();
    EXPECT_EQ (GlassDrawing::createBaseColour (Colour (c.buttonColour), c.focus, c.over, c.down),
               Colour (c.expected));
}

INSTANTIATE_TEST_SUITE_P (Cases, CreateBaseColour, ::testing::Values (
    BaseColourCase { "whiteAtRest",          0xffffffff, false, false, false, 0xffffffff },
    BaseColourCase { "whiteFocused",         0xffffffff, true,  false, false, 0xffffffff },
    BaseColourCase { "whiteDown",            0xffffffff, false, false, true,  0xffcbcbcb },
    BaseColourCase { "whiteHovered",         0xffffffff, false, true,  false, 0xffe4e4e4 },
    BaseColourCase { "whiteDownWinsOver",    0xffffffff, true,  true,  true,  0xffcbcbcb },
    // Pure green desaturated to (26, 255, 26) sums to less than 384, so pressing
    // blends white over it, although it looks bright.
    BaseColourCase { "greenDownLightens",    0xff00ff00, false, false, true,  0xff48ff48 },
    BaseColourCase { "greySumOf384Darkens", 0xb2808080, true,  false, true,  0xc25d5d5d }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (CreateBaseColourSaturation, FocusSaturatesAndItsAbsenceDesaturates)
{
    const Colour ready (0xff7ebf7e);

    EXPECT_NEAR (GlassDrawing::createBaseColour (ready, true,  false, false).getSaturation(),
                 ready.getSaturation() * 1.3f, 0.01f);
    EXPECT_NEAR (GlassDrawing::createBaseColour (ready, false, false, false).getSaturation(),
                 ready.getSaturation() * 0.9f, 0.01f);
}

//==============================================================================
struct CornerCase
{
    const char* name;
    bool topLeft, topRight, bottomLeft, bottomRight;
};

class CreateRoundedPath  : public ::testing::TestWithParam<CornerCase> {};

TEST_P (CreateRoundedPath, CurvesExactlyTheCornersAskedFor)
{
    const auto& c = GetParam();

    juce::Path path;
    GlassDrawing::createRoundedPath (path, 10.0f, 20.0f, 40.0f, 30.0f, 8.0f,
                                     c.topLeft, c.topRight, c.bottomLeft, c.bottomRight);

    EXPECT_TRUE (rectNear (path.getBounds(), { 10.0f, 20.0f, 40.0f, 30.0f }));

    // Just inside each corner of the rectangle: cut off by a round corner, filled by a square one.
    EXPECT_EQ (path.contains (10.5f, 20.5f), ! c.topLeft);
    EXPECT_EQ (path.contains (49.5f, 20.5f), ! c.topRight);
    EXPECT_EQ (path.contains (10.5f, 49.5f), ! c.bottomLeft);
    EXPECT_EQ (path.contains (49.5f, 49.5f), ! c.bottomRight);

    // A round corner is a quarter circle of radius 8: on either side of its 45-degree point.
    const auto r = 8.0f, diagonal = r * 0.70710678f;

    if (c.topLeft)
    {
        EXPECT_TRUE  (path.contains (10.0f + r - diagonal + 0.2f, 20.0f + r - diagonal + 0.2f));
        EXPECT_FALSE (path.contains (10.0f + r - diagonal - 0.2f, 20.0f + r - diagonal - 0.2f));
    }

    if (c.bottomRight)
    {
        EXPECT_TRUE  (path.contains (50.0f - r + diagonal - 0.2f, 50.0f - r + diagonal - 0.2f));
        EXPECT_FALSE (path.contains (50.0f - r + diagonal + 0.2f, 50.0f - r + diagonal + 0.2f));
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, CreateRoundedPath, ::testing::Values (
    CornerCase { "allRound",    true,  true,  true,  true  },
    CornerCase { "allSquare",   false, false, false, false },
    CornerCase { "topLeftOnly", true,  false, false, false },
    CornerCase { "rightSide",   false, true,  false, true  },
    CornerCase { "bottomSide",  false, false, true,  true  }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (CreateRoundedPathShape, IsOneClosedSubPathStartingBelowTheTopLeftCorner)
{
    juce::Path path;
    GlassDrawing::createRoundedPath (path, 0.0f, 0.0f, 40.0f, 20.0f, 5.0f, true, true, true, true);

    int subPaths = 0, closes = 0;
    juce::Point<float> start;

    for (juce::Path::Iterator i (path); i.next();)
    {
        if (i.elementType == juce::Path::Iterator::startNewSubPath)
        {
            if (subPaths++ == 0)
                start = { i.x1, i.y1 };
        }
        else if (i.elementType == juce::Path::Iterator::closePath)
        {
            ++closes;
        }
    }

    // The arcs continue the outline; a new sub-path at each arc would break the fill.
    EXPECT_EQ (subPaths, 1);
    EXPECT_EQ (closes, 1);
    EXPECT_EQ (start, juce::Point<float> (0.0f, 5.0f));
}

TEST (CreateRoundedPathShape, AppendsToWhatThePathAlreadyHolds)
{
    juce::Path path;
    path.addRectangle (100.0f, 100.0f, 10.0f, 10.0f);
    GlassDrawing::createRoundedPath (path, 0.0f, 0.0f, 40.0f, 20.0f, 5.0f, true, true, true, true);

    EXPECT_TRUE (rectNear (path.getBounds(), { 0.0f, 0.0f, 110.0f, 110.0f }));
}

//==============================================================================
struct SizeCase
{
    const char* name;
    float w, h, stroke;
    bool draws;
};

class ShinyButtonShapeSize  : public ::testing::TestWithParam<SizeCase> {};

TEST_P (ShinyButtonShapeSize, DrawsOnlyWhenWiderAndHigherThanElevenTenthsOfTheStroke)
{
    const auto& c = GetParam();
    Recording r;
    GlassDrawing::drawShinyButtonShape (r.g, 0.0f, 0.0f, c.w, c.h, 4.0f, juce::Colours::white, c.stroke,
                                        false, false, false, false);

    EXPECT_EQ (r.size(), c.draws ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P (Cases, ShinyButtonShapeSize, ::testing::Values (
    SizeCase { "heightAtLimit",      50.0f, 1.1f,    1.0f, false },
    SizeCase { "heightAboveLimit",   50.0f, 1.1001f, 1.0f, true  },
    SizeCase { "widthAtLimit",       0.44f, 20.0f,   0.4f, false },
    SizeCase { "widthAboveLimit",    0.45f, 20.0f,   0.4f, true  },
    SizeCase { "zeroWidth",          0.0f,  20.0f,   0.4f, false }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ShinyButtonShape, LightsTheUpperHalfAndOutlinesInHalfBlack)
{
    Recording r;
    GlassDrawing::drawShinyButtonShape (r.g, 10.0f, 5.0f, 60.0f, 20.0f, 4.0f, Colour (0xff808080), 0.9f,
                                        false, false, false, false);
    ASSERT_EQ (r.size(), 2u);

    EXPECT_TRUE (rectNear (r[0].bounds, { 10.0f, 5.0f, 60.0f, 20.0f }));
    EXPECT_TRUE (gradientIs (r[0], false, { 0.0f, 5.0f }, { 0.0f, 25.0f },
                             { { 0.0,  0xff808080 },     // under white of opacity 0
                               { 0.5,  0xff999999 },     // under white of opacity 0.2
                               { 0.51, 0xff767689 },     // under blue of opacity 0.07
                               { 1.0,  0xff7b7b84 } })); // under blue of opacity 0.03

    EXPECT_TRUE (colourIs (r[1], 0x80000000));
    EXPECT_TRUE (rectNear (r[1].bounds, { 9.55f, 4.55f, 60.9f, 20.9f }, 0.01f));

    // Rounded by the maximum corner size of 4.
    EXPECT_FALSE (r[0].path.contains (10.5f, 5.5f));
}

TEST (ShinyButtonShape, CornerSizeZeroAndFlatSidesGiveSquareCorners)
{
    for (auto [maxCorner, flat] : { std::pair { 0.0f, false }, std::pair { 8.0f, true } })
    {
        Recording r;
        GlassDrawing::drawShinyButtonShape (r.g, 0.0f, 0.0f, 60.0f, 20.0f, maxCorner, juce::Colours::white, 0.4f,
                                            flat, flat, flat, flat);
        ASSERT_EQ (r.size(), 2u);

        for (auto corner : { juce::Point<float> (0.2f, 0.2f), { 59.8f, 0.2f }, { 0.2f, 19.8f }, { 59.8f, 19.8f } })
            EXPECT_TRUE (r[0].path.contains (corner)) << "corner " << corner.toString() << ", flat " << flat;
    }
}

//==============================================================================
TEST (GlassSphere, DrawsNothingWhenNoWiderThanItsOutline)
{
    Recording atLimit, above;
    GlassDrawing::drawGlassSphere (atLimit.g, 0.0f, 0.0f, 1.5f, juce::Colours::red, 1.5f);
    GlassDrawing::drawGlassSphere (above.g, 0.0f, 0.0f, 1.51f, juce::Colours::red, 1.5f);

    EXPECT_EQ (atLimit.size(), 0u);
    EXPECT_EQ (above.size(), 4u);
}

TEST (GlassSphere, BodyHighlightRimAndOutline)
{
    Recording r;
    GlassDrawing::drawGlassSphere (r.g, 10.0f, 20.0f, 40.0f, Colour (0xff3273a1), 1.0f);
    ASSERT_EQ (r.size(), 4u);

    // Pale at top and bottom, fully coloured at 40 % of the height.
    EXPECT_TRUE (rectNear (r[0].bounds, { 10.0f, 20.0f, 40.0f, 40.0f }));
    EXPECT_TRUE (gradientIs (r[0], false, { 0.0f, 20.0f }, { 0.0f, 60.0f },
                             { { 0.0, 0xffc1d4e2 }, { 0.4, 0xff3273a1 }, { 1.0, 0xffc1d4e2 } }));

    EXPECT_TRUE (rectNear (r[1].bounds, { 18.0f, 22.0f, 24.0f, 16.0f }));
    EXPECT_TRUE (gradientIs (r[1], false, { 0.0f, 22.4f }, { 0.0f, 32.0f },
                             { { 0.0, 0xffffffff }, { 1.0, 0x00ffffff } }));

    EXPECT_TRUE (rectNear (r[2].bounds, { 10.0f, 20.0f, 40.0f, 40.0f }));
    EXPECT_TRUE (gradientIs (r[2], true, { 30.0f, 40.0f }, { 10.0f, 40.0f },
                             { { 0.0, 0x00000000 }, { 0.7, 0x00000000 }, { 0.8, 0x1a000000 }, { 1.0, 0x80000000 } }));

    EXPECT_TRUE (colourIs (r[3], 0x80000000));
    EXPECT_TRUE (rectNear (r[3].bounds, { 9.5f, 19.5f, 41.0f, 41.0f }, 0.01f));
}

TEST (GlassSphere, FullyTransparentColourStillDrawsWhiteBodyAndFaintRing)
{
    Recording r;
    GlassDrawing::drawGlassSphere (r.g, 0.0f, 0.0f, 20.0f, juce::Colours::transparentBlack, 2.0f);
    ASSERT_EQ (r.size(), 4u);

    // (JUCE's blending over a transparent colour leaves white a hair darker.)
    EXPECT_TRUE (gradientIs (r[0], false, { 0.0f, 0.0f }, { 0.0f, 20.0f },
                             { { 0.0, 0xfffefefe }, { 0.4, 0xfffefefe }, { 1.0, 0xfffefefe } }));
    EXPECT_TRUE (gradientIs (r[2], true, { 10.0f, 10.0f }, { 0.0f, 10.0f },
                             { { 0.0, 0x00000000 }, { 0.7, 0x00000000 }, { 0.8, 0x33000000 }, { 1.0, 0x00000000 } }));
    EXPECT_EQ (r[3].colour().getAlpha(), 0);
}

//==============================================================================
class GlassLozenge  : public ::testing::Test
{
protected:
    // The lozenge of a 100 x 24 button at rest: inset by half its 0.7 outline.
    static constexpr float x = 0.35f, y = 0.35f, w = 99.3f, h = 23.3f, t = 0.7f;
};

TEST_F (GlassLozenge, RoundEndsShadedInTheirOwnClip)
{
    Recording r;
    GlassDrawing::drawGlassLozenge (r.g, x, y, w, h, juce::Colours::white, t, false, false, false, false);
    ASSERT_EQ (r.size(), 5u);

    const auto& body = r[0];
    EXPECT_TRUE (rectNear (body.bounds, { x, y, w, h }));
    EXPECT_TRUE (gradientIs (body, false, { 0.0f, y }, { 0.0f, y + h },
                             { { 0.0,  0xffd4d4d4 }, { 0.03, 0x4cffffff }, { 0.4, 0xffffffff },
                               { 0.97, 0x4cffffff }, { 1.0,  0xffd4d4d4 } }));
    EXPECT_FALSE (body.path.contains (x + 0.5f, y + 0.5f));

    // cs = 11.65, edge = 17.475: stops at 1 - 5.825 / 17.475 and 1 - 2.9125 / 17.475.
    const auto& leftEnd = r[1];
    EXPECT_TRUE (gradientIs (leftEnd, true, { x + 17.475f, y + h * 0.5f }, { x, y + h * 0.5f },
                             { { 0.0, 0x00000000 }, { 2.0 / 3.0, 0x00000000 },
                               { 5.0 / 6.0, 0x4cd4d4d4 }, { 1.0, 0xffd4d4d4 } }));
    EXPECT_EQ (leftEnd.clip, juce::Rectangle<int> (0, 0, 17, 23));

    const auto& rightEnd = r[2];
    EXPECT_TRUE (gradientIs (rightEnd, true, { x + w - 17.475f, y + h * 0.5f }, { x + w, y + h * 0.5f },
                             { { 0.0, 0x00000000 }, { 2.0 / 3.0, 0x00000000 },
                               { 5.0 / 6.0, 0x4cd4d4d4 }, { 1.0, 0xffd4d4d4 } }));
    EXPECT_EQ (rightEnd.clip, juce::Rectangle<int> (82, 0, 19, 23));

    const auto& highlight = r[3];
    EXPECT_TRUE (rectNear (highlight.bounds, { x + 4.66f, y + 1.165f, w - 9.32f, h * 0.4f }));
    EXPECT_TRUE (gradientIs (highlight, false, { 0.0f, y + h * 0.06f }, { 0.0f, y + h * 0.4f },
                             { { 0.0, 0xffffffff }, { 1.0, 0x00ffffff } }));

    const auto& outline = r[4];
    EXPECT_TRUE (colourIs (outline, 0xffb6b6b6));
    EXPECT_TRUE (rectNear (outline.bounds, { 0.0f, 0.0f, 100.0f, 24.0f }, 0.01f));
}

struct FlatCase
{
    const char* name;
    bool left, right, top, bottom;
    bool shadesLeftEnd, shadesRightEnd;
    float highlightX, highlightW;
};

class GlassLozengeFlats  : public GlassLozenge,
                           public ::testing::WithParamInterface<FlatCase> {};

TEST_P (GlassLozengeFlats, FlatSidesAreSquareUnshadedAndHighlightedToTheEdge)
{
    const auto& c = GetParam();
    Recording r;
    GlassDrawing::drawGlassLozenge (r.g, x, y, w, h, juce::Colours::white, t, c.left, c.right, c.top, c.bottom);

    ASSERT_EQ (r.size(), 3u + (c.shadesLeftEnd ? 1u : 0u) + (c.shadesRightEnd ? 1u : 0u));

    const auto& body = r[0];
    EXPECT_EQ (body.path.contains (x + 0.2f, y + 0.2f),         c.left || c.top);
    EXPECT_EQ (body.path.contains (x + w - 0.2f, y + h - 0.2f), c.right || c.bottom);

    size_t next = 1;

    if (c.shadesLeftEnd)
    {
        EXPECT_EQ (r[next++].clip.getX(), 0);
    }

    if (c.shadesRightEnd)
    {
        EXPECT_EQ (r[next++].clip.getX(), 82);
    }

    const auto& highlight = r[next];
    EXPECT_TRUE (rectNear (highlight.bounds, { c.highlightX, y + 1.165f, c.highlightW, h * 0.4f }))
        << "highlight";
    EXPECT_TRUE (colourIs (r[next + 1], 0xffb6b6b6));
}

INSTANTIATE_TEST_SUITE_P (Cases, GlassLozengeFlats, ::testing::Values (
    FlatCase { "none",     false, false, false, false, true,  true,  0.35f + 4.66f, 99.3f - 9.32f },
    FlatCase { "left",     true,  false, false, false, false, true,  0.35f,         99.3f - 4.66f },
    FlatCase { "right",    false, true,  false, false, true,  false, 0.35f + 4.66f, 99.3f - 4.66f },
    FlatCase { "top",      false, false, true,  false, false, false, 0.35f + 4.66f, 99.3f - 9.32f },
    FlatCase { "allFour",  true,  true,  true,  true,  false, false, 0.35f,         99.3f }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (GlassLozengeNarrow, NarrowerThanHighRoundsBothEndsIntoEachOther)
{
    Recording r;
    GlassDrawing::drawGlassLozenge (r.g, 0.0f, 0.0f, 10.0f, 30.0f, juce::Colours::white, 0.5f,
                                    false, false, false, false);
    ASSERT_EQ (r.size(), 5u);

    // cs = 5: the top is a half circle, so its middle is filled and its corners are not.
    EXPECT_TRUE  (r[0].path.contains (5.0f, 0.3f));
    EXPECT_FALSE (r[0].path.contains (0.6f, 0.6f));

    // edge = 22.5 + 20 = 42.5.
    EXPECT_TRUE (gradientIs (r[1], true, { 42.5f, 15.0f }, { 0.0f, 15.0f },
                             { { 0.0, 0x00000000 }, { 1.0 - 2.5 / 42.5, 0x00000000 },
                               { 1.0 - 1.25 / 42.5, 0x4cd4d4d4 }, { 1.0, 0xffd4d4d4 } }));
}

TEST (GlassLozengeSize, DrawsNothingWhenNoWiderOrHigherThanItsOutline)
{
    for (auto [w, h] : { std::pair { 0.5f, 20.0f }, std::pair { 20.0f, 0.5f }, std::pair { 0.0f, 20.0f } })
    {
        Recording r;
        GlassDrawing::drawGlassLozenge (r.g, 1.0f, 1.0f, w, h, juce::Colours::white, 0.5f, true, true, true, true);
        EXPECT_EQ (r.size(), 0u) << w << " x " << h;
    }
}
