#include "SendableImage.h"

#include "SysexFraming.h"

namespace SendableImage
{
    juce::String problem (const FileFirmwareImage& image, const juce::String& path)
    {
        if (image.getData() == nullptr)
            return image.getProblem();

        const auto scan = SysexFraming::scan (image.getData(), image.getSize());

        if (scan.fault != SysexFraming::Fault::none)
            return "File " + path + " cannot be sent: " + SysexFraming::describe (scan.fault, scan.faultOffset);

        return {};
    }
}
