#include <gtest/gtest.h>

#include "app/SupportRecord.h"
#include "support/MessageLoop.h"
#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"
#include "ui/Alerts.h"

namespace
{
    /** A record in a file of the test's own, and what the file holds once it is finished. */
    struct RecordFile
    {
        std::unique_ptr<SupportRecord> open()
        {
            juce::String problem;
            auto record = SupportRecord::open (file.getFile().getFullPathName(), "--autoupdate --log r.txt", problem);
            EXPECT_NE (record, nullptr) << problem;
            return record;
        }

        juce::String text() const   { return file.getFile().loadFileAsString(); }

        juce::TemporaryFile file;
    };
}

TEST (SupportRecord, NotesEveryBoxWithItsTextOnOneLine)
{
    RecordFile f;
    auto record = f.open();

    {
        const Alerts::ScopedCapture capture;
        Alerts::show (juce::MessageBoxIconType::NoIcon, "File x.syx not found",
                      "A firmware file was specified, but it could not be found.\n The application will use the build-in firmware version.");
        Alerts::show (juce::MessageBoxIconType::WarningIcon, {}, "Please select an output device:");
    }

    record->finish (0);
    record.reset();

    const auto text = f.text();
    EXPECT_TRUE (text.contains (" box: File x.syx not found: A firmware file was specified, but it could not be found.\\n"
                                " The application will use the build-in firmware version.\n")) << text;
    EXPECT_TRUE (text.contains (" box: Please select an output device:\n")) << text;
    EXPECT_TRUE (text.contains ("\ncommand line: --autoupdate --log r.txt\n")) << text;
    EXPECT_TRUE (text.contains (" outcome: no upload was started\n")) << text;

    // Once the record is gone, a box is nobody's business.
    const Alerts::ScopedCapture capture;
    Alerts::show (juce::MessageBoxIconType::NoIcon, "later", "later");
    EXPECT_FALSE (f.text().contains ("later"));
}

TEST (SupportRecord, NotesEachMessageEveryStatusAndTheOutcomeOfAnUpload)
{
    RecordFile f;
    auto record = f.open();
    UploadRig rig (std::make_unique<TestFirmwareImage> (std::vector<juce::uint8> { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0x03, 0xf7 }));

    record->follow (&rig.protocol, rig.image.get(), &rig.interface);
    rig.clock.holdAt (5000);   // the closing pause lets "Update completed" through on its own
    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilHolding());
    MessageLoop::runFor (50);
    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());
    MessageLoop::runFor (100);

    record->stopFollowing();
    record->finish (0);
    record.reset();

    // What the lines say after their time stamps, in the order they were written.
    const char* const expected[] =
    {
        "device: none open",
        "image: Test version 0.0, 7 bytes, 2 messages, sha256 ",
        "status: Uploading firmware",
        "message 1: 3 bytes, send began ",
        "message 2: 4 bytes, send began ",
        "status: Update completed",
        "status: Please turn power off and on again",
        "outcome: every message was sent (2 of 2 messages)",
        "exit status: 0",
        "== end of record",
    };

    const auto text = f.text();
    const auto lines = juce::StringArray::fromLines (text.trimEnd());
    int next = 0;

    for (const auto* said : expected)
    {
        auto i = next;

        while (i < lines.size() && ! lines[i].trimStart().fromFirstOccurrenceOf (" ", false, false).startsWith (said))
            ++i;

        ASSERT_LT (i, lines.size()) << "no \"" << said << "\" after line " << next << " in\n" << text;
        next = i + 1;
    }

    EXPECT_EQ (next, lines.size()) << text;
}
