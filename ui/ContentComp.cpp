#include "ContentComp.h"

#include "app/Alerts.h"
#include "app/CommandLineOptions.h"
#include "app/ScriptLog.h"
#include "device/MidiInterfaceClass.h"
#include "firmware/FirmwareDescription.h"
#include "firmware/FirmwareImage.h"
#include "help/ArvellaHelpWindowClass.h"
#include "protocol/BasicSysexProtocolClass.h"

namespace
{
    const juce::String progressPrefix  = "Update progress: ";
    const juce::String completedStatus = "Please turn power off and on again";

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

    if (options.fileRequested)
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
    progressBar = std::make_unique<juce::ProgressBar> (progress);
    addAndMakeVisible (progressBar.get());

    progressLabel = std::make_unique<juce::Label> (juce::String(), "Update progress:");
    progressLabel->attachToComponent (progressBar.get(), false);

    helpButton = std::make_unique<juce::TextButton> ("Help", "click here to get help");
    addAndMakeVisible (helpButton.get());
    helpButton->addListener (this);

    if (gAutoUpdate)
    {
        deviceInterface->selectInputById (options.nInputid);
        deviceInterface->selectOutputById (options.nOutputid);
        buttonClicked (updateButton.get());
    }
}

ContentComp::~ContentComp()
{
    // The upload thread uses the interface and the image: it ends before either
    // goes. Its longest pause is 5000 ms and pauses are never cut short, so it
    // is given that long to finish the pass under way rather than be killed.
    protocol->signalThreadShouldExit();
    protocol->waitForThreadToExit (6000);
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

        if (progress == 1.0)
        {
            updateButton->setEnabled (true);
            deviceInterface->setEnabled (true);
        }
        else if (protocol->lastRunFailed())
        {
            // The upload stopped on bad data: let the user pick another device or try again.
            applyUpdateButtonColourRule();
            deviceInterface->setEnabled (true);
        }

        progressLabel->setText (progressPrefix + protocol->getStatus(), juce::dontSendNotification);

        if (gAutoUpdate)
        {
            reportToScript();

            // Unattended, nobody is there to retry: end the run, and let the exit status say it failed.
            if (protocol->lastRunFailed())
                if (auto* app = juce::JUCEApplicationBase::getInstance())
                    app->systemRequestedQuit();
        }
    }

    repaint();
}

//==============================================================================
bool ContentComp::loadFirmwareFile (const juce::String& path)
{
    auto fileImage = std::make_unique<FileFirmwareImage> (path);

    if (fileImage->getData() == nullptr)
        return false;

    firmwareImage = std::move (fileImage);
    protocol = std::make_unique<BasicSysexProtocolClass> (deviceInterface.get(), firmwareImage.get());
    return true;
}

bool ContentComp::hasCompletedUpload() const
{
    // The thread may still be on its way out after asking the program to quit.
    return protocol->getProgress() == 1.0 && protocol->getStatus() == completedStatus;
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

void ContentComp::reportToScript()
{
    const auto status = protocol->getStatus();

    if (status.isNotEmpty() && status != lastReportedStatus)
    {
        lastReportedStatus = status;
        ScriptLog::status (status);
    }

    const auto percent = juce::roundToInt (progress * 100.0);

    if (percent != lastReportedPercent)
    {
        lastReportedPercent = percent;
        ScriptLog::progress (percent);
    }
}
