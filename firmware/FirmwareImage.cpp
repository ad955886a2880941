#include "FirmwareImage.h"

#include "BuiltInFirmwareData.h"

FirmwareImage::FirmwareImage (const juce::String& name, double versionNumber, int revisionNumber)
    : productName (name), version (versionNumber), revision (revisionNumber)
{
}

//==============================================================================
BuiltInFirmwareImage::BuiltInFirmwareImage()
    : FirmwareImage ("Arvella", 1.2, 688)
{
    data = reinterpret_cast<const juce::uint8*> (BuiltInFirmwareData::builtin_syx);
    size = BuiltInFirmwareData::builtin_syxSize;
}

//==============================================================================
FileFirmwareImage::FileFirmwareImage (const juce::String& path, int silenceTimeoutMs)
    : FirmwareImage ({}, 0.0, 0)
{
    auto result = FirmwareFileReader::read (path, silenceTimeoutMs);
    outcome = result.outcome;

    if (! result.wasRead())
    {
        problem = result.describe (path);
        return;
    }

    buffer = std::make_unique<juce::MemoryBlock> (std::move (result.bytes));
    data = static_cast<const juce::uint8*> (buffer->getData());
    size = (juce::int64) buffer->getSize();
    productName = FirmwareFileReader::resolve (path).getFileNameWithoutExtension();
}
