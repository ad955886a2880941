#include "FirmwareDescription.h"

#include <cmath>

namespace FirmwareDescription
{
    juce::String formatVersion (double version)
    {
        const auto tenths = (juce::int64) std::floor (std::abs (version) * 10.0 + 0.5);

        return (version < 0 ? "-" : "")
                 + juce::String (tenths / 10) + "." + juce::String (tenths % 10);
    }

    juce::String describe (const FirmwareImage& image)
    {
        auto text = image.getProductName() + " version " + formatVersion (image.getVersion());

        if (image.getRevision() != 0)
            text << " - R" << image.getRevision();

        return text;
    }
}
