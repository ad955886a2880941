#include <gtest/gtest.h>

#include "ChangeRecorder.h"
#include "support/TestFirmwareImage.h"
#include "support/UploadRig.h"
#include "protocol/AutoUpdate.h"
#include "protocol/UploadSteps.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
    using Events = std::vector<std::string>;

    std::unique_ptr<FirmwareImage> imageOf (const std::vector<juce::uint8>& bytes)
    {
        return std::make_unique<TestFirmwareImage> (bytes);
    }

    const std::vector<juce::uint8> twoMessages { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0xf7 };

    struct ScopedAutoUpdate
    {
        ScopedAutoUpdate()      { gAutoUpdate = true; }
        ~ScopedAutoUpdate()     { gAutoUpdate = false; }
    };

    /** Stands in for the program's application object and notes quit requests. */
    class RecordingApplication  : public juce::JUCEApplication
    {
    public:
        explicit RecordingApplication (EventLog& logToUse)  : log (logToUse) {}

        const juce::String getApplicationName() override       { return "Brevane test"; }
        const juce::String getApplicationVersion() override    { return "0"; }
        void initialise (const juce::String&) override          {}
        void shutdown() override                                {}
        void systemRequestedQuit() override                     { log.add ("quit"); }

    private:
        EventLog& log;
    };

    /** JUCE expects an application object only in a program that makes one. */
    struct ScopedApplication
    {
        explicit ScopedApplication (EventLog& log)
        {
            juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };
            application = std::make_unique<RecordingApplication> (log);
        }

        ~ScopedApplication()
        {
            application = nullptr;
            juce::JUCEApplicationBase::createInstance = nullptr;
        }

        std::unique_ptr<RecordingApplication> application;
    };
}

TEST (BasicSysexProtocol, StartsIdleWithItsThreadNamed)
{
    UploadRig rig (imageOf (twoMessages));

    EXPECT_EQ (rig.protocol.getThreadName(), "Protocol Thread");
    EXPECT_FALSE (rig.protocol.isThreadRunning());
    EXPECT_EQ (rig.protocol.getProgress(), 0.0);
    EXPECT_EQ (rig.protocol.getStatus(), "");
    EXPECT_FALSE (rig.protocol.lastRunFailed());
}

TEST (BasicSysexProtocol, SendsTheBuiltInImageWholeInPlaceAndInOrder)
{
    UploadRig rig (std::make_unique<BuiltInFirmwareImage>());
    ChangeRecorder recorder (rig.protocol);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilIdle (120000));

    std::vector<int> expectedLengths { 9, 9, 40, 537, 40 };
    expectedLengths.insert (expectedLengths.end(), 536, 504);
    expectedLengths.insert (expectedLengths.end(), { 131, 40, 9 });

    const auto sends = rig.interface.getSends();
    ASSERT_EQ (sends.size(), 544u);

    const auto* data = rig.image->getData();
    int offset = 0;

    for (size_t i = 0; i < sends.size(); ++i)
    {
        SCOPED_TRACE ("message " + std::to_string (i + 1));
        EXPECT_EQ ((int) sends[i].bytes.size(), expectedLengths[i]);
        EXPECT_EQ (sends[i].data, data + offset);           // from the image's own bytes, no copy
        EXPECT_LT (sends[i].progress, 1.0);                 // not finished until this one is out
        EXPECT_FALSE (sends[i].messageLockHeld);
        EXPECT_FALSE (sends[i].enabled);
        offset += (int) sends[i].bytes.size();
    }

    EXPECT_EQ (offset, 270959);
    EXPECT_EQ (rig.protocol.getProgress(), 1.0);

    std::vector<int> expectedSleeps (544, 300);
    expectedSleeps.push_back (5000);
    EXPECT_EQ (rig.clock.getSleeps(), expectedSleeps);

    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::powerCycleHint);
    EXPECT_TRUE (rig.interface.isEnabled());
    EXPECT_FALSE (rig.protocol.lastRunFailed());

    // Progress reports: one per hundredth reached, rising, 1.0 only as the last.
    const auto reports = recorder.fromOtherThreads();
    ASSERT_FALSE (reports.empty());
    EXPECT_LE (reports.size(), 100u);
    EXPECT_EQ (reports.back().progress, 1.0);

    for (size_t i = 0; i < reports.size(); ++i)
    {
        EXPECT_TRUE (reports[i].messageLockHeld);

        if (i > 0)
        {
            EXPECT_GT (reports[i].progress, reports[i - 1].progress);
        }
    }

    // A listener that holds the protocol's pointer recognises every report as its own.
    const ProtocolBaseClass* asOwnerHoldsIt = &rig.protocol;

    for (const auto& change : recorder.getChanges())
        EXPECT_TRUE (change.source == asOwnerHoldsIt);
}

