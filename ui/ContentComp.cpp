#include "ContentComp.h"

#include "ui/Alerts.h"
#include "ui/CommandLineOptions.h"
#include "ui/DeviceListText.h"
#include "device/MidiInterfaceClass.h"
#include "firmware/FirmwareDescription.h"
#include "firmware/FirmwareImage.h"
#include "firmware/SendableImage.h"
#include "help/ArvellaHelpWindowClass.h"
#include "protocol/BasicSysexProtocolClass.h"
#include "protocol/UploadTimeLeft.h"

namespace
{
    const juce::String progressPrefix  = "Update progress: ";
    const char* const nothingIsSent = "The unattended update sends nothing and ends.";

    juce::Colour readyColour()      { return juce::Colours::green.brighter (0.99f); }
    juce::Colour notReadyColour()   { return juce::Colours::red.brighter (0.99f); }
}

ContentComp::ContentComp (juce::DocumentWindow* owner, juce::String commandLine)
    : ownerWindow (owner)
{
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

    helpWindow = std::make_unique<ArvellaHelpWindowClass>();
    deviceInterface = std::make_unique<MidiInterfaceClass> (true, false);

    firmwareImage = std::make_unique<BuiltInFirmwareImage>();
    firmwareImage->setProductName ("Arvella");
    protocol = std::make_unique<BasicSysexProtocolClass> (deviceInterface.get(), firmwareImage.get());

    auto options = CommandLineOptions::read (commandLine);
    gAutoUpdate = options.autoUpdate;

    if (gAutoUpdate && options.deviceNumberProblem.isNotEmpty())
        refuseUnattendedRun (options.deviceNumberProblem,
                             juce::String (nothingIsSent) + "\n\n" + DeviceListText::describe (*createMidiDeviceLayer()).trimEnd());
    else if (options.fileRequested)
        options.fileRequested = loadFirmwareFile (options.strFile);

    addAndMakeVisible (deviceInterface.get());

    protocol->addChangeListener (this);
    deviceInterface->addChangeListener (this);

    infoLabel = std::make_unique<juce::Label> (juce::String(), buildIntroductionText (options.fileRequested));
    addAndMakeVisible (infoLabel.get());
    step1Label = std::make_unique<juce::Label> (juce::String(), "STEP1");
    addAndMakeVisible (step1Label.get());
    step2Label = std::make_unique<juce::Label> (juce::String(), "STEP2");
    addAndMakeVisible (step2Label.get());

    updateButton = std::make_unique<juce::TextButton> ("update", "click here to update the product");
    addAndMakeVisible (updateButton.get());
    updateButton->addListener (this);
    updateButton->setConnectedEdges (juce::Button::ConnectedOnLeft);
    applyUpdateButtonColourRule();

    progress = 0.0;
    progressBar = std::make_unique<UpdateProgressBar> (progress);
    addAndMakeVisible (progressBar.get());

    progressLabel = std::make_unique<juce::Label> (juce::String(), "Update progress:");
    progressLabel->attachToComponent (progressBar.get(), false);

    helpButton = std::make_unique<juce::TextButton> ("Help", "click here to get help");
    addAndMakeVisible (helpButton.get());
    helpButton->addListener (this);

    if (gAutoUpdate && unattendedRefusal.isEmpty())
    {
        deviceInterface->selectInputById (options.nInputid);
        deviceInterface->selectOutputById (options.nOutputid);
        buttonClicked (updateButton.get());
    }
}

ContentComp::~ContentComp()
{
    // The upload thread uses the interface and the image: it ends before either
    // goes. It is given as long as it can still take, never killed.
    protocol->signalThreadShouldExit();
    protocol->waitForThreadToExit (ProtocolBaseClass::exitWaitMs);
    protocol.reset();

    // Handing JUCE's own look back makes every window lay itself out again,
    // this panel included: that must happen while its children still exist.
    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

    deviceInterface.reset();
    updateButton.reset();
    progressLabel.reset();
    progressBar.reset();
    helpButton.reset();
    infoLabel.reset();
    step1Label.reset();
    step2Label.reset();

    firmwareImage.reset();
    helpWindow.reset();
}

//==============================================================================
void ContentComp::resized()
{
    const auto w = getWidth();

    infoLabel->setBounds (10, 15, w - 20, 50);
    helpButton->setBounds (w - 104, 2, 94, 30);
    step1Label->setBounds (10, infoLabel->getBottom() + 5, w - 20, 30);
    deviceInterface->setBounds (10, step1Label->getBottom() + 5, w - 20, deviceInterface->getPreferredHeight());
    step2Label->setBounds (10, deviceInterface->getBottom() + 10, w - 20, 30);
    updateButton->setBounds (w - 104, step2Label->getBottom() + 20, 94, 30);
    progressBar->setBounds (10, step2Label->getBottom() + 20, w - 114, 30);

    helpWindow->centreWithSize (550, 400);
}

