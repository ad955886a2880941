#include "UploadSession.h"

#include "Alerts.h"
#include "DeviceListText.h"
#include "ExitStatus.h"
#include "UnattendedRun.h"
#include "device/MidiInterfaceClass.h"
#include "firmware/FirmwareImage.h"
#include "firmware/SendableImage.h"
#include "protocol/BasicSysexProtocolClass.h"

namespace
{
    const char* const nothingSent = "The unattended update ends; nothing was sent.";

    void askTheApplicationToQuit()
    {
        if (auto* application = juce::JUCEApplicationBase::getInstance())
            application->systemRequestedQuit();
    }

    juce::String devicesThereAre()
    {
        return DeviceListText::describe (*createMidiDeviceLayer()).trimEnd();
    }
}

UploadSession::UploadSession (const juce::String& commandLine, Audience audienceToTell, std::function<void()> quitFunction)
    : audience (audienceToTell),
      quit (quitFunction ? std::move (quitFunction) : std::function<void()> (&askTheApplicationToQuit))
{
    deviceInterface = std::make_unique<MidiInterfaceClass> (true, false);

    firmwareImage = std::make_unique<BuiltInFirmwareImage>();
    firmwareImage->setProductName ("Arvella");
    protocol = std::make_unique<BasicSysexProtocolClass> (deviceInterface.get(), firmwareImage.get());

    options = CommandLineOptions::read (commandLine);

    // Without a display only an auto-update runs at all.
    jassert (audience == Audience::personAtTheScreen || options.autoUpdate);
    gAutoUpdate = options.autoUpdate;

    if (options.autoUpdate && options.deviceNumberProblem.isNotEmpty())
        refuse (options.deviceNumberProblem, juce::String (nothingSent) + "\n\n" + devicesThereAre());
    else if (options.fileRequested)
        fileImageInUse = loadFirmwareFile (options.strFile);
}

UploadSession::~UploadSession()
{
    unattendedRun.reset();

    // The upload uses the interface and the image: it ends before either goes.
    stopUpload();
    protocol.reset();
    deviceInterface.reset();
    firmwareImage.reset();
}

//==============================================================================
bool UploadSession::loadFirmwareFile (const juce::String& path)
{
    auto fileImage = std::make_unique<FileFirmwareImage> (path);

    // Unattended, nobody chooses the built-in image instead: it must not go out in the file's place.
    if (options.autoUpdate)
    {
        if (const auto problem = SendableImage::problem (*fileImage, path); problem.isNotEmpty())
        {
            refuse (problem, juce::String ("A firmware file was specified, but it cannot be used.\n ") + nothingSent);
            return false;
        }
    }

    if (fileImage->getData() == nullptr)
    {
        switch (fileImage->getOutcome())
        {
            case FirmwareFileReader::Outcome::emptyFile:
                break;   // an empty file quietly means the built-in image

            case FirmwareFileReader::Outcome::notFound:
                Alerts::show (juce::MessageBoxIconType::NoIcon,
                              "File " + path + " not found",
                              "A firmware file was specified, but it could not be found.\n"
                              " The application will use the build-in firmware version.");
                break;

            default:
                Alerts::show (juce::MessageBoxIconType::NoIcon,
                              fileImage->getProblem(),
                              "A firmware file was specified, but it cannot be used.\n"
                              " The application will use the built-in firmware version.");
                break;
        }

        return false;
    }

    firmwareImage = std::move (fileImage);
    protocol = std::make_unique<BasicSysexProtocolClass> (deviceInterface.get(), firmwareImage.get());
    return true;
}

void UploadSession::startUnattended (const std::function<void()>& pressUpdate)
{
    if (! options.autoUpdate || unattendedRun != nullptr)
        return;

    if (refusal.isNotEmpty())
    {
        quitSoon();
        return;
    }

    unattendedRun = std::make_unique<UnattendedRun> (*protocol, *firmwareImage, quit);

    deviceInterface->selectInputById (options.nInputid);
    deviceInterface->selectOutputById (options.nOutputid);

    // A person at the screen is asked for a device and may pick one; with
    // nobody there, a device that did not open ends the run unstarted.
    if (audience == Audience::personAtTheScreen)
    {
        pressUpdate();
    }
    else if (deviceInterface->isDeviceReady())
    {
        protocol->startUpdate();
    }
    else
    {
        refuse ("MIDI output device " + juce::String (options.nOutputid) + " did not open",
                juce::String (nothingSent) + "\n\n" + devicesThereAre());
        quitSoon();
    }
}

void UploadSession::stopUpload()
{
    if (protocol == nullptr)
        return;

    protocol->signalThreadShouldExit();
    protocol->waitForThreadToExit (ProtocolBaseClass::exitWaitMs);
}

int UploadSession::getExitStatus() const
{
    if (! options.autoUpdate)
        return ExitStatus::allSent;

    if (refusal.isNotEmpty() || unattendedRun == nullptr)
        return ExitStatus::notStarted;

    return unattendedRun->getExitStatus();
}

//==============================================================================
void UploadSession::refuse (const juce::String& reason, const juce::String& message)
{
    refusal = reason;
    Alerts::show (juce::MessageBoxIconType::WarningIcon, reason, message);
}

void UploadSession::quitSoon()
{
    // Asked while the caller may still be building: the quit comes once it is done.
    juce::MessageManager::callAsync ([q = quit] { q(); });
}
