// Small X11 helper for the end-to-end tests.
//   x11-helper atoms        creates the atoms a window manager would have made
//                           (WM_PROTOCOLS, WM_DELETE_WINDOW, ...); a bare X
//                           server lacks them and JUCE only looks them up
//   x11-helper close WINDOW asks a window to close, as a window manager does

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: x11-helper atoms | close WINDOW\n");
        return 2;
    }

    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
    {
        std::fprintf (stderr, "x11-helper: cannot open display\n");
        return 1;
    }

    for (auto* name : { "WM_TAKE_FOCUS", "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_PING",
                        "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN" })
        XInternAtom (display, name, False);

    const auto protocols = XInternAtom (display, "WM_PROTOCOLS", False);
    const auto deleteWindow = XInternAtom (display, "WM_DELETE_WINDOW", False);

    int status = 0;

    if (std::strcmp (argv[1], "close") == 0 && argc > 2)
    {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = (Window) std::strtoul (argv[2], nullptr, 0);
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = (long) deleteWindow;
        event.xclient.data.l[1] = CurrentTime;

        if (XSendEvent (display, event.xclient.window, False, NoEventMask, &event) == 0)
            status = 1;
    }
    else if (std::strcmp (argv[1], "atoms") != 0)
    {
        status = 2;
    }

    XSync (display, False);
    XCloseDisplay (display);
    return status;
}
