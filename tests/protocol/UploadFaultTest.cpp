#include <gtest/gtest.h>

#include "ChangeRecorder.h"
#include "TestFirmwareImage.h"
#include "UploadRig.h"

// An image that breaks the framing stops the upload where it breaks. Left to
// itself, the loop would find no F0 there and spin on the message-thread lock
// for good, still showing "Uploading firmware"; each case below would then
// never see its run end.
TEST (UploadFault, StopsWithTheOffsetAndLeavesTheProtocolReadyForAnotherTry)
{
    struct Case
    {
        const char* name;
        std::vector<juce::uint8> bytes;
        juce::String status;
        std::vector<int> sentLengths;
        double progress;
    };

    const Case cases[] =
    {
        { "first byte not F0",          { 0x42, 0xf0, 0xf7 },
          "Upload failed: invalid SysEx data at byte 0",            {},     0.0 },
        { "lone F7",                    { 0xf7 },
          "Upload failed: invalid SysEx data at byte 0",            {},     0.0 },
        { "stray byte after a message", { 0xf0, 0x01, 0xf7, 0x42, 0xf0, 0xf7 },
          "Upload failed: invalid SysEx data at byte 3",            { 3 },  0.5 },
        { "F7 after a message",         { 0xf0, 0x01, 0x02, 0xf7, 0xf7, 0xf0, 0xf7 },
          "Upload failed: invalid SysEx data at byte 4",            { 4 },  0.57 },
        { "empty image",                {},
          "Upload failed: invalid SysEx data at byte 0",            {},     0.0 },
        { "last message without F7",    { 0xf0, 0x01, 0xf7, 0xf0, 0x01, 0x02 },
          "Upload failed: unterminated SysEx message at byte 3",    { 3 },  0.5 },
        { "image ending on F0",         { 0xf0, 0x01, 0x02, 0xf7, 0xf0, 0xf7, 0xf0 },
          "Upload failed: unterminated SysEx message at byte 6",    { 4, 2 }, 0.86 },
        { "lone F0",                    { 0xf0 },
          "Upload failed: unterminated SysEx message at byte 0",    {},     0.0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        UploadRig rig (std::make_unique<TestFirmwareImage> (c.bytes));
        ChangeRecorder recorder (rig.protocol);

        for (int attempt = 1; attempt <= 2; ++attempt)
        {
            SCOPED_TRACE ("attempt " + std::to_string (attempt));
            rig.protocol.startUpdate();
            const auto changesBefore = recorder.size();     // status reports come after this

            ASSERT_TRUE (rig.waitUntilIdle());

            // The status report that tells the listener of the failure.
            ChangeRecorder::Change told {};
            ASSERT_TRUE (MessageLoop::runUntil ([&]
            {
                const auto changes = recorder.getChanges();

                for (auto i = changesBefore; i < changes.size(); ++i)
                    if (changes[i].onMessageThread && changes[i].status == c.status)
                        return (told = changes[i]), true;

                return false;
            }));

            std::vector<int> lengths;

            for (const auto& send : rig.interface.getSends())
                lengths.push_back ((int) send.bytes.size());

            auto expectedLengths = c.sentLengths;

            if (attempt == 2)
                expectedLengths.insert (expectedLengths.end(), c.sentLengths.begin(), c.sentLengths.end());

            EXPECT_EQ (lengths, expectedLengths);
            EXPECT_EQ (rig.protocol.getStatus(), c.status);
            EXPECT_EQ (rig.protocol.getProgress(), c.progress);
            EXPECT_TRUE (rig.protocol.lastRunFailed());
            EXPECT_TRUE (rig.interface.isEnabled());

            // A pause after each message sent and no closing pause.
            EXPECT_EQ (rig.clock.getSleeps(), std::vector<int> (lengths.size(), 300));

            // Told of the failure, the listener can read it and enable its controls again.
            EXPECT_TRUE (told.lastRunFailed);
        }
    }
}
