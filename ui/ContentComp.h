#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "TemplateLookAndFeel.h"
#include "UpdateProgressBar.h"

class ArvellaHelpWindowClass;
class FileFirmwareImage;
class FirmwareImage;
class InterfaceBaseClass;
class ProtocolBaseClass;
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

    FirmwareImage* getFirmwareImage() const noexcept     { return firmwareImage.get(); }
    ProtocolBaseClass* getProtocol() const noexcept      { return protocol.get(); }
    InterfaceBaseClass* getDeviceInterface() const noexcept  { return deviceInterface.get(); }

    /** Makes the named file the current image. When it cannot be used (an
        empty file aside) a box says why; false, and the built-in image is kept.
        In auto-update mode only the named image may go out: an empty or
        damaged file is refused too, with a box, and nothing starts. */
    bool loadFirmwareFile (const juce::String& path);

    /** Why the auto-update the command line asked for was refused before
        anything was sent (a box has said so), or empty. */
    juce::String getUnattendedRefusal() const        { return unattendedRefusal; }

private:
    void applyUpdateButtonColourRule();
    juce::String buildIntroductionText (bool fileImageInUse) const;
    void showWhyTheFileIsNotUsed (const juce::String& path, const FileFirmwareImage& fileImage);
    void refuseUnattendedRun (const juce::String& reason, const juce::String& message);

    std::unique_ptr<ArvellaHelpWindowClass> helpWindow;
    juce::DocumentWindow* ownerWindow;
    std::unique_ptr<InterfaceBaseClass> deviceInterface;
    std::unique_ptr<ProtocolBaseClass> protocol;
    std::unique_ptr<juce::TextButton> updateButton;
    std::unique_ptr<UpdateProgressBar> progressBar;
    std::unique_ptr<juce::Label> progressLabel;
    double progress = 0.0;
    std::unique_ptr<juce::TextButton> helpButton;
    std::unique_ptr<juce::Label> infoLabel, step1Label, step2Label;
    std::unique_ptr<FirmwareImage> firmwareImage;
    juce::String unattendedRefusal;
    std::unique_ptr<UploadTimeLeft> timeLeft;    // of the upload under way, for the bar's tooltip

    TemplateLookAndFeel lookAndFeel;
    juce::TooltipWindow tooltipWindow { nullptr, 700 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentComp)
};
