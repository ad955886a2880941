#include <gtest/gtest.h>

#include "firmware/FirmwareImage.h"
#include "firmware/SysexFraming.h"

namespace
{
    struct Run
    {
        int count, length, command, subCommand;
    };

    // The built-in image's layout, in order.
    const Run layout[] =
    {
        { 2,   9,   0x51, 0x00 },
        { 1,   40,  0x52, 0x02 },
        { 1,   537, 0x52, 0x00 },
        { 1,   40,  0x52, 0x02 },
        { 536, 504, 0x52, 0x00 },
        { 1,   131, 0x52, 0x00 },
        { 1,   40,  0x52, 0x02 },
        { 1,   9,   0x52, 0x01 },
    };
}

TEST (BuiltInFirmwareImage, CarriesTheProductsNameVersionAndRevision)
{
    BuiltInFirmwareImage image;

    EXPECT_EQ (image.getProductName(), "Arvella");
    EXPECT_EQ (image.getVersion(), 1.2);
    EXPECT_EQ (image.getRevision(), 688);
    EXPECT_EQ (image.getSize(), 270959);
    ASSERT_NE (image.getData(), nullptr);
}

TEST (BuiltInFirmwareImage, ScansInto544MessagesOfTheProductsLayout)
{
    BuiltInFirmwareImage image;
    const auto* data = image.getData();
    const auto scan = SysexFraming::scan (data, image.getSize());

    ASSERT_EQ (scan.fault, SysexFraming::Fault::none);
    ASSERT_EQ (scan.messageLengths.size(), 544);
    EXPECT_EQ (scan.bytesInMessages, image.getSize());   // the last message ends on the last byte
    EXPECT_EQ (data[image.getSize() - 1], 0xf7);

    const juce::uint8* header = data + 1;
    int index = 0, offset = 0;

    for (const auto& run : layout)
    {
        for (int i = 0; i < run.count; ++i, ++index)
        {
            const auto* message = data + offset;
            const auto length = scan.messageLengths[index];
            SCOPED_TRACE ("message " + std::to_string (index + 1));

            ASSERT_EQ (length, run.length);
            EXPECT_EQ (message[0], 0xf0);
            EXPECT_EQ (memcmp (message + 1, header, 5), 0);
            EXPECT_EQ (message[6], run.command);
            EXPECT_EQ (message[7], run.subCommand);

            for (int b = 1; b < length - 1; ++b)
                ASSERT_LT (message[b], 0x80) << "at byte " << b;

            offset += length;
        }
    }

    EXPECT_EQ (header[0], 0x7d);   // the id kept for non-commercial use
}

TEST (BuiltInFirmwareImage, RepeatsTheMessagesTheLayoutSaysAreIdentical)
{
    BuiltInFirmwareImage image;
    const auto* data = image.getData();
    const auto scan = SysexFraming::scan (data, image.getSize());
    ASSERT_EQ (scan.messageLengths.size(), 544);

    juce::Array<juce::MemoryBlock> messages;
    for (int i = 0, offset = 0; i < scan.messageLengths.size(); offset += scan.messageLengths[i++])
        messages.add (juce::MemoryBlock (data + offset, (size_t) scan.messageLengths[i]));

    EXPECT_EQ (messages[0], messages[1]);
    EXPECT_EQ (messages[2], messages[4]);
    EXPECT_EQ (messages[2], messages[542]);
    EXPECT_NE (messages[5], messages[6]);   // the data blocks carry their own payload
}
