#pragma once

#include <juce_core/juce_core.h>

/** The protocols' own time base; it starts at the epoch and the upload reads
    nothing from it. */
class VelmorTime  : public juce::Time
{
public:
    VelmorTime() noexcept  : juce::Time (0) {}

private:
    JUCE_LEAK_DETECTOR (VelmorTime)
};
