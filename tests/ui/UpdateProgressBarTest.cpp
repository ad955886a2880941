#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "support/RecordingGraphicsContext.h"
#include "support/ShownComponent.h"
#include "ui/TemplateLookAndFeel.h"
#include "ui/UpdateProgressBar.h"

//==============================================================================
struct ShownValueCase
{
    const char* name;
    double value;
    const char* text;   // what JUCE's bar shows for it
};

class UpdateProgressBarLook  : public ::testing::TestWithParam<ShownValueCase> {};

TEST_P (UpdateProgressBarLook, DrawsWhatJucesBarDrawsForTheSameValue)
{
    const auto& c = GetParam();
    TemplateLookAndFeel laf;
    double value = c.value;

    UpdateProgressBar bar (value);
    bar.setLookAndFeel (&laf);
    bar.setSize (202, 20);
    Recording drawn;
    bar.paintEntireComponent (drawn.g, false);

    juce::ProgressBar plain (value);
    plain.setLookAndFeel (&laf);
    Recording expected;
    laf.drawProgressBar (expected.g, plain, 202, 20, c.value, c.text);

    ASSERT_EQ (drawn.size(), expected.size());

    for (size_t i = 0; i < drawn.size(); ++i)
    {
        EXPECT_EQ (drawn[i].kind, expected[i].kind) << i;
        EXPECT_EQ (drawn[i].bounds, expected[i].bounds) << i;
        EXPECT_EQ (drawn[i].colour(), expected[i].colour()) << i;
        EXPECT_EQ (drawn[i].glyph, expected[i].glyph) << i;
    }
}

INSTANTIATE_TEST_SUITE_P (Cases, UpdateProgressBarLook, ::testing::Values (
    ShownValueCase { "nothingDone", 0.0,   "0%" },
    ShownValueCase { "partDone",    0.42,  "42%" },
    ShownValueCase { "roundedUp",   0.006, "1%" },
    ShownValueCase { "done",        1.0,   "100%" },
    ShownValueCase { "busy",        -1.0,  "" }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
/** A bar on the desktop that counts how often it is drawn. */
class CountedBar  : public UpdateProgressBar
{
public:
    using UpdateProgressBar::UpdateProgressBar;

    int paints = 0;

private:
    void paint (juce::Graphics& g) override
    {
        ++paints;
        UpdateProgressBar::paint (g);
    }
};

TEST (UpdateProgressBarRest, DrawsAgainOnlyWhenItsValueChanges)
{
    TemplateLookAndFeel laf;
    ShownComponent window;
    double value = 1.0;   // JUCE's own bar redraws itself every 30 ms from here on

    CountedBar bar (value);
    bar.setLookAndFeel (&laf);
    bar.setBounds (10, 10, 202, 20);
    window.addAndMakeVisible (bar);
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return bar.paints > 0; }));
    MessageLoop::runFor (100);

    bar.paints = 0;
    MessageLoop::runFor (300);
    EXPECT_EQ (bar.paints, 0);

    bar.valueChanged();
    MessageLoop::runFor (100);
    EXPECT_EQ (bar.paints, 0) << "told of a value it already shows";

    value = 0.25;
    bar.valueChanged();
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return bar.paints > 0; }));

    // X may still be delivering that repaint (an expose of the area just drawn):
    // let it land before counting again.
    MessageLoop::runFor (300);

    // A redraw asked for by someone else shows the value as it is now.
    value = 1.0;
    Recording drawn;
    bar.paintEntireComponent (drawn.g, false);
    EXPECT_EQ (drawn.context.getGlyphs().size(), 4u);   // "100%"
    bar.paints = 0;
    bar.valueChanged();
    MessageLoop::runFor (100);
    EXPECT_EQ (bar.paints, 0);
}
