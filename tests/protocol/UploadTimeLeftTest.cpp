#include <gtest/gtest.h>

#include "protocol/UploadTimeLeft.h"
#include "support/TestFirmwareImage.h"

// Rounded up: while anything is left, it never says nothing is.
TEST (UploadTimeLeft, SaysMinutesAndSecondsRoundedUp)
{
    const std::pair<double, const char*> cases[] =
    {
        { 0.0,        "0 min 00 s" },
        { -5.0,       "0 min 00 s" },
        { 0.3,        "0 min 01 s" },
        { 1000.0,     "0 min 01 s" },
        { 1000.5,     "0 min 02 s" },
        { 59001.0,    "1 min 00 s" },
        { 249900.0,   "4 min 10 s" },
        { 3600000.0,  "60 min 00 s" },
    };

    for (const auto& [ms, text] : cases)
        EXPECT_EQ (UploadTimeLeft::describe (ms), text) << ms << " ms";
}

// 9 bytes and 40 bytes: 300 + 2.88 ms and 300 + 12.8 ms.
TEST (UploadTimeLeft, CountsEveryMessageStillToSendAtItsOwnLength)
{
    std::vector<juce::uint8> bytes { 0xf0, 1, 2, 3, 4, 5, 6, 7, 0xf7, 0xf0 };
    bytes.insert (bytes.end(), 38, 0x00);
    bytes.push_back (0xf7);
    TestFirmwareImage image (bytes);
    const UploadTimeLeft left (image);

    ASSERT_EQ (left.getNumMessages(), 2);
    EXPECT_NEAR (left.afterMessages (0), 302.88 + 312.8, 1e-9);
    EXPECT_NEAR (left.afterMessages (1), 312.8, 1e-9);
    EXPECT_EQ (left.afterMessages (2), 0.0);
    EXPECT_EQ (left.afterMessages (7), 0.0);
}
