#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

#include "support/RecordingGraphicsContext.h"
#include "ui/GlassDrawing.h"
#include "ui/GlassWindowButton.h"
#include "ui/TemplateLookAndFeel.h"

// How thick each outline and symbol is drawn. A stroke reaches the context as the fill
// of its outline, so its width is measured across that fill, where the line runs straight.

namespace
{
    /** How much of the line from a to b lies inside the filled shape. */
    float filledLengthAcross (const juce::Path& shape, juce::Point<float> a, juce::Point<float> b)
    {
        constexpr int steps = 4000;
        int inside = 0;

        for (int i = 0; i < steps; ++i)
            if (shape.contains (a + (b - a) * (((float) i + 0.5f) / (float) steps)))
                ++inside;

        return a.getDistanceFrom (b) * (float) inside / (float) steps;
    }

    /** The sub-paths of a shape made of Path::addLineSegment calls: four corners each. */
    std::vector<std::vector<juce::Point<float>>> cornersOfSegments (const juce::Path& shape)
    {
        std::vector<std::vector<juce::Point<float>>> segments;

        for (juce::Path::Iterator i (shape); i.next();)
        {
            if (i.elementType == juce::Path::Iterator::startNewSubPath)
                segments.emplace_back();

            if (i.elementType == juce::Path::Iterator::startNewSubPath || i.elementType == juce::Path::Iterator::lineTo)
                segments.back().push_back ({ i.x1, i.y1 });
        }

        return segments;
    }

    // The symbol is what a glass window button fills last.
    juce::Path symbolOf (int buttonType, bool toggled)
    {
        TemplateLookAndFeel laf;
        std::unique_ptr<juce::Button> button (laf.createDocumentWindowButton (buttonType));
        button->setSize (40, 40);
        button->setToggleState (toggled, juce::dontSendNotification);

        Recording r;
        dynamic_cast<GlassWindowButton&> (*button).paintButton (r.g, false, false);
        return r[r.size() - 1].path;
    }
}

//==============================================================================
struct SymbolCase
{
    const char* name;
    int buttonType;
    size_t bars;
    float barLength;    // in units of the symbol's square
    float thickness;    // in the same units
};

class WindowButtonSymbolStroke  : public ::testing::TestWithParam<SymbolCase> {};

