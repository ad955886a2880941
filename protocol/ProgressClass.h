#pragma once

#include <juce_events/juce_events.h>

#include <atomic>

/** How far an update has come and what it is doing, told to whoever listens.

    Progress moves in whole hundredths. A change of it reaches the listeners
    at once, on the thread that made it and under the message-thread lock, so
    they may touch components. A change of the status reaches them later, on
    the message thread; several changes before that arrive as one.

    Listeners are handed this broadcaster as the source; comparing it with the
    protocol pointer they hold tells the protocol apart from other sources.
*/
class ProgressClass  : public juce::ChangeBroadcaster
{
public:
    ProgressClass() = default;
    ~ProgressClass() override = default;

    /** Stores the value rounded to hundredths, ties to even, and tells the
        listeners before returning if the stored value changed.

        1.0 stands for a finished upload to every listener, so a value below it
        never shows as 1.0: it stops at 0.99.
    */
    void setProgress (double value);
    double getProgress() const noexcept     { return progress.load(); }

    /** Stores the text; if it differs from the last one, the listeners hear of
        it later on the message thread. */
    void setStatus (const juce::String& text);
    juce::String getStatus() const;

private:
    juce::CriticalSection statusLock;
    juce::String status;
    std::atomic<double> progress { 0.0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgressClass)
};
