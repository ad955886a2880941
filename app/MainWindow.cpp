#include "MainWindow.h"

#include "firmware/FirmwareDescription.h"
#include "protocol/ProtocolBaseClass.h"
#include "ui/ContentComp.h"
#include "ui/TemplateLookAndFeel.h"

MainWindow::MainWindow (juce::String commandLine)
    : DocumentWindow ({}, juce::Colour (0xffeff2f3), DocumentWindow::allButtons, true)
{
    TemplateLookAndFeel::setSecondWindowColour (*this, juce::Colour (0xff3273a1));

    contentComp = new ContentComp (this, commandLine);

    setResizable (true, false);
    setContentOwned (contentComp, false);
    setName (FirmwareDescription::describe (*contentComp->getFirmwareImage()));
    setVisible (true);
}

void MainWindow::closeButtonPressed()
{
    closedByUser = true;

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
