#include <gtest/gtest.h>

#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"
#include "protocol/UploadSteps.h"

// The window's close handler asks the thread to exit and then waits for it on
// the message thread, without running the loop. A thread that waits for the
// message-thread lock without watching its exit flag would wait for a loop
// that never comes: the close handler's wait would run out and the thread be
// killed. Each case lets the thread reach the lock while the message thread is
// held up exactly like that.
TEST (UploadStopping, AnExitRequestEndsTheThreadWithinThePassUnderWay)
{
    struct Case
    {
        const char* name;
        int heldPause, occurrence;
        size_t sends;
        juce::String status;
    };

    const Case cases[] =
    {
        { "in the pause after a message", 300,  2, 2, UploadSteps::uploading },
        { "in the closing pause",         5000, 1, 3, UploadSteps::powerCycleHint },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        UploadRig rig (std::make_unique<TestFirmwareImage> (
            std::vector<juce::uint8> { 0xf0, 0xf7, 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0x03, 0xf7 }));
        rig.clock.holdAt (c.heldPause, c.occurrence);

        rig.protocol.startUpdate();
        ASSERT_TRUE (rig.waitUntilHolding());

        // The pause runs out in full; the thread goes on to the lock while the
        // message thread, not running its loop, asks it to stop and waits.
        rig.clock.release();
        juce::Thread::sleep (50);
        rig.protocol.signalThreadShouldExit();

        ASSERT_TRUE (rig.protocol.waitForThreadToExit (5000));

        EXPECT_EQ (rig.interface.getNumSends(), c.sends);
        EXPECT_EQ (rig.protocol.getStatus(), c.status);
        EXPECT_FALSE (rig.interface.isEnabled());       // touched only under the lock, which it gave up
        EXPECT_FALSE (rig.protocol.lastRunFailed());
    }
}
