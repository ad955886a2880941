#include <gtest/gtest.h>

#include <algorithm>

#include "support/MessageLoop.h"
#include "support/RecordingGraphicsContext.h"
#include "support/ShownComponent.h"
#include "ui/TemplateLookAndFeel.h"

using juce::Colour;

namespace
{
    // The colour a glass shape is drawn in sits at 40 % of its body's gradient.
    Colour bodyColour (const RecordedFill& body)
    {
        return body.isGradient() ? body.gradient().getColourAtPosition (0.4) : Colour();
    }

    float lineThicknessOf (const RecordedFill& rectangleOutline)
    {
        return rectangleOutline.rectangles.isEmpty() ? 0.0f : rectangleOutline.rectangles.getRectangle (0).getHeight();
    }
}

//==============================================================================
struct ButtonCase
{
    const char* name;
    bool enabled, over, down;
    int connectedEdges;
    juce::Rectangle<float> lozenge, outlineBounds;
    juce::uint32 colour;
    size_t fills;
};

class ButtonBackground  : public ::testing::TestWithParam<ButtonCase> {};

TEST_P (ButtonBackground, GlassLozengeInsetByHalfItsOutline)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::TextButton button ("update");
    button.setSize (100, 24);
    button.setEnabled (c.enabled);
    button.setConnectedEdges (c.connectedEdges);

    Recording r;
    laf.drawButtonBackground (r.g, button, juce::Colours::white, c.over, c.down);
    ASSERT_EQ (r.size(), c.fills);

    EXPECT_TRUE (rectNear (r[0].bounds, c.lozenge));
    EXPECT_EQ (bodyColour (r[0]), Colour (c.colour));
    // The outline is stroked last; its bounds tell its thickness.
    EXPECT_TRUE (rectNear (r[c.fills - 1].bounds, c.outlineBounds, 0.05f));
}

