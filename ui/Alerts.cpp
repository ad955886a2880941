#include "Alerts.h"

#include "ConsoleLine.h"

#include <atomic>

namespace Alerts
{
    namespace
    {
        ScopedCapture* activeCapture = nullptr;
        std::atomic<bool> toStandardError { false };

        std::function<void (const Shown&)>& currentWitness()
        {
            static std::function<void (const Shown&)> witness;
            return witness;
        }
    }

    void sendToStandardError()   { toStandardError = true; }

    void setWitness (std::function<void (const Shown&)> witness)   { currentWitness() = std::move (witness); }

    juce::String asLine (const juce::String& title, const juce::String& message)
    {
        auto text = message.replace ("\r", "").replace ("\n", " ");

        while (text.contains ("  "))
            text = text.replace ("  ", " ");

        text = text.trim();
        return "brevane: " + (title.isEmpty() ? text : title + ": " + text);
    }

    ScopedCapture::ScopedCapture()  : previous (activeCapture)   { activeCapture = this; }
    ScopedCapture::~ScopedCapture()                              { activeCapture = previous; }

    void show (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message)
    {
        if (auto& witness = currentWitness())
            witness ({ icon, title, message });

        if (activeCapture != nullptr)
        {
            activeCapture->shown.push_back ({ icon, title, message });
            return;
        }

        if (toStandardError)
        {
            ConsoleLine::write (stderr, asLine (title, message));
            return;
        }

        juce::AlertWindow::showMessageBox (icon, title, message);
    }
}
