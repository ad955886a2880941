#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

class FirmwareImage;
class InterfaceBaseClass;
class ProtocolBaseClass;
class UnattendedRun;

/** An auto-update without a window: the panel's device selection, the same
    upload, the same lines for the script.

    Nobody is there to see a substitute, so a --file that cannot be sent whole,
    a device number that cannot be read or a device that does not open ends
    the run before anything is sent, with the reason on standard error.
*/
class HeadlessUpdate
{
public:
    /** Reads the command line and starts the upload. quit is called on the
        message thread once the run is over, at once if it cannot start. */
    HeadlessUpdate (const juce::String& commandLine, std::function<void()> quit,
                    std::function<void (const juce::String&)> reportProblem = {});
    ~HeadlessUpdate();

    int getExitStatus() const;

    // Null when the run was refused before it got that far.
    ProtocolBaseClass* getProtocol() const noexcept            { return protocol.get(); }
    const FirmwareImage* getFirmwareImage() const noexcept     { return image.get(); }
    InterfaceBaseClass* getDeviceInterface() const noexcept    { return deviceInterface.get(); }

private:
    /** Says why nothing is sent, and the devices there are when a device was the problem. */
    void refuse (const juce::String& reason, const juce::String& deviceList = {});

    std::unique_ptr<InterfaceBaseClass> deviceInterface;
    std::unique_ptr<FirmwareImage> image;
    std::unique_ptr<ProtocolBaseClass> protocol;
    std::unique_ptr<UnattendedRun> run;
    std::function<void()> quit;
    std::function<void (const juce::String&)> reportProblem;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HeadlessUpdate)
};