TEST_P (WindowButtonSymbolStroke, BarsAreAsThickAsTheirShareOfTheSquare)
{
    const auto& c = GetParam();
    const auto segments = cornersOfSegments (symbolOf (c.buttonType, false));
    ASSERT_EQ (segments.size(), c.bars);

    for (auto& corners : segments)
    {
        ASSERT_EQ (corners.size(), 4u);

        // Corners 0 and 1 sit across one end of the bar, 1 and 2 along it.
        const auto thickness = corners[0].getDistanceFrom (corners[1]);
        const auto unit = corners[1].getDistanceFrom (corners[2]) / c.barLength;

        EXPECT_NEAR (thickness / unit, c.thickness, 1.0e-3f);
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, WindowButtonSymbolStroke, ::testing::Values (
    // The base cross thickness is 0.25; the close cross is 1.4 times that.
    SymbolCase { "closeCross",   4, 2, std::sqrt (2.0f), 0.35f },
    SymbolCase { "minimiseBar",  1, 1, 1.0f,             0.25f },
    SymbolCase { "maximisePlus", 2, 2, 1.0f,             0.25f }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (FullScreenSymbolStroke, SymbolIsStrokedThirtyOfItsUnitsWide)
{
    const auto shape = symbolOf (juce::DocumentWindow::maximiseButton, true);
    const auto bounds = shape.getBounds();

    // The symbol spans -15 to 160 of its own units: the stroke's half width past 0 and 145.
    const auto unit = bounds.getWidth() / 175.0f;
    const auto at = [&] (float x, float y) { return bounds.getPosition() + juce::Point<float> (x + 15.0f, y + 15.0f) * unit; };

    // Across the corner polyline's top side, and across the square's bottom side.
    EXPECT_NEAR (filledLengthAcross (shape, at (20.0f, -30.0f), at (20.0f, 30.0f)) / unit, 30.0f, 0.2f);
    EXPECT_NEAR (filledLengthAcross (shape, at (120.0f, 115.0f), at (120.0f, 175.0f)) / unit, 30.0f, 0.2f);
}

//==============================================================================
TEST (ScrollbarButtonStroke, ArrowOutlineIsHalfAPixel)
{
    TemplateLookAndFeel laf;
    juce::ScrollBar scrollBar (true);

    for (auto [direction, from, to] : { std::tuple { 0, juce::Point<float> (10.0f, 12.0f), juce::Point<float> (10.0f, 16.0f) },    // up: base at 14
                                        std::tuple { 1, juce::Point<float> (4.0f, 10.0f),  juce::Point<float> (8.0f, 10.0f) },     // right: base at 6
                                        std::tuple { 2, juce::Point<float> (10.0f, 4.0f),  juce::Point<float> (10.0f, 8.0f) },     // down: base at 6
                                        std::tuple { 3, juce::Point<float> (12.0f, 10.0f), juce::Point<float> (16.0f, 10.0f) } })  // left: base at 14
    {
        Recording r;
        laf.drawScrollbarButton (r.g, scrollBar, 20, 20, direction, true, false, false);
        ASSERT_EQ (r.size(), 2u);

        // Only the outline crosses the base; inside it, the fill holds the rest of the line.
        EXPECT_NEAR (filledLengthAcross (r[1].path, from, to), 0.5f, 0.01f) << "direction " << direction;
    }
}

//==============================================================================
TEST (ProgressBarStroke, OnePixelFrameAndAHalfPixelOutlineRoundTheDonePart)
{
    TemplateLookAndFeel laf;
    double value = 0.0;
    juce::ProgressBar bar (value);
    bar.setLookAndFeel (&laf);

    Recording r;
    laf.drawProgressBar (r.g, bar, 202, 20, 0.5, {});
    ASSERT_EQ (r.size(), 5u);

    // The frame: a rectangle outline one pixel wide on every side.
    EXPECT_NEAR (filledLengthAcross (r[1].path, { -1.0f, 10.0f }, { 5.0f, 10.0f }), 1.0f, 0.01f);
    EXPECT_NEAR (filledLengthAcross (r[1].path, { 100.0f, -1.0f }, { 100.0f, 5.0f }), 1.0f, 0.01f);
    EXPECT_NEAR (filledLengthAcross (r[1].path, { 198.0f, 10.0f }, { 203.0f, 10.0f }), 1.0f, 0.01f);

    // The glass bar ends at 1 + 100: its outline straddles that edge.
    const auto& outline = r[4];
    EXPECT_NEAR (filledLengthAcross (outline.path, { 99.0f, 10.0f }, { 103.0f, 10.0f }), 0.5f, 0.01f);
    EXPECT_NEAR (filledLengthAcross (outline.path, { 50.0f, 0.0f }, { 50.0f, 3.0f }), 0.5f, 0.01f);
}

//==============================================================================
namespace
{
    void drawSlider (juce::Graphics& g, bool enabled)
    {
        juce::Slider s (juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
        s.setSize (100, 20);
        s.setEnabled (enabled);
        TemplateLookAndFeel().drawLinearSlider (g, 0, 0, 100, 20, 60.0f, 0.0f, 100.0f, juce::Slider::LinearHorizontal, s);
    }
}

struct SphereCase
{
    const char* name;
    std::function<void (juce::Graphics&)> draw;
    size_t ring;                   // which fill is the sphere's ring
    juce::Point<float> leftmost;   // of the sphere, on its centre line
    float thickness;
};

class SphereOutlineStroke  : public ::testing::TestWithParam<SphereCase> {};

TEST_P (SphereOutlineStroke, RingIsTheOutlineThickness)
{
    const auto& c = GetParam();
    Recording r;
    c.draw (r.g);
    ASSERT_GT (r.size(), c.ring);

    // The ring is centred on the sphere's edge.
    const auto& ring = r[c.ring];
    const auto across = filledLengthAcross (ring.path, c.leftmost - juce::Point<float> (2.0f, 0.0f),
                                            c.leftmost + juce::Point<float> (2.0f, 0.0f));
    EXPECT_NEAR (across, c.thickness, 0.02f);
}

INSTANTIATE_TEST_SUITE_P (Cases, SphereOutlineStroke, ::testing::Values (
    SphereCase { "routine",
                 [] (juce::Graphics& g) { GlassDrawing::drawGlassSphere (g, 10.0f, 20.0f, 40.0f, juce::Colours::red, 1.5f); },
                 3, { 10.0f, 40.0f }, 1.5f },
    // A tick box 18 wide: sphere 12.6 across at (4, 4.7).
    SphereCase { "tickBoxAtRest",
                 [] (juce::Graphics& g) { juce::ToggleButton t; TemplateLookAndFeel().drawTickBox (g, t, 4.0f, 2.0f, 18.0f, 18.0f, false, true, false, false); },
                 3, { 4.0f, 11.0f }, 0.5f },
    SphereCase { "tickBoxHovered",
                 [] (juce::Graphics& g) { juce::ToggleButton t; TemplateLookAndFeel().drawTickBox (g, t, 4.0f, 2.0f, 18.0f, 18.0f, false, true, true, false); },
                 3, { 4.0f, 11.0f }, 1.1f },
    SphereCase { "tickBoxDisabled",
                 [] (juce::Graphics& g) { juce::ToggleButton t; TemplateLookAndFeel().drawTickBox (g, t, 4.0f, 2.0f, 18.0f, 18.0f, false, false, true, true); },
                 3, { 4.0f, 11.0f }, 0.3f },
    // A slider 100 x 20 at 60: knob of radius 7 from (53, 3), drawn after the track and its outline.
    SphereCase { "sliderKnob",
                 [] (juce::Graphics& g) { drawSlider (g, true); },
                 5, { 53.0f, 10.0f }, 0.8f },
    SphereCase { "sliderKnobDisabled",
                 [] (juce::Graphics& g) { drawSlider (g, false); },
                 5, { 53.0f, 10.0f }, 0.3f }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
namespace
{
    /** How far in from the left edge the bevel's left-hand columns reach. */
    int bevelDepthOnTheLeft (const RecordingGraphicsContext& r, size_t firstBevelFill)
    {
        int depth = 0;

        for (size_t i = firstBevelFill; i < r.size(); ++i)
        {
            const auto bounds = r[i].bounds;

            if (bounds.getWidth() == 1.0f && bounds.getX() < 100.0f)
                depth = juce::jmax (depth, (int) bounds.getRight());
        }

        return depth;
    }
}

TEST (TextEditorBevelStroke, ThreePixelsDeepAtRestOverAOnePixelOutline)
{
    TemplateLookAndFeel laf;
    juce::TextEditor editor;
    editor.setSize (200, 30);

    Recording r;
    laf.drawTextEditorOutline (r.g, 200, 30, editor);
    ASSERT_EQ (r.size(), 1u + 4u * 3u);

    EXPECT_NEAR (filledLengthAcross (r[0].path, { -1.0f, 15.0f }, { 5.0f, 15.0f }), 1.0f, 0.01f);
    EXPECT_EQ (bevelDepthOnTheLeft (r.context, 1), 3);
}
