#pragma once

#include <juce_core/juce_core.h>

/** Can the file named after --file be sent, and why not. The one place an
    unattended run asks this, before anything is sent. */
namespace FirmwareFileCheck
{
    /** The reason the file cannot be used, or an empty string if it can. A
        relative path names a file in the working directory. */
    juce::String whyNotUsable (const juce::String& path);

    /** The largest file an image can hold. */
    constexpr juce::int64 maximumSize = 0x7fffffff;
}
