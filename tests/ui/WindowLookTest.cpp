#include <gtest/gtest.h>

#include <algorithm>

#include "support/RecordingGraphicsContext.h"
#include "support/ShownComponent.h"
#include "ui/GlassWindowButton.h"
#include "ui/TemplateLookAndFeel.h"

using juce::Colour;

namespace
{
    const Colour windowBackground (0xffeff2f3);
    const Colour secondWindowColour (0xff3273a1);

    const juce::String title ("Arvella version 1.2 - R688");

    /** A window as the program builds them: background, second colour, all three buttons. */
    struct ProgramWindow  : public juce::DocumentWindow
    {
        explicit ProgramWindow (bool onDesktop)
            : DocumentWindow (title, windowBackground, allButtons, onDesktop)
        {
            TemplateLookAndFeel::setSecondWindowColour (*this, secondWindowColour);
        }
    };

    bool channelsNear (Colour a, Colour b, int tolerance)
    {
        return std::abs ((int) a.getRed()   - (int) b.getRed())   <= tolerance
            && std::abs ((int) a.getGreen() - (int) b.getGreen()) <= tolerance
            && std::abs ((int) a.getBlue()  - (int) b.getBlue())  <= tolerance;
    }
}

//==============================================================================
class TitleBar  : public ::testing::Test
{
protected:
    RecordingGraphicsContext drawTitleBar (juce::DocumentWindow& window, int titleSpaceX, int titleSpaceW,
                                           bool onLeft = false, const juce::Image* icon = nullptr)
    {
        Recording r (juce::Rectangle<int> (0, 0, 600, 26));
        laf.drawDocumentWindowTitleBar (window, r.g, 600, 26, titleSpaceX, titleSpaceW, icon, onLeft);
        return r.context;
    }

    static juce::Font titleFont()      { return juce::Font (26.0f * 0.65f, juce::Font::bold); }

    TemplateLookAndFeel laf;
    ProgramWindow window { false };
};

TEST_F (TitleBar, ShadedFromTheSecondColourDownToTheBackground)
{
    const auto r = drawTitleBar (window, 6, 500);
    ASSERT_GT (r.size(), 1u);

    EXPECT_TRUE (rectNear (r[0].bounds, { 0.0f, 0.0f, 600.0f, 26.0f }));
    EXPECT_TRUE (gradientIs (r[0], false, { 0.0f, 0.0f }, { 0.0f, 26.0f },
                             { { 0.0, 0xff3273a1 }, { 1.0, 0xffeff2f3 } }));
}

TEST_F (TitleBar, WindowWithoutASecondColourGetsAFlatBar)
{
    juce::DocumentWindow plain ("Plain", windowBackground, juce::DocumentWindow::allButtons, false);

    const auto r = drawTitleBar (plain, 6, 500);
    ASSERT_GT (r.size(), 1u);
    EXPECT_TRUE (gradientIs (r[0], false, { 0.0f, 0.0f }, { 0.0f, 26.0f },
                             { { 0.0, 0xffeff2f3 }, { 1.0, 0xffeff2f3 } }));
}

TEST_F (TitleBar, TitleIsBoldAtSixtyFiveHundredthsOfTheBarCentredOnTheWholeBar)
{
    const auto r = drawTitleBar (window, 6, 500);
    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());

    for (auto& glyph : glyphs)
    {
        EXPECT_FLOAT_EQ (glyph.font.getHeight(), 16.9f);
        EXPECT_TRUE (glyph.font.isBold());
    }

    const auto textW = titleFont().getStringWidth (title);
    EXPECT_FLOAT_EQ (glyphs.front().origin.x, (float) ((600 - textW) / 2));
}

TEST_F (TitleBar, NeverRunsIntoTheButtons)
{
    // Centred, it would end past the free span's end at 356.
    const auto textW = titleFont().getStringWidth (title);
    ASSERT_LT (textW, 350);
    ASSERT_GT ((600 - textW) / 2 + textW, 356);

    const auto r = drawTitleBar (window, 6, 350);
    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());
    EXPECT_FLOAT_EQ (glyphs.front().origin.x, (float) (356 - textW));
    EXPECT_EQ (glyphs.size(), (size_t) title.removeCharacters (" ").length());
}

TEST_F (TitleBar, TooLongTitleGetsTheFreeSpanAndAnEllipsis)
{
    const auto r = drawTitleBar (window, 6, 60);
    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());

    EXPECT_FLOAT_EQ (glyphs.front().origin.x, 6.0f);
    EXPECT_LE (glyphs.back().bounds.getRight(), 66.0f + 0.5f);
    EXPECT_LT (glyphs.size(), (size_t) title.removeCharacters (" ").length());
}

