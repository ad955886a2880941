#include <gtest/gtest.h>

#include "app/ExitStatus.h"
#include "app/UnattendedRun.h"
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
    EXPECT_EQ (w.lines.joinIntoString ("\n"), juce::StringArray ({ "image: Test version 0.0, 6 bytes, 2 messages",
                                             "status: Uploading firmware",
                                             "progress: 50%",
                                             "progress: 100%",
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
    EXPECT_EQ (w.lines[0], "image: Test version 0.0, 6 bytes, 2 messages");
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

    EXPECT_EQ (UnattendedRun::describeImage (image), "image: Arvella version 1.2, 270959 bytes, 544 messages");
}
