#pragma once

#include <juce_core/juce_core.h>

/** The one rule for how long a message of an upload holds the line: its bytes
    on a MIDI 1.0 wire (31250 baud, 10 bits a byte: 0.32 ms a byte), then the
    rest the device needs before the next message.

    The output waits out the wire, the upload takes the rest, and whoever
    estimates an upload or the time left in one counts with the same figures.
*/
struct MidiWireTime
{
    static constexpr double midiBytesPerSecond = 3125.0;
    static constexpr int defaultRestMs = 300;

    /** The rest after every message. */
    int restMs = defaultRestMs;

    /** How long the bytes take on a wire of the given speed; nothing when the
        speed is 0 or less (the driver takes them as fast as they come). */
    static double transferMs (int numBytes, double bytesPerSecond = midiBytesPerSecond) noexcept;

    /** How long an output gives the bytes before the rest may begin: their
        transfer time at 3125 bytes/s, and a margin for a late wire. MIDI 1.0
        allows 1 % on the rate, and a UART that is served late or an interface
        that adds gaps stretches a message further (2 % and some 20 ms in a
        slow virtual machine). A longer rest is always safe; a shorter one can
        leave the device still busy when the next message begins. */
    static double pacedTransferMs (int numBytes) noexcept
    {
        return transferMs (numBytes) * (1.0 + lateWireShare) + lateWireMs;
    }

    static constexpr double lateWireShare = 0.05;
    static constexpr double lateWireMs = 25.0;

    /** How long the rest after a message lasts. */
    int restAfterMs() const noexcept     { return restMs; }

    /** One message from the start of its send to the end of the rest after it. */
    double messageMs (int numBytes, double bytesPerSecond = midiBytesPerSecond) const noexcept;

    /** The messages of these lengths from index first on, one after the other. */
    double messagesMs (const juce::Array<int>& lengths, int first,
                       double bytesPerSecond = midiBytesPerSecond) const noexcept;
};
