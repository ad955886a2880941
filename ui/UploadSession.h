#pragma once

#include "ui/CommandLineOptions.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>

class FirmwareImage;
class FileFirmwareImage;
class InterfaceBaseClass;
class ProtocolBaseClass;
class UnattendedRun;

/** One upload as a command line asks for it, in the window or without one.

    It builds the device interface, the image and the protocol, applies the
    line, starts an auto-update, and decides the run's exit status. What it
    has to tell goes through Alerts: a box when someone is at the screen, a
    line on standard error when nobody is.

    The two ways differ in one thing only, and on purpose: an auto-update
    whose device does not open asks the person at the screen to pick one and
    waits, while with nobody there it is refused. Everything else (which
    image, which device, what is refused, the script's lines, the exit
    status) is decided here, once, for both.
*/
class UploadSession
{
public:
    enum class Audience
    {
        personAtTheScreen,   // the window: a box is shown and waited for
        nobody               // no display: a script reads standard output and error
    };

    /** Builds the interface (output side only), the built-in image and its
        protocol, in that order, then reads the line and loads a --file. An
        auto-update that cannot be carried out as the line says is refused
        here (told, and nothing will be sent). quit is asked on the message
        thread once an auto-update is over; by default the application's. */
    UploadSession (const juce::String& commandLine, Audience audience, std::function<void()> quit = {});
    ~UploadSession();

    InterfaceBaseClass& getDeviceInterface() const noexcept   { return *deviceInterface; }
    FirmwareImage& getFirmwareImage() const noexcept          { return *firmwareImage; }
    ProtocolBaseClass& getProtocol() const noexcept           { return *protocol; }

    const CommandLineOptions& getOptions() const noexcept     { return options; }

    /** The file named on the line is the image in use. */
    bool isFileImageInUse() const noexcept                    { return fileImageInUse; }

    /** Makes the named file the image, with a new protocol for it. When it
        cannot be used, says why and keeps the image there was: interactively
        the built-in one goes on (an empty file quietly means it); in an
        auto-update nothing is sent instead and the run is refused. */
    bool loadFirmwareFile (const juce::String& path);

    /** Why the auto-update the line asked for was refused before anything was
        sent, or empty. */
    juce::String getRefusal() const                           { return refusal; }

    /** Auto-update only, once the caller is ready to follow the upload: selects
        the devices the line names and starts. With a person at the screen the
        start goes through pressUpdate, the window's own click, which asks for a
        device when none opened and waits; with nobody there, no device refuses
        the run. A refused run only quits. */
    void startUnattended (const std::function<void()>& pressUpdate = {});

    /** Asks the upload to end and waits for it as long as it can still take:
        never ended by force. */
    void stopUpload();

    /** Message thread. 0 for an interactive run; for an auto-update, what
        happened (ExitStatus). */
    int getExitStatus() const;

private:
    void refuse (const juce::String& reason, const juce::String& message);
    void quitSoon();

    const Audience audience;
    std::function<void()> quit;
    CommandLineOptions options;

    std::unique_ptr<InterfaceBaseClass> deviceInterface;
    std::unique_ptr<FirmwareImage> firmwareImage;
    std::unique_ptr<ProtocolBaseClass> protocol;
    std::unique_ptr<UnattendedRun> unattendedRun;

    bool fileImageInUse = false;
    juce::String refusal;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UploadSession)
};
