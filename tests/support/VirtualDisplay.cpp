// Makes the bare virtual X server the tests run in behave like a desktop session for
// JUCE, before JUCE connects to it:
//
// - A test process has a display to itself while it runs, when the run provides
//   them (scripts/test.sh gives CTest one display per test it runs at once, as the
//   resource "displays"): another process's window would take the focus or come up
//   under the pointer in the middle of its test.
// - With no window manager, atoms that JUCE only looks up, never creates, are missing,
//   and JUCE then asks for properties of atom 0 as soon as a window goes on the desktop.
// - JUCE installs its forgiving X error handler only in a JUCEApplication. Without it,
//   Xlib ends the process on the first error, such as asking about a window that
//   another test process has just closed.

#include "VirtualDisplay.h"

#include "SessionAtoms.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

namespace
{
    /** The display CTest allocated, from "id:NUMBER,slots:1", or empty. */
    std::string allocatedDisplay()
    {
        const auto* allocation = std::getenv ("CTEST_RESOURCE_GROUP_0_DISPLAYS");

        if (allocation == nullptr)
            return {};

        const std::string text (allocation);
        const auto start = text.find ("id:");

        if (start == std::string::npos)
            return {};

        return ":" + text.substr (start + 3, text.find (',', start) - start - 3);
    }

    int ignoreXError (Display*, XErrorEvent*)
    {
        return 0;
    }
}

namespace VirtualDisplay
{
    void prepare()
    {
        if (const auto display = allocatedDisplay(); ! display.empty())
            setenv ("DISPLAY", display.c_str(), 1);

        XSetErrorHandler (ignoreXError);

        if (auto* display = XOpenDisplay (nullptr))
        {
            for (auto* name : SessionAtoms::names)
                XInternAtom (display, name, False);

            XCloseDisplay (display);
        }
    }
}
