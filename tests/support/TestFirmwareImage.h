#pragma once

#include "firmware/FirmwareImage.h"

#include <vector>

/** An image of given bytes, held in a heap block of exactly their size, so
    that a read past the last byte shows under AddressSanitizer. */
class TestFirmwareImage  : public FirmwareImage
{
public:
    TestFirmwareImage (const juce::uint8* bytes, size_t numBytes)
        : FirmwareImage ("Test", 0.0, 0)
    {
        if (numBytes == 0)
            return;

        copy.malloc (numBytes);
        std::memcpy (copy.get(), bytes, numBytes);
        data = copy.get();
        size = (juce::int64) numBytes;
    }

    explicit TestFirmwareImage (const std::vector<juce::uint8>& bytes)
        : TestFirmwareImage (bytes.data(), bytes.size())
    {
    }

private:
    juce::HeapBlock<juce::uint8> copy;
};
