// How the pause lands at the receiving end when the driver returns before the
// bytes have left, as ALSA's sequencer does. A fake platform output takes each
// message at once and notes when its first byte would reach the device; the
// first N messages of the built-in image go through the system layer's output
// and the upload with its real pauses. Between two messages the device should
// see at least 300 ms plus the earlier message's MIDI 1.0 transfer time.
//
//   bench_pacing [N]

#include "BenchmarkSupport.h"
#include "device/MidiInterfaceClass.h"
#include "device/MidiWireTime.h"
#include "device/WirePacedOutput.h"
#include "firmware/FirmwareImage.h"
#include "firmware/SysexFraming.h"
#include "protocol/BasicSysexProtocolClass.h"
#include "protocol/UploadSteps.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace
{
    using BenchmarkSupport::ImageSlice;

    /** When each message was handed over, by the clock the output waits on. */
    struct Arrivals
    {
        void add (double ms, int numBytes)
        {
            const std::lock_guard<std::mutex> lock (mutex);
            times.push_back (ms);
            lengths.push_back (numBytes);
        }

        std::mutex mutex;
        std::vector<double> times;
        std::vector<int> lengths;
    };

    // A driver that queues the message and returns at once.
    class QueueingPort  : public WirePacedOutput::Port
    {
    public:
        explicit QueueingPort (Arrivals& a)  : arrivals (a) {}

        bool isListed() override    { return true; }

        bool send (const juce::MidiMessage& message) override
        {
            arrivals.add (WireClock::getSystemClock().getMilliseconds(), message.getRawDataSize());
            return true;
        }

    private:
        Arrivals& arrivals;
    };

    // The system layer's output without its wait: what JUCE on ALSA alone gives.
    class UnpacedOutput  : public MidiDeviceLayer::Output
    {
    public:
        explicit UnpacedOutput (Arrivals& a)  : port (a) {}

        bool sendMessageNow (const juce::MidiMessage& message) override    { return port.send (message); }
        bool isConnected() override                                         { return true; }

    private:
        QueueingPort port;
    };

    class OnePortLayer  : public MidiDeviceLayer
    {
    public:
        OnePortLayer (Arrivals& a, bool paced)  : arrivals (a), withWait (paced) {}

        juce::Array<juce::MidiDeviceInfo> getOutputDevices() override     { return { juce::MidiDeviceInfo ("Queueing Port", "q") }; }
        juce::Array<juce::MidiDeviceInfo> getInputDevices() override      { return {}; }

        std::unique_ptr<Output> openOutput (const juce::String&) override
        {
            if (withWait)
                return std::make_unique<WirePacedOutput> (std::make_unique<QueueingPort> (arrivals),
                                                          WireClock::getSystemClock(),
                                                          WirePacedOutput::WireStart::whenSendReturns);

            return std::make_unique<UnpacedOutput> (arrivals);
        }

        std::unique_ptr<Input> openInput (const juce::String&, juce::MidiInputCallback&) override   { return {}; }

    private:
        Arrivals& arrivals;
        const bool withWait;
    };

    bool measure (const char* title, bool paced, int numMessages)
    {
        Arrivals arrivals;
        MidiInterfaceClass interface (true, false, std::make_unique<OnePortLayer> (arrivals, paced));
        interface.selectOutputById (1);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

        BuiltInFirmwareImage builtIn;
        const auto scan = SysexFraming::scan (builtIn.getData(), builtIn.getSize());
        numMessages = juce::jlimit (2, scan.messageLengths.size(), numMessages);

        int bytes = 0;
        for (int i = 0; i < numMessages; ++i)
            bytes += scan.messageLengths[i];

        ImageSlice image (builtIn.getData(), bytes);
        BasicSysexProtocolClass protocol (&interface, &image);
        protocol.startUpdate();

        while (protocol.getProgress() < 1.0 && protocol.isThreadRunning())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

        protocol.signalThreadShouldExit();
        protocol.waitForThreadToExit (ProtocolBaseClass::exitWaitMs);

        // The device sees message i + 1 begin this long after message i ended.
        std::vector<double> slack;

        for (size_t i = 1; i < arrivals.times.size(); ++i)
            slack.push_back (arrivals.times[i] - arrivals.times[i - 1]
                              - UploadSteps::pauseAfterEachMessageMs - MidiWireTime::transferMs (arrivals.lengths[i - 1]));

        if (slack.empty())
        {
            std::printf ("%s: no gaps measured\n", title);
            return false;
        }

        std::sort (slack.begin(), slack.end());
        const auto median = slack[slack.size() / 2];

        std::printf ("%s\n", title);
        std::printf ("  messages:                      %d (%d bytes)\n", (int) arrivals.times.size(), bytes);
        std::printf ("  gap - (300 ms + transfer time): min %+.2f ms, median %+.2f ms, max %+.2f ms (target: min >= 0)\n",
                     slack.front(), median, slack.back());
        return slack.front() >= 0.0;
    }
}

int main (int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI juce;
    const auto numMessages = argc > 1 ? std::atoi (argv[1]) : 12;

    measure ("driver returns at once, no transfer-time wait (JUCE on ALSA alone):", false, numMessages);
    const auto ok = measure ("driver returns at once, through the system layer's output:", true, numMessages);
    return ok ? 0 : 1;
}
