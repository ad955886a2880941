#include <gtest/gtest.h>

#include "ChangeRecorder.h"
#include "support/MessageLoop.h"

#include <atomic>
#include <thread>

TEST (ProgressClass, StoresWholeHundredthsAndTellsOnlyOfChanges)
{
    struct Step
    {
        double value, shown;
        bool told;
    };

    const Step steps[] =
    {
        { 0.0,   0.0,  false },     // already stored
        { 0.004, 0.0,  false },
        { 0.006, 0.01, true  },
        { 0.125, 0.12, true  },     // halfway goes to the even hundredth
        { 0.375, 0.38, true  },
        { 0.379, 0.38, false },
        { 0.996, 0.99, true  },     // one message short of the end is not finished
        { 1.0,   1.0,  true  },
        { 1.0,   1.0,  false },
        { 0.0,   0.0,  true  },
    };

    ProgressClass progress;
    ChangeRecorder recorder (progress);

    for (const auto& step : steps)
    {
        SCOPED_TRACE (step.value);
        const auto before = recorder.size();

        progress.setProgress (step.value);

        EXPECT_EQ (progress.getProgress(), step.shown);
        EXPECT_EQ (recorder.size() - before, step.told ? 1u : 0u);   // told before returning
    }
}

TEST (ProgressClass, TellsOfProgressOnTheMovingThreadUnderTheMessageLock)
{
    ProgressClass progress;
    ChangeRecorder recorder (progress);
    std::atomic<bool> returned { false };
    size_t toldBeforeReturning = 0;

    std::thread mover ([&]
    {
        progress.setProgress (0.5);
        toldBeforeReturning = recorder.size();
        returned = true;
    });

    // The lock is the message loop's to give.
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return returned.load(); }));
    mover.join();

    ASSERT_EQ (toldBeforeReturning, 1u);
    const auto change = recorder.getChanges().front();
    EXPECT_FALSE (change.onMessageThread);
    EXPECT_TRUE (change.messageLockHeld);
    EXPECT_EQ (change.progress, 0.5);
}

TEST (ProgressClass, TellsOfStatusLaterOnTheMessageThreadWithTheLatestText)
{
    ProgressClass progress;
    ChangeRecorder recorder (progress);

    std::thread writer ([&]
    {
        progress.setStatus ("Uploading firmware");
        progress.setStatus ("Update completed");
        progress.setStatus ("Please turn power off and on again");
    });

    writer.join();
    EXPECT_EQ (recorder.size(), 0u);

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return recorder.size() > 0; }));
    MessageLoop::runFor (20);

    // The three changes came before the loop ran, so they arrive as one.
    const auto changes = recorder.getChanges();
    ASSERT_EQ (changes.size(), 1u);
    EXPECT_TRUE (changes[0].onMessageThread);
    EXPECT_EQ (changes[0].status, "Please turn power off and on again");

    progress.setStatus ("Please turn power off and on again");
    MessageLoop::runFor (20);
    EXPECT_EQ (recorder.size(), 1u);
}
