#include "Alerts.h"

namespace Alerts
{
    namespace
    {
        ScopedCapture* activeCapture = nullptr;
    }

    ScopedCapture::ScopedCapture()  : previous (activeCapture)   { activeCapture = this; }
    ScopedCapture::~ScopedCapture()                              { activeCapture = previous; }

    void show (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message)
    {
        if (activeCapture != nullptr)
        {
            activeCapture->shown.push_back ({ icon, title, message });
            return;
        }

        juce::AlertWindow::showMessageBox (icon, title, message);
    }
}
