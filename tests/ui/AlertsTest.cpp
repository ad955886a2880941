#include <gtest/gtest.h>

#include "ui/Alerts.h"

TEST (Alerts, NestedCapturesEachSeeOnlyTheirOwnBoxes)
{
    Alerts::ScopedCapture outer;
    Alerts::show (juce::MessageBoxIconType::WarningIcon, "one", "first");

    {
        Alerts::ScopedCapture inner;
        Alerts::show (juce::MessageBoxIconType::NoIcon, "two", "second");
        ASSERT_EQ (inner.getShown().size(), 1u);
        EXPECT_EQ (inner.getShown()[0].title, "two");
    }

    Alerts::show (juce::MessageBoxIconType::InfoIcon, "three", "third");

    ASSERT_EQ (outer.getShown().size(), 2u);
    EXPECT_EQ (outer.getShown()[0].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (outer.getShown()[1].message, "third");
}
