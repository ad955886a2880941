#include <gtest/gtest.h>

#include "firmware/SysexFraming.h"

#include <vector>

namespace
{
    using Fault = SysexFraming::Fault;

    struct Case
    {
        const char* name;
        std::vector<juce::uint8> bytes;
        std::vector<int> lengths;
        Fault fault;
        int faultOffset;
    };

    const Case cases[] =
    {
        { "empty image",                {},                                    {},     Fault::none,         -1 },
        { "one message",                { 0xf0, 0x01, 0xf7 },                  { 3 },  Fault::none,         -1 },
        { "shortest message",           { 0xf0, 0xf7 },                        { 2 },  Fault::none,         -1 },
        { "two messages",               { 0xf0, 0xf7, 0xf0, 0x01, 0x02, 0xf7 }, { 2, 4 }, Fault::none,      -1 },
        { "F0 inside a message",        { 0xf0, 0xf0, 0xf7 },                  {},     Fault::highByteInside, 1 },
        { "0x80 inside a message",      { 0xf0, 0x7f, 0x80, 0xf7 },            {},     Fault::highByteInside, 2 },
        { "clock byte inside a message",{ 0xf0, 0x01, 0xf8, 0xf7 },            {},     Fault::highByteInside, 2 },
        { "high byte in a later message", { 0xf0, 0xf7, 0xf0, 0x01, 0x02, 0xff, 0xf7 }, { 2 }, Fault::highByteInside, 5 },
        { "high byte, then no F7",      { 0xf0, 0x01, 0x90, 0x02 },            {},     Fault::highByteInside, 2 },
        { "first byte not F0",          { 0x00, 0xf0, 0xf7 },                  {},     Fault::noStartByte,  0 },
        { "garbage after a message",    { 0xf0, 0xf7, 0x42, 0xf0, 0xf7 },      { 2 },  Fault::noStartByte,  2 },
        { "lone F0",                    { 0xf0 },                              {},     Fault::unterminated, 0 },
        { "unterminated last message",  { 0xf0, 0xf7, 0xf0, 0x01, 0x02 },      { 2 },  Fault::unterminated, 2 },
        { "lone F7",                    { 0xf7 },                              {},     Fault::noStartByte,  0 },
    };
}

TEST (SysexFraming, ScansImagesMessageByMessage)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);

        // A copy exactly as large as the image, so that a read past its end shows under ASan.
        std::unique_ptr<juce::uint8[]> exact (new juce::uint8[c.bytes.size() + 0]);
        std::copy (c.bytes.begin(), c.bytes.end(), exact.get());

        const auto scan = SysexFraming::scan (exact.get(), (int) c.bytes.size());

        EXPECT_EQ (std::vector<int> (scan.messageLengths.begin(), scan.messageLengths.end()), c.lengths);
        EXPECT_EQ (scan.fault, c.fault);
        EXPECT_EQ (scan.faultOffset, c.faultOffset);
    }
}

TEST (SysexFraming, DescribesFaultsWithTheirByteOffset)
{
    EXPECT_EQ (SysexFraming::describe (Fault::noStartByte, 270959), "invalid SysEx data at byte 270959");
    EXPECT_EQ (SysexFraming::describe (Fault::unterminated, 0), "unterminated SysEx message at byte 0");
    EXPECT_EQ (SysexFraming::describe (Fault::highByteInside, 7), "invalid SysEx data at byte 7");
    EXPECT_EQ (SysexFraming::describe (Fault::none, 5), "");
}
