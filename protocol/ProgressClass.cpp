#include "ProgressClass.h"

#include <cmath>

namespace
{
    double toHundredths (double value) noexcept
    {
        // nearbyint rounds in the default mode, to nearest with ties to even: 0.125 becomes 0.12.
        const auto rounded = std::nearbyint (value * 100.0) / 100.0;
        return value < 1.0 ? juce::jmin (rounded, 0.99) : rounded;
    }
}

void ProgressClass::setProgress (double value)
{
    const auto shown = toHundredths (value);

    if (shown == progress.load())
        return;

    progress.store (shown);

    // A protocol thread waits for the lock watching its own exit flag: when the
    // message thread is waiting for it to end, it gives up instead of both
    // waiting on each other, and the listeners go untold.
    const juce::MessageManagerLock mml (juce::Thread::getCurrentThread());

    if (mml.lockWasGained())
        sendSynchronousChangeMessage();
}

void ProgressClass::setStatus (const juce::String& text)
{
    {
        const juce::ScopedLock sl (statusLock);

        if (text == status)
            return;

        status = text;
    }

    sendChangeMessage();
}

juce::String ProgressClass::getStatus() const
{
    const juce::ScopedLock sl (statusLock);
    return status;
}
