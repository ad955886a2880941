#include "HeadlessUpdate.h"

#include "UnattendedRun.h"
#include "ui/CommandLineOptions.h"
#include "device/MidiInterfaceClass.h"
#include "firmware/FirmwareImage.h"
#include "protocol/BasicSysexProtocolClass.h"

#include <cstdio>

namespace
{
    void writeToStandardError (const juce::String& line)
    {
        const auto text = line + "\n";
        std::fputs (text.toRawUTF8(), stderr);
        std::fflush (stderr);
    }
}

HeadlessUpdate::HeadlessUpdate (const juce::String& commandLine, std::function<void()> quitFunction,
                                std::function<void (const juce::String&)> problemReporter)
    : quit (std::move (quitFunction)),
      reportProblem (problemReporter ? std::move (problemReporter) : &writeToStandardError)
{
    const auto options = CommandLineOptions::read (commandLine);
    gAutoUpdate = true;

    if (options.fileRequested)
    {
        auto fileImage = std::make_unique<FileFirmwareImage> (options.strFile);

        if (fileImage->getData() == nullptr)
        {
            refuse ("cannot use --file: " + fileImage->getProblem());
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
        refuse ("MIDI output device " + juce::String (options.nOutputid)
                  + " did not open (see brevane --list-devices)");
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
        protocol->waitForThreadToExit (6000);
        protocol.reset();
    }

    deviceInterface.reset();
    image.reset();
}

int HeadlessUpdate::getExitStatus() const
{
    return run != nullptr ? run->getExitStatus() : (int) UnattendedRun::notStarted;
}

void HeadlessUpdate::refuse (const juce::String& reason)
{
    reportProblem ("brevane: " + reason + "; nothing was sent");

    // Asked from the constructor: the quit must not arrive before the caller holds this object.
    juce::MessageManager::callAsync ([q = quit] { if (q) q(); });
}
