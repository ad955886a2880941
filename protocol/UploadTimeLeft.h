#pragma once

#include "device/MidiWireTime.h"
#include "firmware/FirmwareImage.h"

#include <vector>

/** How long an upload of one image still takes after a number of its
    messages have gone: the pace of every message still to send, at MIDI 1.0
    speed, which every system output keeps. Counted from what is left, never
    extrapolated from the time so far, so it is right from the first message.
*/
class UploadTimeLeft
{
public:
    explicit UploadTimeLeft (const FirmwareImage& image, MidiWireTime pace = {});

    /** Milliseconds from the end of the rest after message number messagesSent
        until the end of the rest after the last; 0 once all have gone. */
    double afterMessages (int messagesSent) const noexcept;

    int getNumMessages() const noexcept    { return (int) remainingMs.size() - 1; }

    /** Minutes and seconds, rounded up to the next second: "2 min 05 s". */
    static juce::String describe (double milliseconds);

private:
    // remainingMs[k]: what is left once k messages have gone.
    std::vector<double> remainingMs;
};
