#pragma once

#include "FirmwareFileReader.h"

/** The bytes an update sends, with the name, version and revision the user
    sees. An image whose getData() is null holds nothing and is not usable.
*/
class FirmwareImage
{
public:
    FirmwareImage (const juce::String& productName, double version, int revision);
    virtual ~FirmwareImage() = default;

    const juce::uint8* getData() const noexcept     { return data; }
    int getSize() const noexcept                    { return (int) (juce::uint32) size; }

    juce::String getProductName() const             { return productName; }
    void setProductName (const juce::String& name)  { productName = name; }

    double getVersion() const noexcept              { return version; }
    int getRevision() const noexcept                { return revision; }

protected:
    const juce::uint8* data = nullptr;
    juce::int64 size = 0;
    juce::String productName;
    double version;
    int revision;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareImage)
};

/** The image compiled into the program. Its bytes live as long as the program. */
class BuiltInFirmwareImage  : public FirmwareImage
{
public:
    BuiltInFirmwareImage();
};

/** An image read whole from a file named on the command line. It shows
    nothing to the user: when the file cannot be used, the image stays empty
    and tells why, and the caller decides how to say so.
*/
class FileFirmwareImage  : public FirmwareImage
{
public:
    explicit FileFirmwareImage (const juce::String& path,
                                int silenceTimeoutMs = FirmwareFileReader::defaultSilenceTimeoutMs);

    /** How reading the file went; getData() is null unless it was read. */
    FirmwareFileReader::Outcome getOutcome() const noexcept     { return outcome; }

    /** One line naming the file and why it is not used, e.g.
        "File x.syx cannot be read: Permission denied"; empty once read. */
    juce::String getProblem() const                              { return problem; }

private:
    std::unique_ptr<juce::MemoryBlock> buffer;
    FirmwareFileReader::Outcome outcome = FirmwareFileReader::Outcome::failed;
    juce::String problem;
};
