#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "TemplateLookAndFeel.h"
#include "UpdateProgressBar.h"

class ArvellaHelpWindowClass;
class FirmwareImage;
class InterfaceBaseClass;
class ProtocolBaseClass;
class UploadSession;
class UploadTimeLeft;

/** The main window's content: builds the image, the device interface and the
    upload protocol, applies the command line, and keeps the controls in step
    with the device and the upload.
*/
class ContentComp  : public juce::Component,
                     public juce::Button::Listener,
                     public juce::ChangeListener
{
public:
    ContentComp (juce::DocumentWindow* ownerWindow, juce::String commandLine);
    ~ContentComp() override;

    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    FirmwareImage* getFirmwareImage() const noexcept;
    ProtocolBaseClass* getProtocol() const noexcept;
    InterfaceBaseClass* getDeviceInterface() const noexcept;

    /** The upload the command line asks for: what is sent, where, and what
        the run's exit status is. */
    UploadSession& getSession() const noexcept       { return *session; }

    /** Makes the named file the current image (UploadSession::loadFirmwareFile). */
    bool loadFirmwareFile (const juce::String& path);

    /** Why the auto-update the command line asked for was refused before
        anything was sent (a box has said so), or empty. */
    juce::String getUnattendedRefusal() const;

private:
    void applyUpdateButtonColourRule();
    juce::String buildIntroductionText (bool fileImageInUse) const;

    std::unique_ptr<ArvellaHelpWindowClass> helpWindow;
    juce::DocumentWindow* ownerWindow;

    // The interface, the image and the protocol are the session's; the interface is also a child.
    std::unique_ptr<UploadSession> session;
    InterfaceBaseClass* deviceInterface = nullptr;
    std::unique_ptr<juce::TextButton> updateButton;
    std::unique_ptr<UpdateProgressBar> progressBar;
    std::unique_ptr<juce::Label> progressLabel;
    double progress = 0.0;
    std::unique_ptr<juce::TextButton> helpButton;
    std::unique_ptr<juce::Label> infoLabel, step1Label, step2Label;
    std::unique_ptr<UploadTimeLeft> timeLeft;    // of the upload under way, for the bar's tooltip

    TemplateLookAndFeel lookAndFeel;
    juce::TooltipWindow tooltipWindow { nullptr, 700 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentComp)
};
