#include "UploadTimeLeft.h"

#include "firmware/SysexFraming.h"

#include <cmath>

UploadTimeLeft::UploadTimeLeft (const FirmwareImage& image, MidiWireTime pace)
{
    const auto lengths = SysexFraming::scan (image.getData(), image.getSize()).messageLengths;

    // Summed from the end once, so each question is a look-up: it is asked on
    // the upload thread, between two messages.
    remainingMs.assign ((size_t) lengths.size() + 1, 0.0);

    for (auto k = lengths.size(); --k >= 0;)
        remainingMs[(size_t) k] = remainingMs[(size_t) k + 1] + pace.messageMs (lengths.getUnchecked (k));
}

double UploadTimeLeft::afterMessages (int messagesSent) const noexcept
{
    const auto k = (size_t) juce::jlimit (0, getNumMessages(), messagesSent);
    return remainingMs[k];
}

juce::String UploadTimeLeft::describe (double milliseconds)
{
    const auto seconds = (juce::int64) std::ceil (juce::jmax (0.0, milliseconds) / 1000.0 - 1.0e-9);
    return juce::String (seconds / 60) + " min " + juce::String (seconds % 60).paddedLeft ('0', 2) + " s";
}
