#include "FirmwareFileCheck.h"

namespace FirmwareFileCheck
{
    juce::String whyNotUsable (const juce::String& path)
    {
        if (path.isEmpty())
            return "--file names no file";

        const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (path);
        const auto quoted = "\"" + path + "\"";

        if (file.isDirectory())
            return quoted + " is a folder, not a firmware file";

        if (! file.existsAsFile())
            return quoted + " not found";

        juce::FileInputStream stream (file);

        if (stream.failedToOpen())
            return quoted + " cannot be read: " + stream.getStatus().getErrorMessage();

        const auto size = file.getSize();

        if (size == 0)
            return quoted + " is empty";

        if (size > maximumSize)
            return quoted + " is too large (" + juce::String (size) + " bytes; at most "
                     + juce::String (maximumSize) + ")";

        return {};
    }
}
