#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The update's progress bar: it looks and reads like JUCE's, percentage
    included, but is told when its value changes instead of polling it.

    JUCE's bar checks its value every 30 ms for as long as it is visible, and
    repaints on every check once the value reaches 1.0; a window left open
    after an upload would never rest.
*/
class UpdateProgressBar  : public juce::ProgressBar
{
public:
    /** Shows the value of the given variable, which must outlive the bar. */
    explicit UpdateProgressBar (double& valueToShow);

    /** Call after changing the value: the bar redraws if it differs from what it shows. */
    void valueChanged();

protected:
    void paint (juce::Graphics&) override;
    void visibilityChanged() override;

private:
    double& value;
    double shownValue;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UpdateProgressBar)
};