TEST_F (TitleBar, TitleOnTheLeftStartsWhereTheFreeSpanStarts)
{
    const auto r = drawTitleBar (window, 40, 500, true);
    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());
    EXPECT_FLOAT_EQ (glyphs.front().origin.x, 40.0f);
}

TEST_F (TitleBar, InactiveWindowHasTheLighterTitleAndFadedIcon)
{
    ASSERT_FALSE (window.isActiveWindow());

    juce::Image icon (juce::Image::ARGB, 32, 16, true);
    const auto r = drawTitleBar (window, 6, 500, false, &icon);

    // The icon is font height (16) high and keeps its proportions: 32 + 4 wide.
    const auto textW = titleFont().getStringWidth (title);
    const auto textX = (600 - (textW + 36)) / 2;

    const auto image = std::find_if (r.getFills().begin(), r.getFills().end(),
                                     [] (const RecordedFill& f) { return f.kind == RecordedFill::Kind::image; });
    ASSERT_NE (image, r.getFills().end());
    EXPECT_TRUE (rectNear (image->bounds, { (float) textX + 2.0f, 5.0f, 32.0f, 16.0f }));
    EXPECT_EQ (image->colour().getAlpha(), 153);

    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());
    EXPECT_FLOAT_EQ (glyphs.front().origin.x, (float) (textX + 36));

    for (auto& glyph : glyphs)
        EXPECT_TRUE (colourIs (glyph, 0xff8e9091));
}

//==============================================================================
/** The title bar of a window on the desktop, rendered into pixels. */
class RenderedTitleBar  : public ::testing::Test
{
protected:
    RenderedTitleBar()
    {
        window.setLookAndFeel (&laf);
        window.setBounds (100, 100, 600, 200);
    }

    ~RenderedTitleBar() override
    {
        window.setLookAndFeel (nullptr);
    }

    juce::Image renderTitleBar (const juce::String& name)
    {
        window.setName (name);

        const auto area = window.getTitleBarArea();
        juce::Image image (juce::Image::RGB, area.getWidth(), area.getHeight(), true);
        juce::Graphics g (image);
        laf.drawDocumentWindowTitleBar (window, g, area.getWidth(), area.getHeight(),
                                        6, area.getWidth() - 100, nullptr, false);
        return image;
    }

    // Where the title is fully inked, its pixels are the title colour itself.
    Colour mostInkedTitlePixel()
    {
        const auto withTitle = renderTitleBar (title);
        const auto without = renderTitleBar ({});

        Colour mostInked;
        int largestDifference = -1;

        for (int y = 0; y < withTitle.getHeight(); ++y)
        {
            for (int x = 0; x < withTitle.getWidth(); ++x)
            {
                const auto a = withTitle.getPixelAt (x, y), b = without.getPixelAt (x, y);
                const auto difference = std::abs ((int) a.getRed()   - (int) b.getRed())
                                      + std::abs ((int) a.getGreen() - (int) b.getGreen())
                                      + std::abs ((int) a.getBlue()  - (int) b.getBlue());

                if (difference > largestDifference)
                {
                    largestDifference = difference;
                    mostInked = a;
                }
            }
        }

        return mostInked;
    }

    TemplateLookAndFeel laf;
    ProgramWindow window { true };
};

TEST_F (RenderedTitleBar, BlueAtTheTopNearlyBackgroundAtTheBottom)
{
    const auto image = renderTitleBar ({});
    ASSERT_EQ (image.getHeight(), 26);

    // Pixel centres lie half a row into the gradient.
    for (int y : { 0, 13, 25 })
    {
        const auto expected = secondWindowColour.interpolatedWith (windowBackground, ((float) y + 0.5f) / 26.0f);
        EXPECT_TRUE (channelsNear (image.getPixelAt (3, y), expected, 4))
            << "row " << y << ": " << image.getPixelAt (3, y).toString() << ", expected " << expected.toString();
    }
}

TEST_F (RenderedTitleBar, InactiveTitleIsTheLighterGrey)
{
    ASSERT_FALSE (window.isActiveWindow());

    const auto pixel = mostInkedTitlePixel();
    EXPECT_TRUE (channelsNear (pixel, Colour (0xff8e9091), 2)) << pixel.toString();
}

TEST_F (RenderedTitleBar, ActiveTitleIsTheDarkerGrey)
{
    ASSERT_TRUE (ShownComponent::makeActive (window));

    const auto pixel = mostInkedTitlePixel();
    EXPECT_TRUE (channelsNear (pixel, Colour (0xff474849), 2)) << pixel.toString();
}

//==============================================================================
struct ButtonTypeCase
{
    const char* name;
    int type;
    const char* buttonName;   // nullptr: no button
    juce::uint32 tint;
};

class DocumentWindowButton  : public ::testing::TestWithParam<ButtonTypeCase> {};

