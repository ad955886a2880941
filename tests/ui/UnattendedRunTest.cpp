#include <gtest/gtest.h>

#include "ui/ExitStatus.h"
#include "ui/UnattendedRun.h"
#include "firmware/FirmwareImage.h"
#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"
#include "support/MessageLoop.h"

namespace
{
    const std::vector<juce::uint8> twoMessages { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0xf7 };

    /** An owner on a rig, with the lines it writes and the quits it asks for. */
    struct Watched
    {
        explicit Watched (const std::vector<juce::uint8>& bytes)
            : rig (std::make_unique<TestFirmwareImage> (bytes))
        {
        }

        void follow()
        {
            run = std::make_unique<UnattendedRun> (rig.protocol, *rig.image, [this] { ++quits; },
                                                   [this] (const juce::String& line) { lines.add (line); });
        }

        UploadRig rig;
        juce::StringArray lines;
        int quits = 0;
        std::unique_ptr<UnattendedRun> run;
    };
}

TEST (UnattendedRun, ACompletedRunTellsEveryStepThenQuitsOnceWithZero)
{
    Watched w (twoMessages);
    w.rig.clock.holdAt (5000);   // the program's closing pause lets "Update completed" through on its own
    w.rig.protocol.startUpdate();
    w.follow();
    ASSERT_TRUE (w.rig.waitUntilHolding());
    MessageLoop::runFor (50);
    w.rig.clock.release();

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return w.quits > 0; }));
    MessageLoop::runFor (200);

    EXPECT_EQ (w.quits, 1);
    EXPECT_EQ (w.run->getExitStatus(), ExitStatus::allSent);
    EXPECT_EQ (w.lines.joinIntoString ("\n"), juce::StringArray ({ "image: Test version 0.0, 6 bytes, 2 messages, sha256 424fd6e003f5db27ec9f9f0b29facdb62131944b0d43ac5b6ee3f86f8f08fba7",
                                             "status: Uploading firmware",
                                             "progress: 50%, 0 min 01 s left",
                                             "progress: 100%, 0 min 00 s left",
                                             "status: Update completed",
                                             "status: Please turn power off and on again" }).joinIntoString ("\n"));
}

TEST (UnattendedRun, ClosingDuringTheFinalPauseStillCountsAsAllSent)
{
    Watched w (twoMessages);
    w.rig.clock.holdAt (5000);
    w.rig.protocol.startUpdate();
    w.follow();

    ASSERT_TRUE (w.rig.waitUntilHolding());
    MessageLoop::runFor (100);
    EXPECT_EQ (w.run->getExitStatus(), ExitStatus::allSent);
    EXPECT_EQ (w.quits, 0);   // not before the user has been told to power-cycle

    w.rig.protocol.signalThreadShouldExit();
    w.rig.clock.release();
    ASSERT_TRUE (w.rig.waitUntilIdle());
    EXPECT_EQ (w.run->getExitStatus(), ExitStatus::allSent);
}

TEST (UnattendedRun, BadDataEndsTheRunWithOneWithoutTheClosingSteps)
{
    Watched w ({ 0xf0, 0x01, 0xf7, 0x12, 0x34 });
    w.rig.protocol.startUpdate();
    w.follow();

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return w.quits > 0; }));
    MessageLoop::runFor (100);

    EXPECT_EQ (w.quits, 1);
    EXPECT_EQ (w.run->getExitStatus(), ExitStatus::notCompleted);
    EXPECT_TRUE (w.lines.contains ("status: Upload failed: invalid SysEx data at byte 3"));
    EXPECT_FALSE (w.lines.contains ("status: Update completed"));
}

TEST (UnattendedRun, AStoppedUploadIsNotCompletedAndTheWindowDecidesTheQuit)
{
    Watched w (twoMessages);
    w.rig.clock.holdAt (300);
    w.rig.protocol.startUpdate();
    w.follow();
    ASSERT_TRUE (w.rig.waitUntilHolding());

    w.rig.protocol.signalThreadShouldExit();
    w.rig.clock.release();
    ASSERT_TRUE (w.rig.waitUntilIdle());
    MessageLoop::runFor (100);

    EXPECT_EQ (w.quits, 0);
    EXPECT_EQ (w.run->getExitStatus(), ExitStatus::notCompleted);
    EXPECT_TRUE (w.lines[0].startsWith ("image: Test version 0.0, 6 bytes, 2 messages, sha256 ")) << w.lines[0];
}

TEST (UnattendedRun, NothingStartedSaysNothingAndExitsWithTwo)
{
    Watched w (twoMessages);
    w.follow();
    MessageLoop::runFor (100);

    EXPECT_EQ (w.quits, 0);
    EXPECT_TRUE (w.lines.isEmpty());
    EXPECT_EQ (w.run->getExitStatus(), ExitStatus::notStarted);
}

TEST (UnattendedRun, TheImageLineNamesTheBuiltInFirmware)
{
    BuiltInFirmwareImage image;
    image.setProductName ("Arvella");

    EXPECT_EQ (UnattendedRun::describeImage (image), "image: Arvella version 1.2, 270959 bytes, 544 messages, "
                                                     "sha256 873758150ad9be5ce29dc34b6a550e58c3046a80500e16cc16e2145902171ac4");
}

// 100 messages of 100 bytes: each holds the line 300 ms + 100 x 0.32 ms = 332 ms,
// and every message is a percent.
TEST (UnattendedRun, TheTimeLeftIsWhatTheMessagesStillToSendTakeAndFallsToZero)
{
    std::vector<juce::uint8> bytes;

    for (int m = 0; m < 100; ++m)
    {
        bytes.push_back (0xf0);
        bytes.insert (bytes.end(), 98, 0x11);
        bytes.push_back (0xf7);
    }

    Watched w (bytes);
    w.rig.protocol.startUpdate();
    w.follow();
    ASSERT_TRUE (w.rig.waitUntilIdle());
    MessageLoop::runFor (100);

    juce::StringArray progress;

    for (const auto& line : w.lines)
        if (line.startsWith ("progress: "))
            progress.add (line);

    ASSERT_EQ (progress.size(), 100);

    for (int percent = 1; percent <= 100; ++percent)
    {
        const auto leftMs = (100 - percent) * 332;
        const auto seconds = (leftMs + 999) / 1000;
        const auto expected = "progress: " + juce::String (percent) + "%, " + juce::String (seconds / 60) + " min "
                            + juce::String (seconds % 60).paddedLeft ('0', 2) + " s left";
        EXPECT_EQ (progress[percent - 1], expected);
    }

    EXPECT_EQ (progress[0], "progress: 1%, 0 min 33 s left");
    EXPECT_EQ (progress[99], "progress: 100%, 0 min 00 s left");
}
