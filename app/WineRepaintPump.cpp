#include "WineRepaintPump.h"

#if JUCE_WINDOWS
 #include <windows.h>
#endif

std::unique_ptr<WineRepaintPump> WineRepaintPump::createIfNeeded()
{
    if (! isRunningUnderWine())
        return {};

    return std::unique_ptr<WineRepaintPump> (new WineRepaintPump());
}

bool WineRepaintPump::isRunningUnderWine()
{
   #if JUCE_WINDOWS
    // Wine's ntdll exports this; Windows' never has.
    if (auto* ntdll = GetModuleHandleW (L"ntdll.dll"))
        return GetProcAddress (ntdll, "wine_get_version") != nullptr;
   #endif

    return false;
}

WineRepaintPump::WineRepaintPump()
{
    startTimerHz (60);
}

WineRepaintPump::~WineRepaintPump()
{
    stopTimer();
}

void WineRepaintPump::timerCallback()
{
    // An opaque window paints what is pending, which at rest is nothing. JUCE
    // paints a see-through one (a drop shadow, a tooltip) whole each time it is
    // asked, so those are asked a few times a second only.
    const auto seeThroughToo = (++ticks % seeThroughEveryTicks) == 0;

    for (int i = juce::ComponentPeer::getNumPeers(); --i >= 0;)
        if (auto* peer = juce::ComponentPeer::getPeer (i))
            if (seeThroughToo || peer->getComponent().isOpaque())
                peer->performAnyPendingRepaintsNow();
}