TEST_P (DocumentWindowButton, OneGlassButtonPerTypeTintedForItsRole)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    std::unique_ptr<juce::Button> button (laf.createDocumentWindowButton (c.type));

    if (c.buttonName == nullptr)
    {
        EXPECT_EQ (button, nullptr);
        return;
    }

    auto* glass = dynamic_cast<GlassWindowButton*> (button.get());
    ASSERT_NE (glass, nullptr);
    EXPECT_EQ (glass->getName(), c.buttonName);

    // Pressed under the pointer the sphere is opaque: its tint shows at 40 % of its height.
    glass->setSize (23, 26);
    Recording r;
    glass->paintButton (r.g, true, true);
    ASSERT_GE (r.size(), 2u);
    ASSERT_TRUE (r[1].isGradient());
    EXPECT_EQ (r[1].gradient().getColourAtPosition (0.4), Colour (c.tint));
}

INSTANTIATE_TEST_SUITE_P (Types, DocumentWindowButton, ::testing::Values (
    ButtonTypeCase { "minimise",      1, "minimise", 0xffeff2f3 },
    ButtonTypeCase { "maximise",      2, "maximise", 0xff9299a5 },
    ButtonTypeCase { "close",         4, "close",    0xff3273a1 },
    ButtonTypeCase { "minAndMax",     3, nullptr,    0 },
    ButtonTypeCase { "allThree",      7, nullptr,    0 },
    ButtonTypeCase { "none",          0, nullptr,    0 }),
    [] (const auto& info) { return std::string (info.param.name); });

namespace
{
    // The symbol is what a glass button fills last.
    juce::Path symbolOf (juce::Button& button, bool toggled)
    {
        button.setSize (40, 40);
        button.setToggleState (toggled, juce::dontSendNotification);

        Recording r;
        dynamic_cast<GlassWindowButton&> (button).paintButton (r.g, false, false);
        return r[r.size() - 1].path;
    }
}

TEST (DocumentWindowButtonSymbols, CrossBarAndPlusFillTheirSquareAsDrawn)
{
    TemplateLookAndFeel laf;
    std::unique_ptr<juce::Button> close (laf.createDocumentWindowButton (4)),
                                  minimise (laf.createDocumentWindowButton (1)),
                                  maximise (laf.createDocumentWindowButton (2));

    // Each scaled into the square (13.6, 13.6, 12.8, 12.8) of a 40-pixel button's sphere.
    const auto cross = symbolOf (*close, false).getBounds();
    EXPECT_TRUE (rectNear (cross, { 13.6f, 13.6f, 12.8f, 12.8f }, 0.01f));
    EXPECT_TRUE (symbolOf (*close, false).contains (cross.getCentre()));

    // A bar a quarter as high as long.
    const auto bar = symbolOf (*minimise, false).getBounds();
    EXPECT_TRUE (rectNear (bar, { 13.6f, 18.4f, 12.8f, 3.2f }, 0.01f));

    const auto plus = symbolOf (*maximise, false);
    EXPECT_TRUE (rectNear (plus.getBounds(), { 13.6f, 13.6f, 12.8f, 12.8f }, 0.01f));
    EXPECT_TRUE (plus.contains (plus.getBounds().getCentre()));
    EXPECT_FALSE (plus.contains (plus.getBounds().getPosition() + juce::Point<float> (1.0f, 1.0f)));
}

TEST (DocumentWindowButtonSymbols, OnlyMaximiseChangesItsSymbolWhenToggled)
{
    TemplateLookAndFeel laf;

    for (int type : { 1, 4 })
    {
        std::unique_ptr<juce::Button> button (laf.createDocumentWindowButton (type));
        EXPECT_EQ (symbolOf (*button, true).getBounds(), symbolOf (*button, false).getBounds()) << type;
    }

    // Full screen: a hollow outline of a corner and an overlapping square.
    std::unique_ptr<juce::Button> maximise (laf.createDocumentWindowButton (2));
    const auto fullScreen = symbolOf (*maximise, true);
    const auto bounds = fullScreen.getBounds();

    EXPECT_TRUE (rectNear (bounds, { 13.6f, 13.6f, 12.8f, 12.8f }, 0.01f));
    EXPECT_FALSE (fullScreen.contains (bounds.getCentre()));
    EXPECT_TRUE (fullScreen.contains (bounds.getX() + bounds.getWidth() * 15.0f / 175.0f,
                                      bounds.getY() + bounds.getHeight() * 65.0f / 175.0f));
}

//==============================================================================
struct LayoutCase
{
    const char* name;
    bool onLeft;
    bool minimise, maximise, close;
    int minimiseX, maximiseX, closeX;   // relative to the title bar's left
};

class TitleBarButtonLayout  : public ::testing::TestWithParam<LayoutCase> {};

