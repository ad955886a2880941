#pragma once

#include "FirmwareImage.h"

namespace FirmwareDescription
{
    /** The version with exactly one digit after the point, rounded half up on
        its magnitude: 1.2 -> "1.2", 0 -> "0.0", -0.25 -> "-0.3". */
    juce::String formatVersion (double version);

    /** "<name> version <x.y>", then " - R<revision>" unless the revision is 0:
        how the window title names the firmware it will send. */
    juce::String describe (const FirmwareImage& image);
}
