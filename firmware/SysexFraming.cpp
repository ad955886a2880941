#include "SysexFraming.h"

namespace SysexFraming
{
    Step messageAt (const juce::uint8* data, int size, int offset) noexcept
    {
        if (data == nullptr || offset < 0 || offset >= size || data[offset] != 0xf0)
            return { Fault::noStartByte, 0, offset };

        for (int i = offset + 1; i < size; ++i)
        {
            if (data[i] == 0xf7)
                return { Fault::none, i - offset + 1, -1 };

            if (data[i] >= 0x80)
                return { Fault::highByteInside, 0, i };
        }

        return { Fault::unterminated, 0, offset };
    }

    Scan scan (const juce::uint8* data, int size)
    {
        Scan result;

        for (int offset = 0; offset < size;)
        {
            const auto step = messageAt (data, size, offset);

            if (step.fault != Fault::none)
            {
                result.fault = step.fault;
                result.faultOffset = step.faultOffset;
                break;
            }

            result.messageLengths.add (step.length);
            result.bytesInMessages += step.length;
            offset += step.length;
        }

        return result;
    }

    juce::String describe (Fault fault, int offset)
    {
        switch (fault)
        {
            case Fault::noStartByte:
            case Fault::highByteInside: return "invalid SysEx data at byte " + juce::String (offset);
            case Fault::unterminated:   return "unterminated SysEx message at byte " + juce::String (offset);
            case Fault::none:           break;
        }

        return {};
    }
}