void ContentComp::buttonClicked (juce::Button* button)
{
    if (button == updateButton.get())
    {
        if (deviceInterface->isDeviceReady())
        {
            progress = 0.0;
            progressBar->valueChanged();
            timeLeft = std::make_unique<UploadTimeLeft> (*firmwareImage);
            protocol->startUpdate();
            updateButton->setEnabled (false);
        }
        else
        {
            Alerts::show (juce::MessageBoxIconType::WarningIcon, {}, "Please select an output device:");
        }
    }
    else if (button == helpButton.get())
    {
        helpWindow->setVisible (! helpWindow->isVisible());
        helpWindow->centreWithSize (550, 400);

        // Left behind the main window it would count as shown, and the next click would hide it unseen.
        if (helpWindow->isVisible())
            helpWindow->toFront (true);
    }
}

void ContentComp::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == deviceInterface.get())
    {
        deviceInterface->setEnabled (! (progress != 0.0 && progress != 1.0 && deviceInterface->isEnabled()));
        applyUpdateButtonColourRule();
    }
    else if (source == protocol.get())
    {
        progress = protocol->getProgress();
        progressBar->valueChanged();

        // The texts stay the framework's and the upload's; only the tooltip says how long is left.
        const auto sending = timeLeft != nullptr && progress > 0.0 && progress < 1.0 && ! protocol->lastRunFailed();
        progressBar->setTooltip (sending ? UploadTimeLeft::describe (timeLeft->afterMessages (protocol->getMessagesSent())) + " left"
                                         : juce::String());

        if (progress == 1.0)
        {
            updateButton->setEnabled (true);
            deviceInterface->setEnabled (true);
        }
        else if (protocol->lastRunFailed() || ! protocol->isUploadUnderway())
        {
            // The upload stopped on bad data, or its closing steps are over (a click
            // during them cleared the bar): let the user pick a device or go again.
            applyUpdateButtonColourRule();
            deviceInterface->setEnabled (true);
        }

        progressLabel->setText (progressPrefix + protocol->getStatus(), juce::dontSendNotification);
    }

    repaint();
}

//==============================================================================
bool ContentComp::loadFirmwareFile (const juce::String& path)
{
    auto fileImage = std::make_unique<FileFirmwareImage> (path);

    // Unattended, nobody chooses the built-in image instead: it must not go out in the file's place.
    if (gAutoUpdate)
    {
        if (const auto problem = SendableImage::problem (*fileImage, path); problem.isNotEmpty())
        {
            refuseUnattendedRun (problem, juce::String ("A firmware file was specified, but it cannot be used.\n ") + nothingIsSent);
            return false;
        }
    }

    if (fileImage->getData() == nullptr)
    {
        showWhyTheFileIsNotUsed (path, *fileImage);
        return false;
    }

    firmwareImage = std::move (fileImage);
    protocol = std::make_unique<BasicSysexProtocolClass> (deviceInterface.get(), firmwareImage.get());
    return true;
}

void ContentComp::showWhyTheFileIsNotUsed (const juce::String& path, const FileFirmwareImage& fileImage)
{
    using Outcome = FirmwareFileReader::Outcome;

    switch (fileImage.getOutcome())
    {
        case Outcome::emptyFile:
            return;   // an empty file quietly means the built-in image

        case Outcome::notFound:
            Alerts::show (juce::MessageBoxIconType::NoIcon,
                          "File " + path + " not found",
                          "A firmware file was specified, but it could not be found.\n"
                          " The application will use the build-in firmware version.");
            return;

        default:
            Alerts::show (juce::MessageBoxIconType::NoIcon,
                          fileImage.getProblem(),
                          "A firmware file was specified, but it cannot be used.\n"
                          " The application will use the built-in firmware version.");
            return;
    }
}

void ContentComp::refuseUnattendedRun (const juce::String& reason, const juce::String& message)
{
    unattendedRefusal = reason;
    Alerts::show (juce::MessageBoxIconType::WarningIcon, reason, message);
}

void ContentComp::applyUpdateButtonColourRule()
{
    const auto ready = deviceInterface->isDeviceReady();
    const auto colour = ready ? readyColour() : notReadyColour();

    updateButton->setColour (juce::TextButton::buttonColourId, colour);
    updateButton->setColour (juce::TextButton::buttonOnColourId, colour);
    updateButton->setEnabled (ready);
}

juce::String ContentComp::buildIntroductionText (bool fileImageInUse) const
{
    const juce::String opening = "This software updater will update your " + firmwareImage->getProductName();

    if (fileImageInUse)
        return opening + " firmware from the loaded sysex file";

    auto text = opening + " firmware to version " + FirmwareDescription::formatVersion (firmwareImage->getVersion());

    if (firmwareImage->getRevision() != 0)
        text << " - R" << firmwareImage->getRevision();

    return text;
}
