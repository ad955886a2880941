#pragma once

#include "FirmwareImage.h"

/** What tells one image from another at a glance: the SHA-256 of its bytes
    (JUCE's), in lower-case hex as sha256sum prints it, so a user can compare
    it with the figure the maker publishes. */
namespace ImageFingerprint
{
    juce::String sha256 (const FirmwareImage& image);
}
