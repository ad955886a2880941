#include "ImageFingerprint.h"

#include <juce_cryptography/juce_cryptography.h>

namespace ImageFingerprint
{
    juce::String sha256 (const FirmwareImage& image)
    {
        const auto* data = image.getData();
        return juce::SHA256 (data, data != nullptr ? (size_t) image.getSize() : 0).toHexString();
    }
}
