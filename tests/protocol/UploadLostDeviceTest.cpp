#include <gtest/gtest.h>

#include "ChangeRecorder.h"
#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"
#include "protocol/UploadSteps.h"

// A device that goes away during an upload stops it like bad data does: the
// rest is not sent, the user is told, and the controls come back for a retry.
// Above all, a device that lost its firmware half-way is never told it is done.
TEST (UploadLostDevice, StopsWithoutCompletingAndLeavesTheProtocolReadyForAnotherTry)
{
    using Events = std::vector<std::string>;
    const juce::String lostStatus (UploadSteps::deviceLost);

    struct Case
    {
        const char* name;
        int messagesBeforeLoss;
        double progress;
        Events events;
    };

    const Case cases[] =
    {
        { "gone before the first message", 0, 0.0,
          { "disable", "send 3 failed", "enable" } },
        { "gone after the first message",  1, 0.33,
          { "disable", "send 3", "sleep 300", "send 3 failed", "enable" } },
        { "gone between the last message and the closing steps", 3, 1.0,
          { "disable", "send 3", "sleep 300", "send 3", "sleep 300", "send 3", "sleep 300", "check failed", "enable" } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        UploadRig rig (std::make_unique<TestFirmwareImage> (
            std::vector<juce::uint8> { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0xf7, 0xf0, 0x03, 0xf7 }));
        ChangeRecorder recorder (rig.protocol);
        rig.interface.loseDeviceAfter (c.messagesBeforeLoss);

        rig.protocol.startUpdate();
        ASSERT_TRUE (rig.waitUntilIdle());
        ASSERT_TRUE (MessageLoop::runUntil ([&] { return ! recorder.getChanges().empty()
                                                         && recorder.getChanges().back().status == lostStatus; }));

        EXPECT_EQ (rig.log.get(), c.events);
        EXPECT_EQ (rig.interface.getNumSends(), (size_t) c.messagesBeforeLoss);
        EXPECT_EQ (rig.protocol.getStatus(), lostStatus);
        EXPECT_EQ (rig.protocol.getProgress(), c.progress);
        EXPECT_TRUE (rig.protocol.lastRunFailed());
        EXPECT_TRUE (rig.interface.isEnabled());
        EXPECT_TRUE (recorder.getChanges().back().lastRunFailed);

        for (const auto& change : recorder.getChanges())
            EXPECT_NE (change.status, UploadSteps::completed);

        // Plugged in again, the next press sends the whole image from the start.
        rig.interface.loseDeviceAfter (-1);
        rig.protocol.startUpdate();
        ASSERT_TRUE (rig.waitUntilIdle());

        EXPECT_EQ (rig.interface.getNumSends(), (size_t) c.messagesBeforeLoss + 3);
        EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::powerCycleHint);
        EXPECT_EQ (rig.protocol.getProgress(), 1.0);
        EXPECT_FALSE (rig.protocol.lastRunFailed());
    }
}

// Stopped by the user after the last message, the run just ends: it neither
// asks for the device nor reports it lost.
TEST (UploadLostDevice, AskedToExitBeforeTheCheckNeitherChecksNorCompletes)
{
    UploadRig rig (std::make_unique<TestFirmwareImage> (std::vector<juce::uint8> { 0xf0, 0x01, 0xf7 }));
    rig.clock.holdAt (300);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilHolding());

    rig.protocol.signalThreadShouldExit();
    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());

    EXPECT_EQ (rig.interface.getNumChecks(), 0);
    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::uploading);
    EXPECT_FALSE (rig.protocol.lastRunFailed());
}
