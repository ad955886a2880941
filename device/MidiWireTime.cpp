#include "MidiWireTime.h"

double MidiWireTime::transferMs (int numBytes, double bytesPerSecond) noexcept
{
    return bytesPerSecond > 0.0 ? 1000.0 * numBytes / bytesPerSecond : 0.0;
}

double MidiWireTime::messageMs (int numBytes, double bytesPerSecond) const noexcept
{
    return transferMs (numBytes, bytesPerSecond) + restAfterMs();
}

double MidiWireTime::messagesMs (const juce::Array<int>& lengths, int first, double bytesPerSecond) const noexcept
{
    double total = 0.0;

    for (int i = juce::jmax (0, first); i < lengths.size(); ++i)
        total += messageMs (lengths.getUnchecked (i), bytesPerSecond);

    return total;
}
