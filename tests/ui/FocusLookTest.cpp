#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "support/RecordingGraphicsContext.h"
#include "support/ShownComponent.h"
#include "ui/TemplateLookAndFeel.h"

// What the keyboard focus changes in the look: glass colours are more saturated with
// it (1.3 times) than without (0.9 times), and frames and bevels grow thicker.

using juce::Colour;

namespace
{
    // The update button's green and the title bar's blue, and what focus makes of them.
    const Colour green (0xff7ebf7e), greenFocused (0xff6abf6a), greenUnfocused (0xff84bf84);
    const Colour blue (0xff3273a1), blueFocused (0xff1165a1), blueUnfocused (0xff3d78a1);

    // A glass shape shows its colour at 40 % of its body's gradient.
    Colour bodyColour (const RecordedFill& body)
    {
        return body.isGradient() ? body.gradient().getColourAtPosition (0.4) : Colour();
    }

    ::testing::AssertionResult near (Colour actual, Colour expected)
    {
        const auto close = [] (int a, int b) { return std::abs (a - b) <= 1; };

        if (close (actual.getRed(), expected.getRed()) && close (actual.getGreen(), expected.getGreen())
             && close (actual.getBlue(), expected.getBlue()) && actual.getAlpha() == expected.getAlpha())
            return ::testing::AssertionSuccess();

        return ::testing::AssertionFailure() << "0x" << actual.toString() << ", expected 0x" << expected.toString();
    }

    float frameWidthOf (const RecordedFill& rectangleOutline)
    {
        return rectangleOutline.rectangles.isEmpty() ? 0.0f : rectangleOutline.rectangles.getRectangle (0).getHeight();
    }
}

TEST (FocusSaturation, ExpectedColoursFollowTheRule)
{
    // The figures above, from the rule itself.
    EXPECT_TRUE (near (green.withMultipliedSaturation (1.3f), greenFocused));
    EXPECT_TRUE (near (green.withMultipliedSaturation (0.9f), greenUnfocused));
    EXPECT_TRUE (near (blue.withMultipliedSaturation (1.3f), blueFocused));
    EXPECT_TRUE (near (blue.withMultipliedSaturation (0.9f), blueUnfocused));
}

//==============================================================================
/** Controls on a component shown on the desktop, so that they can take the focus. */
class FocusLook  : public ::testing::Test
{
protected:
    FocusLook()
    {
        shown.setLookAndFeel (&laf);
    }

    ~FocusLook() override
    {
        shown.deleteAllChildren();
        shown.setLookAndFeel (nullptr);
    }

    template <typename ComponentType>
    ComponentType& add (ComponentType* c, juce::Rectangle<int> bounds)
    {
        c->setBounds (bounds);
        shown.addAndMakeVisible (c);
        return *c;
    }

    TemplateLookAndFeel laf;
    ShownComponent shown;
};

TEST_F (FocusLook, AFocusedButtonIsMoreSaturated)
{
    auto& button = add (new juce::TextButton ("update"), { 10, 10, 94, 30 });
    auto& other = add (new juce::TextButton ("Help"), { 10, 50, 94, 30 });

    const auto lozengeColour = [&]
    {
        Recording r;
        laf.drawButtonBackground (r.g, button, green, false, false);
        return bodyColour (r[0]);
    };

    ASSERT_TRUE (ShownComponent::giveFocusTo (other));
    EXPECT_TRUE (near (lozengeColour(), greenUnfocused));

    ASSERT_TRUE (ShownComponent::giveFocusTo (button));
    EXPECT_TRUE (near (lozengeColour(), greenFocused));
}

TEST_F (FocusLook, AFocusedSliderHasAMoreSaturatedKnob)
{
    auto& slider = add (new juce::Slider (juce::Slider::LinearHorizontal, juce::Slider::NoTextBox), { 10, 10, 100, 20 });
    auto& other = add (new juce::TextButton ("other"), { 10, 50, 94, 30 });
    slider.setColour (juce::Slider::thumbColourId, blue);

    const auto knobColour = [&]
    {
        Recording r;
        laf.drawLinearSlider (r.g, 0, 0, 100, 20, 60.0f, 0.0f, 100.0f, juce::Slider::LinearHorizontal, slider);
        return bodyColour (r[2]);
    };

    ASSERT_TRUE (ShownComponent::giveFocusTo (other));
    EXPECT_TRUE (near (knobColour(), blueUnfocused));

    ASSERT_TRUE (ShownComponent::giveFocusTo (slider));
    EXPECT_TRUE (near (knobColour(), blueFocused));
}

TEST_F (FocusLook, ATickBoxAlwaysLooksFocused)
{
    auto& toggle = add (new juce::ToggleButton ("tick"), { 10, 10, 100, 20 });
    laf.setColour (juce::Slider::thumbColourId, blue);
    ASSERT_FALSE (toggle.hasKeyboardFocus (true));

    Recording r;
    laf.drawTickBox (r.g, toggle, 0.0f, 0.0f, 18.0f, 18.0f, false, true, false, false);
    ASSERT_GE (r.size(), 1u);
    EXPECT_TRUE (near (bodyColour (r[0]), blueFocused));
}

TEST_F (FocusLook, AComboBoxFrameIsThickerOnlyWhileTheBoxItselfHasTheFocus)
{
    auto& box = add (new juce::ComboBox(), { 10, 10, 150, 24 });
    box.setEditableText (true);

    const auto frameWidth = [&]
    {
        Recording r;
        laf.drawComboBox (r.g, 150, 24, false, 126, 0, 24, 24, box);
        return frameWidthOf (r[1]);
    };

    // The text being edited: the focus is in the box's label, not in the box.
    auto* label = dynamic_cast<juce::Label*> (box.getChildComponent (0));
    ASSERT_NE (label, nullptr);
    label->showEditor();
    auto* editor = label->getCurrentTextEditor();
    ASSERT_NE (editor, nullptr);
    ASSERT_TRUE (ShownComponent::giveFocusTo (*editor));
    EXPECT_TRUE (box.hasKeyboardFocus (true));
    EXPECT_EQ (frameWidth(), 1.0f);

    label->hideEditor (true);
    ASSERT_TRUE (ShownComponent::giveFocusTo (box));
    EXPECT_EQ (frameWidth(), 2.0f);
}

TEST_F (FocusLook, AFocusedEditorHasAFourPixelBevelUnlessItIsReadOnly)
{
    auto& editor = add (new juce::TextEditor(), { 10, 10, 200, 30 });
    ASSERT_TRUE (ShownComponent::giveFocusTo (editor));

    // The bevel's left-hand columns are one pixel wide, one per step of its thickness.
    const auto bevelDepth = [&]
    {
        Recording r;
        laf.drawTextEditorOutline (r.g, 200, 30, editor);

        int depth = 0;

        for (size_t i = 1; i < r.size(); ++i)
            if (r[i].bounds.getWidth() == 1.0f && r[i].bounds.getX() < 100.0f)
                depth = juce::jmax (depth, (int) r[i].bounds.getRight());

        return std::pair { frameWidthOf (r[0]), depth };
    };

    EXPECT_EQ (bevelDepth(), (std::pair { 2.0f, 4 }));

    editor.setReadOnly (true);
    ASSERT_TRUE (ShownComponent::giveFocusTo (editor));
    EXPECT_EQ (bevelDepth(), (std::pair { 1.0f, 3 }));
}
