#include <gtest/gtest.h>

#include "TestSysex.h"
#include "device/WirePacedOutput.h"

#include <atomic>
#include <vector>

namespace
{
    /** Time that moves only when something waits or a fake driver works;
        from a chosen point on, every wait reports an exit request. */
    class FakeWireClock  : public WireClock
    {
    public:
        double getMilliseconds() override        { return now; }

        bool waitFor (double milliseconds) override
        {
            waits.push_back (milliseconds);

            if (exitRequestAt >= 0.0 && now + milliseconds >= exitRequestAt)
            {
                now = juce::jmax (now, exitRequestAt);
                return false;
            }

            now += milliseconds;
            return true;
        }

        void advance (double milliseconds)     { now += milliseconds; }

        double now = 1000.0;
        double exitRequestAt = -1.0;
        std::vector<double> waits;
    };

    class FakePort  : public WirePacedOutput::Port
    {
    public:
        explicit FakePort (FakeWireClock& clockToUse)  : clock (clockToUse) {}

        bool isListed() override    { ++listings; return listed; }

        bool send (const juce::MidiMessage& message) override
        {
            sent.emplace_back (message.getRawData(), message.getRawData() + message.getRawDataSize());
            clock.advance (driverMs);
            return accepts;
        }

        FakeWireClock& clock;
        bool listed = true, accepts = true;
        double driverMs = 0.0;          // how long the driver keeps the caller
        int listings = 0;
        std::vector<std::vector<juce::uint8>> sent;
    };

    juce::MidiMessage sysex (int numBytes)
    {
        const auto bytes = makeSysex (numBytes);
        return juce::MidiMessage (bytes.getData(), (int) bytes.getSize());
    }
}

// ALSA takes a message into its queue and returns at once; the device gets it
// over the next length x 320 us, or a little later on a late wire. The send
// lasts that long and 5 % and 25 ms more, so the pause after it begins once the
// last byte has left, as with a driver that blocks. Where the driver takes the
// message only as the call ends, a slow call (a first send) must not eat into
// the wire time.
TEST (WirePacedOutput, ReturnsNoEarlierThanThePacedTimeAfterTheWireStarts)
{
    using WireStart = WirePacedOutput::WireStart;

    struct Case
    {
        const char* name;
        WireStart wireStart;
        int numBytes;
        double driverMs;
        double returnsAfterMs;
    };

    const Case cases[] =
    {
        { "queued at once, short message",          WireStart::whenSendBegins,  9,     0.0,    28.024 },
        { "queued at once, full message",           WireStart::whenSendBegins,  537,   0.0,    205.432 },
        { "driver keeps part of the time",          WireStart::whenSendBegins,  537,   100.0,  205.432 },
        { "driver blocks for the exact wire time",  WireStart::whenSendBegins,  537,   171.84, 205.432 },
        { "driver slower than the paced time",      WireStart::whenSendBegins,  537,   250.0,  250.0 },
        { "25 KB, longer than any shutdown wait",   WireStart::whenSendBegins,  25000, 0.0,    8425.0 },
        { "64 KiB: 650 ms more than a 2 % late wire", WireStart::whenSendBegins, 65536, 0.0,    22045.096 },
        { "taken as the call ends, at once",        WireStart::whenSendReturns, 537,   0.0,    205.432 },
        { "taken as a slow call ends",              WireStart::whenSendReturns, 12,    6.0,    35.032 },
        { "taken as a slower call ends",            WireStart::whenSendReturns, 537,   250.0,  455.432 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        FakeWireClock clock;
        auto port = std::make_unique<FakePort> (clock);
        auto& fake = *port;
        fake.driverMs = c.driverMs;
        WirePacedOutput output (std::move (port), clock, c.wireStart);

        const auto start = clock.now;
        EXPECT_TRUE (output.sendMessageNow (sysex (c.numBytes)));

        EXPECT_NEAR (clock.now - start, c.returnsAfterMs, 1e-6);
        ASSERT_EQ (fake.sent.size(), 1u);
        EXPECT_EQ (fake.sent[0].size(), (size_t) c.numBytes);
        EXPECT_EQ (clock.waits.empty(), c.driverMs >= c.returnsAfterMs);
    }
}

TEST (WirePacedOutput, AnExitRequestEndsTheWaitButTheMessageCountsAsSent)
{
    FakeWireClock clock;
    auto port = std::make_unique<FakePort> (clock);
    auto& fake = *port;
    WirePacedOutput output (std::move (port), clock, WirePacedOutput::WireStart::whenSendReturns);

    // 8 s of wire time; the request comes 50 ms in.
    clock.exitRequestAt = clock.now + 50.0;
    const auto start = clock.now;

    EXPECT_TRUE (output.sendMessageNow (sysex (25000)));
    EXPECT_DOUBLE_EQ (clock.now - start, 50.0);
    EXPECT_EQ (fake.sent.size(), 1u);
}

// The result says whether the message reached a device that is still there.
// ALSA reports nothing when its destination has gone; the list of devices does.
TEST (WirePacedOutput, FailsWithoutSendingOrWaitingWhenTheDeviceHasGone)
{
    struct Case
    {
        const char* name;
        bool listed, accepts;
        bool result;
        size_t sent;
    };

    const Case cases[] =
    {
        { "listed, taken",                  true,  true,  true,  1 },
        { "no longer listed",               false, true,  false, 0 },
        { "listed, the platform refuses",   true,  false, false, 1 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        FakeWireClock clock;
        auto port = std::make_unique<FakePort> (clock);
        auto& fake = *port;
        fake.listed = c.listed;
        fake.accepts = c.accepts;
        WirePacedOutput output (std::move (port), clock, WirePacedOutput::WireStart::whenSendReturns);

        EXPECT_EQ (output.sendMessageNow (sysex (40)), c.result);
        EXPECT_EQ (fake.sent.size(), c.sent);
        EXPECT_EQ (clock.waits.empty(), ! c.result);
        EXPECT_EQ (output.isConnected(), c.listed);
    }
}

//==============================================================================
// The program's clock, in real time.
TEST (SystemWireClock, WaitsAtLeastTheTimeAskedFor)
{
    auto& clock = WireClock::getSystemClock();

    for (const auto ms : { 0.3, 7.5, 30.0 })
    {
        SCOPED_TRACE (ms);
        const auto start = clock.getMilliseconds();

        EXPECT_TRUE (clock.waitUntil (start + ms));
        EXPECT_GE (clock.getMilliseconds() - start, ms);
    }
}

// The window's close handler only raises the thread's exit flag and waits; it
// never notify()s. The wait must hear the flag itself.
TEST (SystemWireClock, AWaitOnAThreadEndsWhenTheThreadIsAskedToExit)
{
    struct Sender  : public juce::Thread
    {
        explicit Sender (bool askFirst)  : juce::Thread ("Sender"), askedFirst (askFirst) {}

        void run() override
        {
            if (askedFirst)
                signalThreadShouldExit();

            waiting = true;
            finished = WireClock::getSystemClock().waitFor (600000.0);
        }

        const bool askedFirst;
        std::atomic<bool> waiting { false }, finished { true };
    };

    for (const auto askFirst : { false, true })
    {
        SCOPED_TRACE (askFirst ? "asked before the wait" : "asked during the wait");
        Sender sender (askFirst);
        sender.startThread();

        while (! sender.waiting)
            juce::Thread::sleep (1);

        juce::Thread::sleep (20);
        sender.signalThreadShouldExit();

        ASSERT_TRUE (sender.waitForThreadToExit (30000));
        EXPECT_FALSE (sender.finished);
    }
}
