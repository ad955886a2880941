#include <gtest/gtest.h>

#include "ChangeRecorder.h"
#include "support/MessageLoop.h"

namespace
{
    /** A protocol whose run lasts until the test lets it end. */
    class HeldProtocol  : public ProtocolBaseClass
    {
    public:
        HeldProtocol()  : ProtocolBaseClass (nullptr, nullptr) {}

        ~HeldProtocol() override
        {
            finish.signal();
            stopThread (2000);
        }

        void run() override
        {
            priority = getPriority();
            ++runs;
            finish.wait();
        }

        juce::WaitableEvent finish;
        std::atomic<int> runs { 0 };
        std::atomic<Priority> priority { Priority::normal };
    };
}

TEST (ProtocolBase, StartUpdateStartsWhenIdleAndOnlyClearsAFinishedRun)
{
    HeldProtocol protocol;
    ChangeRecorder recorder (protocol);

    protocol.setProgress (1.0);         // as a completed upload leaves it
    auto told = recorder.size();

    protocol.startUpdate();
    EXPECT_EQ (protocol.getProgress(), 0.0);
    EXPECT_EQ (recorder.size(), ++told);
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return protocol.runs == 1; }));
    EXPECT_EQ (protocol.priority.load(), juce::Thread::Priority::low);

    // Running below 1.0: a second press changes nothing.
    protocol.setProgress (0.5);
    told = recorder.size();
    protocol.startUpdate();
    EXPECT_EQ (protocol.getProgress(), 0.5);
    EXPECT_EQ (recorder.size(), told);

    // Running at 1.0: the progress is cleared, the run is left alone.
    protocol.setProgress (1.0);
    told = recorder.size();
    protocol.startUpdate();
    EXPECT_EQ (protocol.getProgress(), 0.0);
    EXPECT_EQ (recorder.size(), told + 1);
    EXPECT_TRUE (protocol.isThreadRunning());

    protocol.finish.signal();
    ASSERT_TRUE (protocol.waitForThreadToExit (5000));

    protocol.startUpdate();
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return protocol.runs == 2; }));
}
