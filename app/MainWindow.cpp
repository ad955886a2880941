#include "MainWindow.h"

#include "firmware/FirmwareDescription.h"
#include "protocol/ProtocolBaseClass.h"
#include "ui/ContentComp.h"
#include "ui/TemplateLookAndFeel.h"

MainWindow::MainWindow (juce::String commandLine)
    : DocumentWindow ({}, juce::Colour (Palette::windowBackground), DocumentWindow::allButtons, true)
{
    TemplateLookAndFeel::setSecondWindowColour (*this, juce::Colour (Palette::secondWindow));

    contentComp = new ContentComp (this, commandLine);

    setResizable (true, false);
    setContentOwned (contentComp, false);
    setName (FirmwareDescription::describe (*contentComp->getFirmwareImage()));

    // A refused auto-update has said why in its box and only quits: no window to flash up.
    setVisible (contentComp->getUnattendedRefusal().isEmpty());
}

MainWindow::~MainWindow()
{
    // The panel hands JUCE's own look back as it goes, and a window still on
    // the desktop would build a new native window for it, only to destroy it a
    // moment later: seconds of the exit under Wine.
    removeFromDesktop();
}

void MainWindow::closeButtonPressed()
{
    if (contentComp != nullptr)
    {
        if (auto* protocol = contentComp->getProtocol())
        {
            protocol->signalThreadShouldExit();
            protocol->waitForThreadToExit (ProtocolBaseClass::exitWaitMs);
        }
    }

    // A window built outside the application (a test's) has nobody to ask.
    if (auto* application = juce::JUCEApplication::getInstance())
        application->systemRequestedQuit();
}
