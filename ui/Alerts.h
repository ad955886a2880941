#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Every modal message box of the program goes through here.

    The program shows JUCE's own box and waits for the user. Without a display
    each box becomes one line on standard error, title and text, and nothing
    waits. A test installs a ScopedCapture instead and sees what would have been shown.
*/
namespace Alerts
{
    struct Shown
    {
        juce::MessageBoxIconType icon;
        juce::String title;
        juce::String message;
    };

    /** Shows the box and returns once the user has dismissed it. */
    void show (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message);

    /** From now on, boxes are written to standard error instead of shown. */
    void sendToStandardError();

    /** From now on every box is also told to the witness, before it is shown;
        an empty function stops that. */
    void setWitness (std::function<void (const Shown&)> witness);

    /** The line a box becomes without a display. */
    juce::String asLine (const juce::String& title, const juce::String& message);

    /** While one of these lives, boxes are recorded here instead of shown. */
    class ScopedCapture
    {
    public:
        ScopedCapture();
        ~ScopedCapture();

        const std::vector<Shown>& getShown() const noexcept   { return shown; }

    private:
        std::vector<Shown> shown;
        ScopedCapture* previous;

        friend void show (juce::MessageBoxIconType, const juce::String&, const juce::String&);
        JUCE_DECLARE_NON_COPYABLE (ScopedCapture)
    };
}
