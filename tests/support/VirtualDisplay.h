#pragma once

namespace VirtualDisplay
{
    /** Moves to the display CTest gave this test, if it gave one, and makes a bare
        X server behave like a desktop session for JUCE; call before JUCE connects. */
    void prepare();
}
