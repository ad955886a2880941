#include "HeadlessUpdate.h"

#include "ExitStatus.h"
#include "UnattendedRun.h"
#include "ui/CommandLineOptions.h"
#include "ui/ConsoleLine.h"
#include "ui/DeviceListText.h"
#include "device/MidiInterfaceClass.h"
#include "firmware/FirmwareImage.h"
#include "firmware/SendableImage.h"
#include "protocol/BasicSysexProtocolClass.h"

HeadlessUpdate::HeadlessUpdate (const juce::String& commandLine, std::function<void()> quitFunction,
                                std::function<void (const juce::String&)> problemReporter)
    : quit (std::move (quitFunction)),
      reportProblem (problemReporter ? std::move (problemReporter)
                                     : [] (const juce::String& line) { ConsoleLine::write (stderr, line); })
{
    const auto options = CommandLineOptions::read (commandLine);
    gAutoUpdate = true;

    auto deviceList = []
    {
        return DeviceListText::describe (*createMidiDeviceLayer()).trimEnd();
    };

    if (options.deviceNumberProblem.isNotEmpty())
    {
        refuse (options.deviceNumberProblem, deviceList());
        return;
    }

    if (options.fileRequested)
    {
        auto fileImage = std::make_unique<FileFirmwareImage> (options.strFile);

        if (const auto problem = SendableImage::problem (*fileImage, options.strFile); problem.isNotEmpty())
        {
            refuse ("cannot use --file: " + problem);
            return;
        }

        image = std::move (fileImage);
    }
    else
    {
        image = std::make_unique<BuiltInFirmwareImage>();
        image->setProductName ("Arvella");
    }

    deviceInterface = std::make_unique<MidiInterfaceClass> (true, false);
    deviceInterface->selectInputById (options.nInputid);
    deviceInterface->selectOutputById (options.nOutputid);

    if (! deviceInterface->isDeviceReady())
    {
        refuse ("MIDI output device " + juce::String (options.nOutputid) + " did not open", deviceList());
        return;
    }

    protocol = std::make_unique<BasicSysexProtocolClass> (deviceInterface.get(), image.get());
    protocol->startUpdate();
    run = std::make_unique<UnattendedRun> (*protocol, *image, quit);
}

HeadlessUpdate::~HeadlessUpdate()
{
    run.reset();

    // The upload uses the interface and the image; its longest pause is never cut short.
    if (protocol != nullptr)
    {
        protocol->signalThreadShouldExit();
        protocol->waitForThreadToExit (ProtocolBaseClass::exitWaitMs);
        protocol.reset();
    }

    deviceInterface.reset();
    image.reset();
}

int HeadlessUpdate::getExitStatus() const
{
    return run != nullptr ? run->getExitStatus() : (int) ExitStatus::notStarted;
}

void HeadlessUpdate::refuse (const juce::String& reason, const juce::String& deviceList)
{
    reportProblem ("brevane: " + reason + "; nothing was sent");

    for (const auto& line : juce::StringArray::fromLines (deviceList))
        reportProblem (line);

    // Asked from the constructor: the quit must not arrive before the caller holds this object.
    juce::MessageManager::callAsync ([q = quit] { if (q) q(); });
}