INSTANTIATE_TEST_SUITE_P (Cases, ButtonBackground, ::testing::Values (
    ButtonCase { "atRest",        true,  false, false, 0,
                 { 0.35f, 0.35f, 99.3f, 23.3f }, { 0.0f, 0.0f, 100.0f, 24.0f }, 0xffffffff, 5 },
    ButtonCase { "hovered",       true,  true,  false, 0,
                 { 0.6f, 0.6f, 98.8f, 22.8f },   { 0.0f, 0.0f, 100.0f, 24.0f }, 0xffe4e4e4, 5 },
    ButtonCase { "down",          true,  false, true,  0,
                 { 0.6f, 0.6f, 98.8f, 22.8f },   { 0.0f, 0.0f, 100.0f, 24.0f }, 0xffcbcbcb, 5 },
    // Flat against its left neighbour: no round left end to shade.
    ButtonCase { "connectedLeft", true,  false, false, juce::Button::ConnectedOnLeft,
                 { 0.1f, 0.35f, 99.55f, 23.3f }, { -0.25f, 0.0f, 100.25f, 24.0f }, 0xffffffff, 4 },
    ButtonCase { "disabledHovered", false, true, true, 0,
                 { 0.2f, 0.2f, 99.6f, 23.6f },   { 0.0f, 0.0f, 100.0f, 24.0f }, 0x80cbcbcb, 5 }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ButtonBackgroundEdges, ConnectedLeftEdgeIsSquare)
{
    TemplateLookAndFeel laf;
    juce::TextButton button ("update");
    button.setSize (100, 24);
    button.setConnectedEdges (juce::Button::ConnectedOnLeft);

    Recording r;
    laf.drawButtonBackground (r.g, button, juce::Colours::white, false, false);
    ASSERT_GE (r.size(), 1u);

    EXPECT_TRUE  (r[0].path.contains (0.2f, 0.5f));
    EXPECT_FALSE (r[0].path.contains (99.5f, 0.5f));
}

//==============================================================================
struct TickBoxCase
{
    const char* name;
    bool ticked, enabled, over, down;
    float thickness;
    juce::uint32 sphereColour, tickColour;
};

class TickBox  : public ::testing::TestWithParam<TickBoxCase> {};

TEST_P (TickBox, GlassSphereInTheAccentColourWithATick)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::ToggleButton toggle;
    toggle.setLookAndFeel (&laf);

    Recording r;
    laf.drawTickBox (r.g, toggle, 4.0f, 2.0f, 18.0f, 18.0f, c.ticked, c.enabled, c.over, c.down);
    ASSERT_EQ (r.size(), c.ticked ? 5u : 4u);

    // A sphere 0.7 w across, centred vertically.
    const juce::Rectangle<float> sphere (4.0f, 4.7f, 12.6f, 12.6f);
    EXPECT_TRUE (rectNear (r[0].bounds, sphere));
    EXPECT_TRUE (rectNear (r[3].bounds, sphere.expanded (c.thickness / 2.0f), 0.01f));

    if (c.sphereColour != 0)
    {
        EXPECT_EQ (bodyColour (r[0]), Colour (c.sphereColour));
    }

    if (c.ticked)
    {
        // (1.5, 3) - (3, 6) - (6, 0) in ninths of the box, from its corner.
        EXPECT_TRUE (colourIs (r[4], c.tickColour));
        EXPECT_TRUE (r[4].path.contains (8.5f, 11.0f));
        EXPECT_TRUE (r[4].path.contains (13.0f, 8.0f));
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, TickBox, ::testing::Values (
    TickBoxCase { "tickedAtRest",   true,  true,  false, false, 0.5f, 0xffa6a6a6, 0xff000000 },
    TickBoxCase { "hoveredEmpty",   false, true,  true,  false, 1.1f, 0,          0 },
    TickBoxCase { "downTicked",     true,  true,  false, true,  1.1f, 0,          0xff000000 },
    TickBoxCase { "disabledTicked", true,  false, true,  true,  0.3f, 0,          0xff808080 },
    TickBoxCase { "disabledEmpty",  false, false, false, false, 0.3f, 0xffd2d2d2, 0 }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
struct ProgressCase
{
    const char* name;
    double progress;
    float lozengeWidth;   // 0: none drawn
};

class ProgressBarLook  : public ::testing::TestWithParam<ProgressCase> {};

TEST_P (ProgressBarLook, PaleOutlineAndGlassBarOverTheDonePart)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    double value = 0.0;
    juce::ProgressBar bar (value);
    bar.setLookAndFeel (&laf);

    Recording r;
    laf.drawProgressBar (r.g, bar, 202, 20, c.progress, {});
    ASSERT_EQ (r.size(), c.lozengeWidth > 0.0f ? 5u : 2u);

    EXPECT_TRUE (colourIs (r[0], 0xffffffff));
    EXPECT_TRUE (rectNear (r[0].bounds, { 0.0f, 0.0f, 1000.0f, 1000.0f }));

    EXPECT_TRUE (colourIs (r[1], 0xffcbcbcb));
    EXPECT_TRUE (rectNear (r[1].bounds, { 0.0f, 0.0f, 202.0f, 20.0f }));
    EXPECT_EQ (lineThicknessOf (r[1]), 1.0f);

    if (c.lozengeWidth > 0.0f)
    {
        EXPECT_TRUE (rectNear (r[2].bounds, { 1.0f, 1.0f, c.lozengeWidth, 18.0f }));
        EXPECT_EQ (bodyColour (r[2]), Colour (0xffd3d3d3));
        // Square ends: flat on all four sides.
        EXPECT_TRUE (r[2].path.contains (1.1f, 1.1f));
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, ProgressBarLook, ::testing::Values (
    ProgressCase { "nothingDone",  0.0,   0.0f },
    ProgressCase { "tooLittle",    0.002, 0.0f },     // 0.4 wide: not wider than its outline
    ProgressCase { "halfOf202",    0.5,   100.0f },
    ProgressCase { "done",         1.0,   200.0f },
    ProgressCase { "beyondDone",   1.7,   200.0f },
    ProgressCase { "busy",         -1.0,  0.0f }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ProgressBarText, ShownCentredInAContrastingColour)
{
    TemplateLookAndFeel laf;
    double value = 0.0;
    juce::ProgressBar bar (value);
    bar.setLookAndFeel (&laf);

    Recording r;
    laf.drawProgressBar (r.g, bar, 202, 20, 0.5, "50%");

    const auto glyphs = r.context.getGlyphs();
    ASSERT_EQ (glyphs.size(), 3u);

    for (auto& glyph : glyphs)
    {
        EXPECT_FLOAT_EQ (glyph.font.getHeight(), 12.0f);
        EXPECT_EQ (glyph.colour(), Colour::contrasting (juce::Colours::white, Colour (0xffd3d3d3)));
    }

    const auto textCentre = (glyphs.front().bounds.getX() + glyphs.back().bounds.getRight()) / 2.0f;
    EXPECT_NEAR (textCentre, 101.0f, 2.0f);
}

//==============================================================================
/** A text editor shown on the desktop, so that it can have the keyboard focus. */
class TextEditorOutline  : public ::testing::Test
{
protected:
    TextEditorOutline()
    {
        shown.setLookAndFeel (&laf);
        editor.setBounds (10, 10, 200, 30);
        shown.addAndMakeVisible (editor);
    }

    RecordingGraphicsContext draw()
    {
        Recording r;
        laf.drawTextEditorOutline (r.g, 200, 30, editor);
        return r.context;
    }

    TemplateLookAndFeel laf;
    ShownComponent shown;
    juce::TextEditor editor;
};

TEST_F (TextEditorOutline, UnfocusedHasItsOwnOutlineAndABevelOfThree)
{
    const auto r = draw();
    ASSERT_EQ (r.size(), 1u + 4u * 3u);

    EXPECT_TRUE (colourIs (r[0], editor.findColour (juce::TextEditor::outlineColourId).getARGB()));
    EXPECT_EQ (lineThicknessOf (r[0]), 1.0f);
    EXPECT_TRUE (rectNear (r[0].bounds, { 0.0f, 0.0f, 200.0f, 30.0f }));
}

TEST_F (TextEditorOutline, FocusedHasTheFocusOutlineOfTwoAndABevelOfFour)
{
    ASSERT_TRUE (ShownComponent::giveFocusTo (editor));

    const auto r = draw();
    ASSERT_EQ (r.size(), 1u + 4u * 4u);

    EXPECT_TRUE (colourIs (r[0], 0xb2808080));
    EXPECT_EQ (lineThicknessOf (r[0]), 2.0f);

    // The bevel runs 2 pixels below the editor, in the shadow colour at three quarters.
    EXPECT_TRUE (rectNear (r[r.size() - 4].bounds.getUnion (r[r.size() - 2].bounds), { 0.0f, 0.0f, 200.0f, 32.0f }));
    EXPECT_EQ (r[r.size() - 4].colour().getAlpha(), 42);
}

TEST_F (TextEditorOutline, ReadOnlyLooksUnfocusedEvenWithTheFocus)
{
    editor.setReadOnly (true);
    ASSERT_TRUE (ShownComponent::giveFocusTo (editor));

    const auto r = draw();
    ASSERT_EQ (r.size(), 1u + 4u * 3u);
    EXPECT_EQ (lineThicknessOf (r[0]), 1.0f);
}

TEST_F (TextEditorOutline, DisabledDrawsNothing)
{
    editor.setEnabled (false);
    EXPECT_EQ (draw().size(), 0u);
}

//==============================================================================
struct ComboBoxCase
{
    const char* name;
    bool enabled, down;
    juce::Rectangle<float> lozenge;
    juce::uint32 colour;
    bool arrows;
};

class ComboBoxLook  : public ::testing::TestWithParam<ComboBoxCase> {};

TEST_P (ComboBoxLook, FrameGlassButtonAndArrows)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    juce::ComboBox box;
    box.setLookAndFeel (&laf);
    box.setSize (100, 24);
    box.setEnabled (c.enabled);

    Recording r;
    laf.drawComboBox (r.g, 100, 24, c.down, 76, 0, 24, 24, box);
    ASSERT_EQ (r.size(), c.arrows ? 6u : 5u);

    EXPECT_TRUE (colourIs (r[0], 0xffffffff));
    EXPECT_TRUE (colourIs (r[1], 0xb2808080));
    EXPECT_EQ (lineThicknessOf (r[1]), 1.0f);

    // The lozenge is flat all round: body, highlight, outline.
    EXPECT_TRUE (rectNear (r[2].bounds, c.lozenge));
    EXPECT_EQ (bodyColour (r[2]), Colour (c.colour));

    if (c.arrows)
    {
        EXPECT_TRUE (colourIs (r[5], 0x99000000));
        EXPECT_TRUE (rectNear (r[5].bounds, { 83.2f, 6.0f, 9.6f, 12.0f }));
        EXPECT_TRUE  (r[5].path.contains (88.0f, 9.0f));    // up arrow
        EXPECT_TRUE  (r[5].path.contains (88.0f, 15.0f));   // down arrow
        EXPECT_FALSE (r[5].path.contains (88.0f, 12.0f));   // the gap between them
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, ComboBoxLook, ::testing::Values (
    ComboBoxCase { "atRest",   true,  false, { 76.5f, 0.5f, 23.0f, 23.0f }, 0xffffffff, true },
    ComboBoxCase { "down",     true,  true,  { 77.2f, 1.2f, 21.6f, 21.6f }, 0xffcbcbcb, true },
    ComboBoxCase { "disabled", false, false, { 76.3f, 0.3f, 23.4f, 23.4f }, 0x80ffffff, false }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ComboBoxFocus, FocusedBoxHasAFrameOfTwo)
{
    TemplateLookAndFeel laf;
    ShownComponent shown;
    shown.setLookAndFeel (&laf);
    juce::ComboBox box;
    box.setBounds (10, 10, 100, 24);
    shown.addAndMakeVisible (box);
    ASSERT_TRUE (ShownComponent::giveFocusTo (box));

    Recording r;
    laf.drawComboBox (r.g, 100, 24, false, 76, 0, 24, 24, box);
    ASSERT_GE (r.size(), 2u);

    EXPECT_TRUE (colourIs (r[1], 0xb2808080));
    EXPECT_EQ (lineThicknessOf (r[1]), 2.0f);
}

struct FontCase
{
    int boxHeight;
    float textHeight;
};

void PrintTo (const FontCase& c, std::ostream* os)    { *os << "box " << c.boxHeight << " high"; }

class ComboBoxFonts  : public ::testing::TestWithParam<FontCase> {};

TEST_P (ComboBoxFonts, TextFontFollowsTheBoxListFontIsFifteen)
{
    TemplateLookAndFeel laf;
    juce::ComboBox box;
    box.setSize (100, GetParam().boxHeight);

    juce::Font text, list;
    laf.getComboBoxFonts (text, list, box);

    EXPECT_FLOAT_EQ (text.getHeight(), GetParam().textHeight);
    EXPECT_FALSE (text.isBold());
    EXPECT_FLOAT_EQ (list.getHeight(), 15.0f);
    EXPECT_FALSE (list.isBold());
    EXPECT_FLOAT_EQ (laf.getComboBoxFont (box).getHeight(), GetParam().textHeight);
}

INSTANTIATE_TEST_SUITE_P (Heights, ComboBoxFonts, ::testing::Values (
    FontCase { 12, 10.2f }, FontCase { 17, 14.45f }, FontCase { 18, 15.0f }, FontCase { 40, 15.0f }));

//==============================================================================
enum class ListKind { comboBoxList, popupMenu };

struct StripeCase
{
    const char* name;
    ListKind kind;
    int height;
    std::vector<int> rows;
};

class StripedList  : public ::testing::TestWithParam<StripeCase> {};

TEST_P (StripedList, WhiteWithFaintBlueStripesEveryThirdRow)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;

    Recording r;

    if (c.kind == ListKind::comboBoxList)
        laf.drawComboBoxPopupBackground (r.g, 50, c.height);
    else
        laf.drawPopupMenuBackground (r.g, 50, c.height);

    ASSERT_EQ (r.size(), 2u + c.rows.size());

    EXPECT_TRUE (colourIs (r[0], 0xffffffff));

    for (size_t i = 0; i < c.rows.size(); ++i)
    {
        EXPECT_TRUE (colourIs (r[1 + i], 0xfff0f8fa));
        EXPECT_EQ (r[1 + i].bounds, juce::Rectangle<float> (0.0f, (float) c.rows[i], 50.0f, 1.0f));
    }

    const auto& outline = r[r.size() - 1];
    EXPECT_TRUE (colourIs (outline, 0x99000000));
    EXPECT_EQ (lineThicknessOf (outline), 1.0f);
    EXPECT_EQ (outline.bounds, juce::Rectangle<float> (0.0f, 0.0f, 50.0f, (float) c.height));
}

INSTANTIATE_TEST_SUITE_P (Cases, StripedList, ::testing::Values (
    StripeCase { "comboListOf10", ListKind::comboBoxList, 10, { 0, 3, 6, 9 } },
    StripeCase { "comboListOf9",  ListKind::comboBoxList, 9,  { 0, 3, 6 } },
    StripeCase { "menuOf10",      ListKind::popupMenu,    10, { 0, 3, 6, 9 } },
    StripeCase { "menuOf1",       ListKind::popupMenu,    1,  { 0 } }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
/** The combo box's drop-down list is a popup menu that targets the box. */
class PopupMenuTarget  : public ::testing::Test
{
protected:
    PopupMenuTarget()
    {
        box.setSize (100, 24);
        item.text = "Copy";
        item.itemID = 1;
    }

    std::vector<float> glyphHeightsOfItemDrawnFor (const juce::PopupMenu::Options& options)
    {
        Recording r;
        laf.drawPopupMenuItemWithOptions (r.g, { 0, 0, 200, 30 }, false, item, options);

        std::vector<float> heights;

        for (auto& glyph : r.context.getGlyphs())
            heights.push_back (glyph.font.getHeight());

        return heights;
    }

    TemplateLookAndFeel laf;
    juce::ComboBox box;
    juce::PopupMenu::Item item;
};

TEST_F (PopupMenuTarget, ComboBoxListRowsUseTheListFont)
{
    EXPECT_EQ (glyphHeightsOfItemDrawnFor (juce::PopupMenu::Options().withTargetComponent (&box)),
               std::vector<float> (4, 15.0f));
}

TEST_F (PopupMenuTarget, OtherMenusKeepTheMenuFont)
{
    // The text editor's context menu has no target component.
    EXPECT_EQ (glyphHeightsOfItemDrawnFor (juce::PopupMenu::Options()), std::vector<float> (4, 17.0f));

    juce::Label label;
    EXPECT_EQ (glyphHeightsOfItemDrawnFor (juce::PopupMenu::Options().withTargetComponent (&label)),
               std::vector<float> (4, 17.0f));
}

TEST_F (PopupMenuTarget, RowsAreSizedForTheirFont)
{
    int width = 0, comboHeight = 0, menuHeight = 0;
    laf.getIdealPopupMenuItemSizeWithOptions ("Copy", false, -1, width, comboHeight,
                                              juce::PopupMenu::Options().withTargetComponent (&box));
    laf.getIdealPopupMenuItemSizeWithOptions ("Copy", false, -1, width, menuHeight, juce::PopupMenu::Options());

    EXPECT_EQ (comboHeight, 20);   // 15 x 1.3
    EXPECT_EQ (menuHeight, 22);    // 17 x 1.3
}

TEST_F (PopupMenuTarget, MenuFontIsBackOnceTheListIsDrawn)
{
    glyphHeightsOfItemDrawnFor (juce::PopupMenu::Options().withTargetComponent (&box));
    EXPECT_FLOAT_EQ (laf.getPopupMenuFont().getHeight(), 17.0f);
}

//==============================================================================
/** Menus really shown on the desktop, drawn through the look. */
class ShownPopupMenu  : public ::testing::Test
{
protected:
    ShownPopupMenu()
    {
        shown.setLookAndFeel (&laf);
    }

    ~ShownPopupMenu() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        MessageLoop::runUntil ([] { return findMenuWindow() == nullptr; }, 3000);
        shown.setLookAndFeel (nullptr);
    }

    static juce::Component* findMenuWindow()
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* c = desktop.getComponent (i); c != nullptr && c->getName() == "menu")
                return c;

        return nullptr;
    }

    static RecordingGraphicsContext paintMenuWindow()
    {
        Recording r;

        if (auto* menu = findMenuWindow())
            menu->paintEntireComponent (r.g, false);

        return r.context;
    }

    TemplateLookAndFeel laf;
    ShownComponent shown;
};

TEST_F (ShownPopupMenu, ComboBoxDropDownListHasStripesAndTheListFont)
{
    juce::ComboBox box;
    box.setBounds (10, 10, 150, 24);
    box.addItem ("In 1", 1);
    box.addItem ("In 2", 2);
    shown.addAndMakeVisible (box);

    box.showPopup();
    ASSERT_NE (findMenuWindow(), nullptr);

    const auto r = paintMenuWindow();
    const auto stripes = std::count_if (r.getFills().begin(), r.getFills().end(),
                                        [] (const RecordedFill& f)
                                        {
                                            return ! f.isGradient() && f.colour() == Colour (0xfff0f8fa)
                                                    && f.bounds.getHeight() == 1.0f;
                                        });
    EXPECT_GT (stripes, 3);

    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());

    for (auto& glyph : glyphs)
        EXPECT_FLOAT_EQ (glyph.font.getHeight(), 15.0f);
}

TEST_F (ShownPopupMenu, ContextMenuKeepsTheMenuFont)
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&laf);
    menu.addItem (1, "Copy");
    menu.addItem (2, "Paste");
    menu.showMenuAsync (juce::PopupMenu::Options());
    ASSERT_NE (findMenuWindow(), nullptr);

    const auto r = paintMenuWindow();
    const auto glyphs = r.getGlyphs();
    ASSERT_FALSE (glyphs.empty());

    // 17, fitted into the row's height as JUCE's menu items are.
    for (auto& glyph : glyphs)
        EXPECT_FLOAT_EQ (glyph.font.getHeight(), juce::jmin (17.0f, 22.0f / 1.3f));
}
