#include <gtest/gtest.h>

#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"
#include "protocol/UploadSteps.h"

// With the program's own clock, messages go out at least 300 ms apart.
TEST (UploadPacing, RealPausesKeepTheMessagesAtLeast300msApart)
{
    UploadRig rig (std::make_unique<TestFirmwareImage> (
                       std::vector<juce::uint8> { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0xf7, 0xf0, 0x03, 0xf7, 0xf0, 0x04, 0xf7 }),
                   UploadRig::Pauses::real);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilIdle (30000));           // four pauses and the closing 5 s

    const auto sends = rig.interface.getSends();
    ASSERT_EQ (sends.size(), 4u);

    for (size_t i = 1; i < sends.size(); ++i)
        EXPECT_GE (sends[i].timeMs - sends[i - 1].timeMs, 300.0) << "before message " << i + 1;

    EXPECT_TRUE (rig.clock.getSleeps().empty());
    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::powerCycleHint);
}
