#include <gtest/gtest.h>

#include "support/RecordingGraphicsContext.h"
#include "ui/TemplateLookAndFeel.h"

using juce::Colour;

//==============================================================================
struct ArrowCase
{
    const char* name;
    int direction;
    bool down;
    juce::Rectangle<float> triangle;   // empty: nothing drawn
    juce::uint32 colour;
};

class ScrollbarButton  : public ::testing::TestWithParam<ArrowCase> {};

TEST_P (ScrollbarButton, TriangleInTheThumbColourOutlinedInHalfBlack)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::ScrollBar scrollBar (true);
    scrollBar.setLookAndFeel (&laf);

    Recording r;
    laf.drawScrollbarButton (r.g, scrollBar, 20, 20, c.direction, true, false, c.down);

    if (c.triangle.isEmpty())
    {
        EXPECT_EQ (r.size(), 0u);
        return;
    }

    ASSERT_EQ (r.size(), 2u);
    EXPECT_TRUE (rectNear (r[0].bounds, c.triangle));
    EXPECT_TRUE (colourIs (r[0], c.colour));
    EXPECT_TRUE (colourIs (r[1], 0x80000000));
}

INSTANTIATE_TEST_SUITE_P (Cases, ScrollbarButton, ::testing::Values (
    ArrowCase { "up",        0, false, { 2.0f, 4.0f, 16.0f, 10.0f }, 0xffffffff },
    ArrowCase { "right",     1, false, { 6.0f, 2.0f, 10.0f, 16.0f }, 0xffffffff },
    ArrowCase { "downArrow", 2, false, { 2.0f, 6.0f, 16.0f, 10.0f }, 0xffffffff },
    ArrowCase { "left",      3, false, { 4.0f, 2.0f, 10.0f, 16.0f }, 0xffffffff },
    ArrowCase { "pressed",   0, true,  { 2.0f, 4.0f, 16.0f, 10.0f }, 0xffcbcbcb },
    ArrowCase { "unknown",   4, false, {},                           0 }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
struct ScrollbarCase
{
    const char* name;
    bool vertical;
    juce::Rectangle<int> area;
    int thumbStart, thumbSize;
    juce::Rectangle<float> slot, thumb;       // thumb empty: none
    juce::Point<float> shade1Start, shade1End, shade2Start, shade2End;
    juce::Rectangle<int> thumbShadeClip;
};

class Scrollbar  : public ::testing::TestWithParam<ScrollbarCase> {};

TEST_P (Scrollbar, RoundedSlotAndThumbShadedTowardsTheFarSide)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::ScrollBar scrollBar (c.vertical);
    scrollBar.setLookAndFeel (&laf);

    Recording r;
    laf.drawScrollbar (r.g, scrollBar, c.area.getX(), c.area.getY(), c.area.getWidth(), c.area.getHeight(),
                       c.vertical, c.thumbStart, c.thumbSize, false, false);

    // The background is transparent: nothing to fill.
    ASSERT_EQ (r.size(), c.thumb.isEmpty() ? 2u : 5u);

    EXPECT_TRUE (rectNear (r[0].bounds, c.slot));
    EXPECT_FALSE (r[0].path.contains (c.slot.getX() + 0.6f, c.slot.getY() + 0.6f));   // radius: half the width
    EXPECT_TRUE (gradientIs (r[0], false, c.shade1Start, c.shade1End, { { 0.0, 0xffb9b9b9 }, { 1.0, 0xffe4e4e4 } }));

    EXPECT_TRUE (rectNear (r[1].bounds, c.slot));
    EXPECT_TRUE (gradientIs (r[1], false, c.shade2Start, c.shade2End, { { 0.0, 0x00000000 }, { 1.0, 0x1a000000 } }));

    if (c.thumb.isEmpty())
        return;

    EXPECT_TRUE (rectNear (r[2].bounds, c.thumb));
    EXPECT_TRUE (colourIs (r[2], 0xffffffff));

    EXPECT_TRUE (rectNear (r[3].bounds, c.thumb));
    EXPECT_TRUE (gradientIs (r[3], false, c.shade2Start, c.shade2End, { { 0.0, 0x0d000000 }, { 1.0, 0x00000000 } }));
    EXPECT_EQ (r[3].clip, c.thumbShadeClip);

    EXPECT_TRUE (colourIs (r[4], 0x4c000000));
    EXPECT_TRUE (rectNear (r[4].bounds, c.thumb.expanded (0.2f), 0.01f));
}

INSTANTIATE_TEST_SUITE_P (Cases, Scrollbar, ::testing::Values (
    ScrollbarCase { "vertical18", true, { 0, 0, 18, 100 }, 20, 30,
                    { 1.0f, 1.0f, 16.0f, 98.0f }, { 2.0f, 22.0f, 14.0f, 26.0f },
                    { 0.0f, 0.0f }, { 12.6f, 0.0f }, { 10.8f, 0.0f }, { 18.0f, 0.0f }, { 9, 0, 18, 100 } },
    ScrollbarCase { "vertical15", true, { 0, 0, 15, 100 }, 20, 30,
                    { 0.0f, 0.0f, 15.0f, 100.0f }, { 1.0f, 21.0f, 13.0f, 28.0f },
                    { 0.0f, 0.0f }, { 10.5f, 0.0f }, { 9.0f, 0.0f }, { 15.0f, 0.0f }, { 7, 0, 15, 100 } },
    ScrollbarCase { "verticalPlaced", true, { 5, 7, 18, 100 }, 20, 30,
                    { 6.0f, 8.0f, 16.0f, 98.0f }, { 7.0f, 22.0f, 14.0f, 26.0f },
                    { 5.0f, 0.0f }, { 17.6f, 0.0f }, { 15.8f, 0.0f }, { 23.0f, 0.0f }, { 14, 7, 18, 100 } },
    ScrollbarCase { "horizontal18", false, { 0, 0, 100, 18 }, 20, 30,
                    { 1.0f, 1.0f, 98.0f, 16.0f }, { 22.0f, 2.0f, 26.0f, 14.0f },
                    { 0.0f, 0.0f }, { 0.0f, 12.6f }, { 0.0f, 10.8f }, { 0.0f, 18.0f }, { 0, 9, 100, 18 } },
    ScrollbarCase { "thumbOfSizeZero", true, { 0, 0, 18, 100 }, 20, 0,
                    { 1.0f, 1.0f, 16.0f, 98.0f }, {},
                    { 0.0f, 0.0f }, { 12.6f, 0.0f }, { 10.8f, 0.0f }, { 18.0f, 0.0f }, {} }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ScrollbarEffects, NoDropShadowOnScrollBarsOrSliders)
{
    TemplateLookAndFeel laf;
    juce::Slider slider;

    EXPECT_EQ (laf.getScrollbarEffect(), nullptr);
    EXPECT_EQ (laf.getSliderEffect (slider), nullptr);
}

//==============================================================================
TEST (MenuBarBackground, EnabledIsAShinyBarWhoseEndsHideOutsideTheBar)
{
    TemplateLookAndFeel laf;
    juce::MenuBarComponent bar;
    bar.setLookAndFeel (&laf);
    bar.setSize (300, 24);

    Recording r;
    laf.drawMenuBarBackground (r.g, 300, 24, false, bar);
    ASSERT_EQ (r.size(), 2u);

    EXPECT_TRUE (rectNear (r[0].bounds, { -4.0f, 0.0f, 308.0f, 24.0f }));
    EXPECT_TRUE (gradientIs (r[0], false, { 0.0f, 0.0f }, { 0.0f, 24.0f },
                             { { 0.0, 0xffffffff }, { 0.5, 0xffffffff }, { 0.51, 0xffececff }, { 1.0, 0xfff6f6ff } }));
    EXPECT_TRUE (r[0].path.contains (-3.9f, 0.1f));   // square corners

    EXPECT_TRUE (colourIs (r[1], 0x80000000));
    EXPECT_TRUE (rectNear (r[1].bounds, { -4.2f, -0.2f, 308.4f, 24.4f }, 0.01f));
}

TEST (MenuBarBackground, DisabledIsAFlatWhiteFill)
{
    TemplateLookAndFeel laf;
    juce::MenuBarComponent bar;
    bar.setLookAndFeel (&laf);
    bar.setSize (300, 24);
    bar.setEnabled (false);

    Recording r;
    laf.drawMenuBarBackground (r.g, 300, 24, false, bar);
    ASSERT_EQ (r.size(), 1u);
    EXPECT_TRUE (colourIs (r[0], 0xffffffff));
}

//==============================================================================
struct BarCase
{
    const char* name;
    bool enabled;
    float position;
    juce::uint32 background;
    float stroke;   // 0: no bar drawn
};

class LinearBarSlider  : public ::testing::TestWithParam<BarCase> {};

TEST_P (LinearBarSlider, HalfWhiteBackgroundAndAShinyBarUpToThePosition)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::Slider slider (juce::Slider::LinearBar, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&laf);
    slider.setSize (100, 20);
    slider.setEnabled (c.enabled);

    Recording r (juce::Rectangle<int> (0, 0, 100, 20));
    laf.drawLinearSlider (r.g, 0, 0, 100, 20, c.position, 0.0f, 100.0f, juce::Slider::LinearBar, slider);
    ASSERT_EQ (r.size(), c.stroke > 0.0f ? 3u : 1u);

    EXPECT_TRUE (colourIs (r[0], c.background));
    EXPECT_TRUE (rectNear (r[0].bounds, { 0.0f, 0.0f, 100.0f, 20.0f }));

    if (c.stroke > 0.0f)
    {
        const juce::Rectangle<float> bar (0.0f, 0.0f, c.position, 20.0f);
        EXPECT_TRUE (rectNear (r[1].bounds, bar));
        EXPECT_TRUE (r[1].isGradient());
        EXPECT_TRUE (colourIs (r[2], 0x80000000));
        EXPECT_TRUE (rectNear (r[2].bounds, bar.expanded (c.stroke / 2.0f), 0.01f));
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, LinearBarSlider, ::testing::Values (
    BarCase { "enabled",       true,  60.0f, 0x80ffffff, 0.9f },
    BarCase { "disabled",      false, 60.0f, 0x26ffffff, 0.3f },
    BarCase { "atItsStart",    true,  0.0f,  0x80ffffff, 0.0f }),
    [] (const auto& info) { return std::string (info.param.name); });

struct TrackCase
{
    const char* name;
    juce::Slider::SliderStyle style;
    int w, h;
    bool enabled;
    juce::Rectangle<float> track;
    juce::Point<float> shadeStart, shadeEnd;
    juce::uint32 firstColour;
    juce::Rectangle<float> knob;
    float knobOutline;
};

class LinearSliderTrack  : public ::testing::TestWithParam<TrackCase> {};

TEST_P (LinearSliderTrack, SunkenTrackOverTheWholeLengthAndAGlassKnob)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::Slider slider (c.style, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&laf);
    slider.setSize (c.w, c.h);
    slider.setEnabled (c.enabled);

    Recording r;
    laf.drawLinearSlider (r.g, 0, 0, c.w, c.h, 60.0f, 0.0f, 100.0f, c.style, slider);
    ASSERT_EQ (r.size(), 6u);

    EXPECT_TRUE (rectNear (r[0].bounds, c.track));
    EXPECT_TRUE (gradientIs (r[0], false, c.shadeStart, c.shadeEnd, { { 0.0, c.firstColour }, { 1.0, 0x8bd7d7d7 } }));
    EXPECT_TRUE (colourIs (r[1], 0x4c000000));
    EXPECT_TRUE (rectNear (r[1].bounds, c.track.expanded (0.25f), 0.05f));

    EXPECT_TRUE (rectNear (r[2].bounds, c.knob));
    EXPECT_TRUE (rectNear (r[5].bounds, c.knob.expanded (c.knobOutline / 2.0f), 0.01f));
}

INSTANTIATE_TEST_SUITE_P (Cases, LinearSliderTrack, ::testing::Values (
    TrackCase { "horizontal", juce::Slider::LinearHorizontal, 100, 20, true,
                { 0.0f, 6.5f, 100.0f, 7.0f }, { 0.0f, 6.5f }, { 0.0f, 13.5f }, 0xa1969696,
                { 53.0f, 3.0f, 14.0f, 14.0f }, 0.8f },
    TrackCase { "horizontalDisabled", juce::Slider::LinearHorizontal, 100, 20, false,
                { 0.0f, 6.5f, 100.0f, 7.0f }, { 0.0f, 6.5f }, { 0.0f, 13.5f }, 0x91c2c2c2,
                { 53.0f, 3.0f, 14.0f, 14.0f }, 0.3f },
    TrackCase { "vertical", juce::Slider::LinearVertical, 20, 100, true,
                { 6.5f, 0.0f, 7.0f, 100.0f }, { 6.5f, 0.0f }, { 13.5f, 0.0f }, 0xa1969696,
                { 3.0f, 53.0f, 14.0f, 14.0f }, 0.8f },
    // Thumb radius 5 on a slider 10 high.
    TrackCase { "lowHorizontal", juce::Slider::LinearHorizontal, 100, 10, true,
                { 0.0f, 2.5f, 100.0f, 5.0f }, { 0.0f, 2.5f }, { 0.0f, 7.5f }, 0xa1969696,
                { 55.0f, 0.0f, 10.0f, 10.0f }, 0.8f }),
    [] (const auto& info) { return std::string (info.param.name); });

struct RadiusCase
{
    int w, h, radius;
};

void PrintTo (const RadiusCase& c, std::ostream* os)  { *os << c.w << " x " << c.h; }

class SliderThumbRadius  : public ::testing::TestWithParam<RadiusCase> {};

TEST_P (SliderThumbRadius, SevenAtMostAndHalfTheSmallerSide)
{
    TemplateLookAndFeel laf;
    juce::Slider slider;
    slider.setSize (GetParam().w, GetParam().h);

    EXPECT_EQ (laf.getSliderThumbRadius (slider), GetParam().radius);
}

INSTANTIATE_TEST_SUITE_P (Sizes, SliderThumbRadius, ::testing::Values (
    RadiusCase { 100, 10, 5 }, RadiusCase { 40, 40, 7 }, RadiusCase { 11, 100, 5 }, RadiusCase { 3, 3, 1 }));

TEST (SliderButtons, PlusAndMinusTextButtonsWithoutTooltip)
{
    TemplateLookAndFeel laf;
    juce::Slider slider;

    for (auto [increment, name] : { std::pair { true, "+" }, std::pair { false, "-" } })
    {
        std::unique_ptr<juce::Button> button (laf.createSliderButton (slider, increment));
        ASSERT_NE (dynamic_cast<juce::TextButton*> (button.get()), nullptr);
        EXPECT_EQ (button->getName(), name);
        EXPECT_EQ (button->getButtonText(), name);
        EXPECT_TRUE (button->getTooltip().isEmpty());
    }
}
