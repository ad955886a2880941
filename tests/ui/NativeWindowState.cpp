#include "NativeWindowState.h"

// Xlib's macros clash with JUCE's names: kept to this file.
#include <X11/Xlib.h>

namespace NativeWindowState
{
    bool isMapped (juce::Component& topLevel)
    {
        auto* peer = topLevel.getPeer();

        if (peer == nullptr)
            return false;

        // A connection of its own: JUCE syncs its requests when it raises a window, so the
        // server's answer here is up to date at those moments.
        static Display* const display = XOpenDisplay (nullptr);

        if (display == nullptr)
            return false;

        XWindowAttributes attributes {};

        if (XGetWindowAttributes (display, (::Window) (juce::pointer_sized_uint) peer->getNativeHandle(), &attributes) == 0)
            return false;

        return attributes.map_state != IsUnmapped;
    }
}
