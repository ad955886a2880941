#include "ContentComp.h"

#include "Alerts.h"
#include "UploadSession.h"
#include "device/InterfaceBaseClass.h"
#include "firmware/FirmwareDescription.h"
#include "firmware/FirmwareImage.h"
#include "help/ArvellaHelpWindowClass.h"
#include "protocol/ProtocolBaseClass.h"
#include "protocol/UploadTimeLeft.h"

namespace
{
    const juce::String progressPrefix  = "Update progress: ";

    juce::Colour readyColour()      { return juce::Colours::green.brighter (0.99f); }
    juce::Colour notReadyColour()   { return juce::Colours::red.brighter (0.99f); }
}

ContentComp::ContentComp (juce::DocumentWindow* owner, juce::String commandLine)
    : ownerWindow (owner)
{
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

    helpWindow = std::make_unique<ArvellaHelpWindowClass>();

    // The interface, then the built-in image and its protocol, then the command line and a --file.
    session = std::make_unique<UploadSession> (commandLine, UploadSession::Audience::personAtTheScreen);
    deviceInterface = &session->getDeviceInterface();

    addAndMakeVisible (deviceInterface);

    getProtocol()->addChangeListener (this);
    deviceInterface->addChangeListener (this);

    infoLabel = std::make_unique<juce::Label> (juce::String(), buildIntroductionText (session->isFileImageInUse()));
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

    // The devices the line names, then the same path as a click by the user.
    if (gAutoUpdate)
        session->startUnattended ([this] { buttonClicked (updateButton.get()); });
}

ContentComp::~ContentComp()
{
    // The upload thread uses the interface and the image: it ends before either
    // goes. It is given as long as it can still take, never killed.
    session->stopUpload();

    // Handing JUCE's own look back makes every window lay itself out again,
    // this panel included: that must happen while its children still exist.
    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

    removeChildComponent (deviceInterface);
    updateButton.reset();
    progressLabel.reset();
    progressBar.reset();
    helpButton.reset();
    infoLabel.reset();
    step1Label.reset();
    step2Label.reset();

    session.reset();
    helpWindow.reset();
}

FirmwareImage* ContentComp::getFirmwareImage() const noexcept        { return &session->getFirmwareImage(); }
ProtocolBaseClass* ContentComp::getProtocol() const noexcept         { return &session->getProtocol(); }
InterfaceBaseClass* ContentComp::getDeviceInterface() const noexcept { return deviceInterface; }
juce::String ContentComp::getUnattendedRefusal() const               { return session->getRefusal(); }

bool ContentComp::loadFirmwareFile (const juce::String& path)
{
    return session->loadFirmwareFile (path);
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
            timeLeft = std::make_unique<UploadTimeLeft> (*getFirmwareImage());
            getProtocol()->startUpdate();
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
    if (source == deviceInterface)
    {
        deviceInterface->setEnabled (! (progress != 0.0 && progress != 1.0 && deviceInterface->isEnabled()));
        applyUpdateButtonColourRule();
    }
    else if (source == getProtocol())
    {
        auto* protocol = getProtocol();

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
    const auto* firmwareImage = getFirmwareImage();
    const juce::String opening = "This software updater will update your " + firmwareImage->getProductName();

    if (fileImageInUse)
        return opening + " firmware from the loaded sysex file";

    auto text = opening + " firmware to version " + FirmwareDescription::formatVersion (firmwareImage->getVersion());

    if (firmwareImage->getRevision() != 0)
        text << " - R" << firmwareImage->getRevision();

    return text;
}
