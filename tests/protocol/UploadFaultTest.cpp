#include <gtest/gtest.h>

#include "ChangeRecorder.h"
#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"

// An image that breaks the framing anywhere is refused before its first
// message: a device flashed with the good first part of a damaged image is
// worse off than one left untouched. The status names the faulty byte, and
// the protocol is ready for another try.
TEST (UploadFault, ADamagedImageIsRefusedWholeBeforeAnythingIsSent)
{
    struct Case
    {
        const char* name;
        std::vector<juce::uint8> bytes;
        juce::String status;
    };

    const Case cases[] =
    {
        { "first byte not F0",          { 0x42, 0xf0, 0xf7 },
          "Upload failed: invalid SysEx data at byte 0" },
        { "lone F7",                    { 0xf7 },
          "Upload failed: invalid SysEx data at byte 0" },
        { "stray byte after a message", { 0xf0, 0x01, 0xf7, 0x42, 0xf0, 0xf7 },
          "Upload failed: invalid SysEx data at byte 3" },
        { "F7 after a message",         { 0xf0, 0x01, 0x02, 0xf7, 0xf7, 0xf0, 0xf7 },
          "Upload failed: invalid SysEx data at byte 4" },
        { "empty image",                {},
          "Upload failed: invalid SysEx data at byte 0" },
        { "last message without F7",    { 0xf0, 0x01, 0xf7, 0xf0, 0x01, 0x02 },
          "Upload failed: unterminated SysEx message at byte 3" },
        { "image ending on F0",         { 0xf0, 0x01, 0x02, 0xf7, 0xf0, 0xf7, 0xf0 },
          "Upload failed: unterminated SysEx message at byte 6" },
        { "lone F0",                    { 0xf0 },
          "Upload failed: unterminated SysEx message at byte 0" },
        { "0x80 inside the first message", { 0xf0, 0x01, 0x80, 0x02, 0xf7 },
          "Upload failed: invalid SysEx data at byte 2" },
        { "F0 inside a later message",  { 0xf0, 0x01, 0xf7, 0xf0, 0x01, 0xf0, 0x02, 0xf7 },
          "Upload failed: invalid SysEx data at byte 5" },
        { "note-on inside the last message", { 0xf0, 0xf7, 0xf0, 0xf7, 0xf0, 0x90, 0x3c, 0x7f, 0xf7 },
          "Upload failed: invalid SysEx data at byte 5" },
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

            EXPECT_TRUE (rig.interface.getSends().empty());
            EXPECT_EQ (rig.protocol.getStatus(), c.status);
            EXPECT_EQ (rig.protocol.getProgress(), 0.0);
            EXPECT_TRUE (rig.protocol.lastRunFailed());
            EXPECT_TRUE (rig.interface.isEnabled());
            EXPECT_TRUE (rig.clock.getSleeps().empty());

            // Told of the failure, the listener can read it and enable its controls again.
            EXPECT_TRUE (told.lastRunFailed);
        }
    }
}
