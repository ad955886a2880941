#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// JUCE on Windows hands pending repaints to the system only on a display's
// vertical blank. Wine's IDXGIOutput::WaitForVBlank never reports one, so a
// window there never repaints after its first paint. Under Wine alone, this
// pushes the pending repaints of every window out at the display's pace.
class WineRepaintPump  : private juce::Timer
{
public:
    // Null everywhere but under Wine: real Windows pays nothing for it.
    static std::unique_ptr<WineRepaintPump> createIfNeeded();

    static bool isRunningUnderWine();

    ~WineRepaintPump() override;

private:
    WineRepaintPump();

    void timerCallback() override;

    static constexpr int seeThroughEveryTicks = 15;
    int ticks = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WineRepaintPump)
};
