// Makes the bare virtual X server the tests run in behave like a desktop session for
// JUCE, before JUCE connects to it:
//
// - With no window manager, atoms that JUCE only looks up, never creates, are missing,
//   and JUCE then asks for properties of atom 0 as soon as a window goes on the desktop.
// - JUCE installs its forgiving X error handler only in a JUCEApplication. Without it,
//   Xlib ends the process on the first error, such as asking about a window that
//   another test process has just closed.

#include "VirtualDisplay.h"

#include "SessionAtoms.h"

#include <X11/Xlib.h>

namespace
{
    int ignoreXError (Display*, XErrorEvent*)
    {
        return 0;
    }
}

namespace VirtualDisplay
{
    void prepare()
    {
        XSetErrorHandler (ignoreXError);

        if (auto* display = XOpenDisplay (nullptr))
        {
            for (auto* name : SessionAtoms::names)
                XInternAtom (display, name, False);

            XCloseDisplay (display);
        }
    }
}
