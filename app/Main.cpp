#include <juce_gui_basics/juce_gui_basics.h>

#include "firmware/FirmwareImage.h"

class Application  : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override      { return "Brevane by Velmor"; }
    const juce::String getApplicationVersion() override   { return "1.0"; }
    bool moreThanOneInstanceAllowed() override            { return false; }
    void anotherInstanceStarted (const juce::String&) override {}

    void initialise (const juce::String&) override
    {
        BuiltInFirmwareImage image;
        mainWindow = std::make_unique<Window> (image.getProductName() + " version "
                                                + juce::String (image.getVersion(), 1)
                                                + " - R" + juce::String (image.getRevision()));
    }

    void shutdown() override   { mainWindow = nullptr; }

private:
    struct Window  : public juce::DocumentWindow
    {
        explicit Window (const juce::String& title)
            : DocumentWindow (title, juce::Colour (0xffeff2f3), DocumentWindow::allButtons)
        {
            centreWithSize (650, 400);
            setVisible (true);
        }

        void closeButtonPressed() override   { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }
    };

    std::unique_ptr<Window> mainWindow;
};

START_JUCE_APPLICATION (Application)