TEST (BasicSysexProtocol, OneMessageImageIsSentOnceThenTheClosingStepsFollow)
{
    UploadRig rig (imageOf ({ 0xf0, 0x01, 0x02, 0xf7 }));
    ChangeRecorder recorder (rig.protocol);
    rig.clock.holdAt (5000);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilHolding());

    EXPECT_EQ (rig.protocol.getProgress(), 1.0);
    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::completed);
    EXPECT_FALSE (rig.interface.isEnabled());

    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());

    EXPECT_EQ (rig.log.get(), (Events { "disable", "send 4", "sleep 300", "check", "sleep 5000", "enable" }));
    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::powerCycleHint);
    EXPECT_EQ (rig.protocol.getProgress(), 1.0);

    // The next start clears the finished progress at once and sends the image again.
    const auto before = recorder.size();
    rig.protocol.startUpdate();

    EXPECT_EQ (rig.protocol.getProgress(), 0.0);
    EXPECT_EQ (recorder.size(), before + 1);

    ASSERT_TRUE (rig.waitUntilIdle());
    EXPECT_EQ (rig.interface.getNumSends(), 2u);
}

TEST (BasicSysexProtocol, StartUpdateInTheClosingPauseClearsTheProgressButStartsNothing)
{
    UploadRig rig (imageOf (twoMessages));
    ChangeRecorder recorder (rig.protocol);
    rig.clock.holdAt (5000);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilHolding());
    ASSERT_EQ (rig.protocol.getProgress(), 1.0);

    const auto before = recorder.size();
    rig.protocol.startUpdate();

    EXPECT_EQ (rig.protocol.getProgress(), 0.0);
    ASSERT_EQ (recorder.size(), before + 1);                // told at once
    EXPECT_EQ (recorder.getChanges().back().progress, 0.0);
    EXPECT_TRUE (rig.protocol.isThreadRunning());

    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());

    EXPECT_EQ (rig.interface.getNumSends(), 2u);
    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::powerCycleHint);
    EXPECT_TRUE (rig.interface.isEnabled());

    // Once the closing steps are over, the next call starts a new upload.
    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilIdle());
    EXPECT_EQ (rig.interface.getNumSends(), 4u);
    EXPECT_EQ (rig.protocol.getProgress(), 1.0);
}

TEST (BasicSysexProtocol, StartUpdateWhileSendingChangesNothing)
{
    UploadRig rig (imageOf (twoMessages));
    ChangeRecorder recorder (rig.protocol);
    rig.clock.holdAt (300);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilHolding());

    const auto before = recorder.size();
    rig.protocol.startUpdate();

    EXPECT_EQ (recorder.size(), before);
    EXPECT_EQ (rig.protocol.getProgress(), 0.0);

    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());

    EXPECT_EQ (rig.log.get(), (Events { "disable", "send 3", "sleep 300", "send 3", "sleep 300",
                                        "check", "sleep 5000", "enable" }));
}

TEST (BasicSysexProtocol, UnattendedUploadWaitsBeforeTheFirstMessageAndLeavesQuittingToItsOwner)
{
    const ScopedAutoUpdate autoUpdate;
    UploadRig rig (imageOf (twoMessages));
    const ScopedApplication application (rig.log);

    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilIdle());

    EXPECT_EQ (rig.log.get(), (Events { "sleep 2000", "disable", "send 3", "sleep 300", "send 3", "sleep 300",
                                        "check", "sleep 5000", "enable" }));
    EXPECT_EQ (rig.protocol.getStatus(), UploadSteps::powerCycleHint);
}

TEST (BasicSysexProtocol, ARunCountsAsCompletedFromItsClosingStepsUntilTheNextStart)
{
    UploadRig rig (imageOf (twoMessages));
    EXPECT_FALSE (rig.protocol.lastRunCompleted());

    rig.clock.holdAt (5000);
    rig.protocol.startUpdate();
    ASSERT_TRUE (rig.waitUntilHolding());
    EXPECT_TRUE (rig.protocol.lastRunCompleted());
    EXPECT_FALSE (rig.protocol.lastRunFailed());

    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());
    EXPECT_TRUE (rig.protocol.lastRunCompleted());

    rig.clock.holdAt (300);
    rig.protocol.startUpdate();
    EXPECT_FALSE (rig.protocol.lastRunCompleted());
    ASSERT_TRUE (rig.waitUntilHolding());
    EXPECT_FALSE (rig.protocol.lastRunCompleted());

    rig.protocol.signalThreadShouldExit();
    rig.clock.release();
    ASSERT_TRUE (rig.waitUntilIdle());
    EXPECT_FALSE (rig.protocol.lastRunCompleted());
}
