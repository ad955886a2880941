#pragma once

#include <juce_core/juce_core.h>

/** The rule an image follows: a message runs from an F0 to the first F7
    after it, every byte in between below 0x80, and the next message begins
    on the byte after that F7. Nothing else in the bytes is looked at.
*/
namespace SysexFraming
{
    enum class Fault
    {
        none,
        noStartByte,      // the byte where a message must begin is not F0
        unterminated,     // the image ends before the message's F7
        highByteInside    // a byte of 0x80 or more before the message's F7: a driver would cut it there
    };

    /** What stands at one offset of an image: a whole message, or a fault there. */
    struct Step
    {
        Fault fault = Fault::none;
        int length = 0;   // F0 and F7 included; 0 on a fault
        int faultOffset = -1;   // the message's start, or the offending byte inside it
    };

    /** Reads the message that should begin at offset. Never reads at or past size. */
    Step messageAt (const juce::uint8* data, int size, int offset) noexcept;

    /** A whole image, message by message. */
    struct Scan
    {
        juce::Array<int> messageLengths;
        juce::int64 bytesInMessages = 0;
        Fault fault = Fault::none;
        int faultOffset = -1;
    };

    Scan scan (const juce::uint8* data, int size);

    /** The user's words for a fault, e.g. "invalid SysEx data at byte 12". */
    juce::String describe (Fault fault, int offset);
}
