// The floor the idle figures are held against: a JUCE window with the kinds of
// controls the program's window has (a label, a combo box, a text button, a
// progress bar and a tooltip window), in JUCE's own look, and nothing else.
// It says "shown" on standard output once its window is up. A line "second
// window" on its standard input opens a second one with a read-only text, as
// the program's help window is; the end of its input ends it, and so does the
// end of the process that started it.
//
//   bench_bare_window

#include <juce_gui_basics/juce_gui_basics.h>

#include <sys/prctl.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

namespace
{
    /** JUCE's bar, without the 30 ms poll of its value it starts when shown: with
        it the bare window would do more than a window at rest must, and the
        floor would flatter whatever is measured against it. */
    class QuietProgressBar  : public juce::ProgressBar
    {
    public:
        explicit QuietProgressBar (double& value)  : juce::ProgressBar (value) {}

    protected:
        void visibilityChanged() override {}
    };

    class Content  : public juce::Component
    {
    public:
        Content()
        {
            label.setText ("A label", juce::dontSendNotification);
            addAndMakeVisible (label);

            devices.addItem ("(Disconnected)", 1);
            devices.addItem ("Benchmark Out", 2);
            devices.setSelectedId (2, juce::dontSendNotification);
            addAndMakeVisible (devices);

            button.setTooltip ("a tip");
            addAndMakeVisible (button);
            addAndMakeVisible (bar);
        }

        void resized() override
        {
            label.setBounds (10, 15, getWidth() - 20, 50);
            devices.setBounds (10, 105, getWidth() - 20, 25);
            bar.setBounds (10, 215, getWidth() - 114, 30);
            button.setBounds (getWidth() - 104, 215, 94, 30);
        }

    private:
        double progress = 0.0;
        juce::Label label;
        juce::ComboBox devices;
        juce::TextButton button { "update" };
        QuietProgressBar bar { progress };
        juce::TooltipWindow tooltipWindow { nullptr, 700 };
    };

    class Window  : public juce::DocumentWindow
    {
    public:
        Window (const juce::String& title, juce::Component* content, juce::Rectangle<int> bounds)
            : juce::DocumentWindow (title, juce::Colours::lightgrey, allButtons, true)
        {
            setContentOwned (content, false);
            setBounds (bounds);
            setVisible (true);
        }

        void closeButtonPressed() override   {}
    };

    juce::Component* createText()
    {
        auto* text = new juce::TextEditor();
        text->setMultiLine (true, true);
        text->setReadOnly (true);
        text->setText (juce::String::repeatedString ("Some lines of help.\n", 40));
        return text;
    }

    void quit()
    {
        juce::MessageManager::getInstance()->stopDispatchLoop();
    }

    /** Reads the requests on standard input; blocked in a read, it never wakes by itself. */
    class Requests  : private juce::Thread
    {
    public:
        explicit Requests (std::unique_ptr<Window>& second)  : juce::Thread ("requests"), secondWindow (second)
        {
            startThread();
        }

        ~Requests() override   { stopThread (2000); }

    private:
        void run() override
        {
            std::string line;

            while (std::getline (std::cin, line))
            {
                if (line == "second window")
                {
                    juce::MessageManager::callAsync ([this]
                    {
                        // Left edge too, below the first: both clear of the program's centred windows.
                        secondWindow = std::make_unique<Window> ("Bare JUCE text", createText(), juce::Rectangle<int> (0, 450, 550, 400));
                        std::printf ("second window shown\n");
                        std::fflush (stdout);
                    });
                }
            }

            juce::MessageManager::callAsync (quit);
        }

        std::unique_ptr<Window>& secondWindow;
    };
}

int main()
{
    // Never outlives the benchmark that started it.
    prctl (PR_SET_PDEATHSIG, SIGTERM);

    juce::ScopedJuceInitialiser_GUI juce;

    // At the screen's left edge, clear of the program's centred windows.
    auto window = std::make_unique<Window> ("Bare JUCE window", new Content(), juce::Rectangle<int> (0, 0, 650, 400));
    std::unique_ptr<Window> secondWindow;
    std::printf ("shown\n");
    std::fflush (stdout);

    {
        Requests requests (secondWindow);
        juce::MessageManager::getInstance()->runDispatchLoop();
    }

    secondWindow = nullptr;
    window = nullptr;
    return 0;
}