TEST_P (TitleBarButtonLayout, ButtonsInARowAsHighAsTheBar)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::DocumentWindow window ("W", windowBackground, juce::DocumentWindow::allButtons, false);
    juce::TextButton minimise, maximise, close;
    const juce::Rectangle<int> none;

    // A 26-pixel title bar at (10, 4), 600 wide: buttons 23 wide.
    laf.positionDocumentWindowButtons (window, 10, 4, 600, 26,
                                       c.minimise ? &minimise : nullptr,
                                       c.maximise ? &maximise : nullptr,
                                       c.close ? &close : nullptr,
                                       c.onLeft);

    EXPECT_EQ (minimise.getBounds(), c.minimise ? juce::Rectangle<int> (10 + c.minimiseX, 4, 23, 26) : none);
    EXPECT_EQ (maximise.getBounds(), c.maximise ? juce::Rectangle<int> (10 + c.maximiseX, 4, 23, 26) : none);
    EXPECT_EQ (close.getBounds(),    c.close    ? juce::Rectangle<int> (10 + c.closeX,    4, 23, 26) : none);
}

INSTANTIATE_TEST_SUITE_P (Cases, TitleBarButtonLayout, ::testing::Values (
    LayoutCase { "right",         false, true,  true,  true,  600 - 79, 600 - 56, 600 - 28 },
    LayoutCase { "rightCloseOnly", false, false, false, true, 0,        0,        600 - 28 },
    LayoutCase { "left",          true,  true,  true,  true,  4 + 23,   4 + 46,   4 }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (TitleBarButtonLayoutInWindow, ProgramWindowGetsItsGlassButtonsAtTheRightEnd)
{
    TemplateLookAndFeel laf;
    ProgramWindow window (false);
    window.setLookAndFeel (&laf);
    window.setBounds (0, 0, 650, 400);

    const auto titleBar = window.getTitleBarArea();
    ASSERT_EQ (titleBar.getHeight(), 26);

    const auto expectButton = [&] (juce::Button* b, const char* name, int fromRight)
    {
        ASSERT_NE (dynamic_cast<GlassWindowButton*> (b), nullptr) << name;
        EXPECT_EQ (b->getName(), name);
        EXPECT_EQ (b->getBounds(), juce::Rectangle<int> (titleBar.getRight() - fromRight, titleBar.getY(), 23, 26));
    };

    expectButton (window.getMinimiseButton(), "minimise", 79);
    expectButton (window.getMaximiseButton(), "maximise", 56);
    expectButton (window.getCloseButton(),    "close",    28);

    window.setLookAndFeel (nullptr);
}

//==============================================================================
TEST (CornerResizer, FourPairsOfDiagonalLines)
{
    TemplateLookAndFeel laf;

    Recording r;
    laf.drawCornerResizer (r.g, 20, 16, false, false);
    ASSERT_EQ (r.size(), 8u);

    // i = 0, 0.3, 0.6, 0.9; t = 16 x 0.075 = 1.2.
    const float steps[] = { 0.0f, 0.3f, 0.6f, 0.9f };

    for (size_t n = 0; n < 4; ++n)
    {
        const auto i = steps[n];
        const auto& light = r[2 * n];
        const auto& dark = r[2 * n + 1];

        EXPECT_TRUE (colourIs (light, 0xffd3d3d3));
        EXPECT_TRUE (colourIs (dark, 0xff555555));
        EXPECT_NEAR (light.segmentThickness(), 1.2f, 1.0e-4f);
        EXPECT_NEAR (dark.segmentThickness(), 1.2f, 1.0e-4f);

        EXPECT_NEAR (light.segment().getStart().getDistanceFrom ({ 20.0f * i, 17.0f }), 0.0f, 1.0e-3f) << n;
        EXPECT_NEAR (light.segment().getEnd().getDistanceFrom ({ 21.0f, 16.0f * i }), 0.0f, 1.0e-3f) << n;
        EXPECT_NEAR (dark.segment().getStart().getDistanceFrom ({ 20.0f * i + 1.2f, 17.0f }), 0.0f, 1.0e-3f) << n;
        EXPECT_NEAR (dark.segment().getEnd().getDistanceFrom ({ 21.0f, 16.0f * i + 1.2f }), 0.0f, 1.0e-3f) << n;
    }
}

TEST (CornerResizer, LooksTheSameHoveredOrDragged)
{
    TemplateLookAndFeel laf;

    Recording still, dragged;
    laf.drawCornerResizer (still.g, 20, 16, false, false);
    laf.drawCornerResizer (dragged.g, 20, 16, true, true);
    ASSERT_EQ (still.size(), dragged.size());

    for (size_t i = 0; i < still.size(); ++i)
    {
        EXPECT_EQ (still[i].bounds, dragged[i].bounds);
        EXPECT_EQ (still[i].fill, dragged[i].fill);
    }
}
