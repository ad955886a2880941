#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the X server knows of a window, beyond what JUCE tracks itself. */
namespace NativeWindowState
{
    /** True if the component's window is mapped on the screen at this moment. */
    bool isMapped (juce::Component& topLevel);
}
