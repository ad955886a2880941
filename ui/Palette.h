#pragma once

#include <juce_graphics/juce_graphics.h>

/** The colours every window of the program is framed in: the main window, the
    help windows and the look that draws their title bars. */
namespace Palette
{
    constexpr juce::uint32 windowBackground = 0xffeff2f3;
    constexpr juce::uint32 secondWindow     = 0xff3273a1;   // top of the title bar
    constexpr juce::uint32 maximiseTint     = 0xff9299a5;
}
