#pragma once

#include <juce_core/juce_core.h>

/** A SysEx message of exactly numBytes bytes, F0 and F7 included, whose data
    bytes differ from one position to the next. */
inline juce::MemoryBlock makeSysex (int numBytes, juce::uint8 fill = 0x10)
{
    juce::MemoryBlock bytes ((size_t) numBytes);
    auto* data = static_cast<juce::uint8*> (bytes.getData());
    data[0] = 0xf0;

    for (int i = 1; i < numBytes - 1; ++i)
        data[i] = (juce::uint8) ((fill + i) & 0x7f);

    data[numBytes - 1] = 0xf7;
    return bytes;
}
