// Small X11 helper for the end-to-end tests.
//   x11-helper atoms        creates the atoms a window manager would have made
//                           (WM_PROTOCOLS, WM_DELETE_WINDOW, ...); a bare X
//                           server lacks them and JUCE only looks them up
//   x11-helper close WINDOW asks a window to close, as a window manager does
//   x11-helper nudge WINDOW sends the window's client an event it ignores
//
// Why nudge: JUCE reads X events only when its connection's socket becomes
// readable. An event that one of its own round trips has already pulled into
// Xlib's queue waits there until the next one arrives. On a desktop something
// always follows; a bare X server sends nothing more, so a close request sent
// while the program is busy starting up could wait forever.

#include "SessionAtoms.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
    // The window may be gone already: that is no error for a nudge.
    int ignoreErrors (Display*, XErrorEvent*)     { return 0; }

    int sendClientMessage (Display* display, const char* windowText, Atom type, long value)
    {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = (Window) std::strtoul (windowText, nullptr, 0);
        event.xclient.message_type = type;
        event.xclient.format = 32;
        event.xclient.data.l[0] = value;
        event.xclient.data.l[1] = CurrentTime;

        return XSendEvent (display, event.xclient.window, False, NoEventMask, &event) == 0 ? 1 : 0;
    }
}

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: x11-helper atoms | close WINDOW | nudge WINDOW\n");
        return 2;
    }

    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
    {
        std::fprintf (stderr, "x11-helper: cannot open display\n");
        return 1;
    }

    for (auto* name : SessionAtoms::names)
        XInternAtom (display, name, False);

    const auto protocols = XInternAtom (display, "WM_PROTOCOLS", False);
    const auto deleteWindow = XInternAtom (display, "WM_DELETE_WINDOW", False);

    int status = 0;

    if (std::strcmp (argv[1], "close") == 0 && argc > 2)
    {
        status = sendClientMessage (display, argv[2], protocols, (long) deleteWindow);
    }
    else if (std::strcmp (argv[1], "nudge") == 0 && argc > 2)
    {
        XSetErrorHandler (ignoreErrors);
        sendClientMessage (display, argv[2], XInternAtom (display, "BREVANE_TEST_NUDGE", False), 0);
    }
    else if (std::strcmp (argv[1], "atoms") != 0)
    {
        status = 2;
    }

    XSync (display, False);
    XCloseDisplay (display);
    return status;
}
