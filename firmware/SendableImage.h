#pragma once

#include "FirmwareImage.h"

/** Whether a file image can go out whole, asked before an unattended update,
    where nobody is there to choose the built-in image instead: an empty or
    unreadable file, or one that breaks the framing anywhere, sends nothing.
*/
namespace SendableImage
{
    /** Empty when every byte of the image would be sent; otherwise one line
        naming the file as it was given, e.g. "File x.syx is empty", "File
        x.syx cannot be sent: invalid SysEx data at byte 48". */
    juce::String problem (const FileFirmwareImage& image, const juce::String& path);
}
