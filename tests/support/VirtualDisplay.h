#pragma once

namespace VirtualDisplay
{
    /** Makes a bare X server behave like a desktop session for JUCE; call before JUCE connects. */
    void prepare();
}
