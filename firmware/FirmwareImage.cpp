#include "FirmwareImage.h"

#include "BuiltInFirmwareData.h"
#include "ui/Alerts.h"

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
namespace
{
    // A relative path names a file in the working directory, as a shell user expects.
    juce::File resolve (const juce::String& path)
    {
        if (juce::File::isAbsolutePath (path))
            return juce::File (path);

        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }
}

FileFirmwareImage::FileFirmwareImage (const juce::String& path)
    : FirmwareImage ({}, 0.0, 0)
{
    const auto file = path.isEmpty() ? juce::File() : resolve (path);

    if (! file.existsAsFile())
    {
        Alerts::show (juce::MessageBoxIconType::NoIcon,
                      "File " + path + " not found",
                      "A firmware file was specified, but it could not be found.\n"
                      " The application will use the build-in firmware version.");
        return;
    }

    buffer = std::make_unique<juce::MemoryBlock>();

    if (auto stream = file.createInputStream())
    {
        const auto bytesRead = stream->readIntoMemoryBlock (*buffer, file.getSize());

        if (bytesRead > 0)
        {
            data = static_cast<const juce::uint8*> (buffer->getData());
            size = (juce::int64) bytesRead;
        }
    }

    productName = file.getFileNameWithoutExtension();
}
