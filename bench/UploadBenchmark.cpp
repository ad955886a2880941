// How faithfully the upload keeps its pace: the first N messages of the
// built-in image through the simulated MIDI layer, with the real pauses.
//
//   bench_upload [N]          one upload; the environment's BREVANE_MIDI_SIM_RATE applies
//   bench_upload N --log FILE the same while a support record is appended to FILE
//   bench_upload --invalid    CPU used in the 5 s after starting on an invalid image

#include "BenchmarkSupport.h"
#include "app/SupportRecord.h"
#include "device/MidiInterfaceClass.h"
#include "device/MidiWireTime.h"
#include "firmware/FirmwareImage.h"
#include "firmware/SysexFraming.h"
#include "protocol/BasicSysexProtocolClass.h"
#include "protocol/UploadSteps.h"

#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace
{
    using BenchmarkSupport::ImageSlice;
    using BenchmarkSupport::cpuSeconds;

    long peakMemoryKiB()
    {
        rusage usage {};
        getrusage (RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    /** Runs the message loop as the program does, asleep until a message
        arrives, until a change message of the protocol says it is done or
        the time is up. (runDispatchLoopUntil wakes every millisecond: the
        CPU figure and each message-thread lock the upload takes would
        measure that.) Once per process: JUCE's loop does not start again
        after it has been stopped.
    */
    class MessageLoopRun  : private juce::ChangeListener,
                            private juce::Timer
    {
    public:
        /** isDone is asked after every change message, on the thread that sent it. */
        MessageLoopRun (juce::ChangeBroadcaster& protocolToWatch, std::function<bool()> isDoneCheck)
            : protocol (protocolToWatch), isDone (std::move (isDoneCheck))
        {
            protocol.addChangeListener (this);
        }

        ~MessageLoopRun() override
        {
            protocol.removeChangeListener (this);
        }

        void run (int timeoutMs)
        {
            startTimer (timeoutMs);
            juce::MessageManager::getInstance()->runDispatchLoop();
            stopTimer();
        }

    private:
        void changeListenerCallback (juce::ChangeBroadcaster*) override
        {
            if (isDone())
                stop();
        }

        void timerCallback() override
        {
            stop();
        }

        void stop()
        {
            if (! stopped.exchange (true))
                juce::MessageManager::getInstance()->stopDispatchLoop();
        }

        juce::ChangeBroadcaster& protocol;
        std::function<bool()> isDone;
        std::atomic<bool> stopped { false };
    };

    std::unique_ptr<MidiInterfaceClass> openSimulatedOutput (const juce::File& folder)
    {
        folder.getChildFile ("outputs.txt").replaceWithText ("Benchmark Out\n");
        setenv ("BREVANE_MIDI_SIM", folder.getFullPathName().toRawUTF8(), 1);

        auto interface = std::make_unique<MidiInterfaceClass> (true, false);
        interface->selectOutputById (1);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (100);   // the selector's own reopening
        return interface;
    }

    int benchUpload (int numMessages, const juce::String& recordPath)
    {
        juce::TemporaryFile folder;
        folder.getFile().createDirectory();
        auto interface = openSimulatedOutput (folder.getFile());

        if (! interface->isDeviceReady())
        {
            std::fprintf (stderr, "the simulated output did not open\n");
            return 1;
        }

        BuiltInFirmwareImage builtIn;
        const auto scan = SysexFraming::scan (builtIn.getData(), builtIn.getSize());
        numMessages = juce::jlimit (1, scan.messageLengths.size(), numMessages);

        int bytes = 0;
        for (int i = 0; i < numMessages; ++i)
            bytes += scan.messageLengths[i];

        ImageSlice image (builtIn.getData(), bytes);
        BasicSysexProtocolClass protocol (interface.get(), &image);
        std::unique_ptr<SupportRecord> record;

        if (recordPath.isNotEmpty())
        {
            juce::String problem;
            record = SupportRecord::open (recordPath, "bench_upload", problem);

            if (record == nullptr)
            {
                std::fprintf (stderr, "--log: %s\n", problem.toRawUTF8());
                return 1;
            }

            record->follow (&protocol, &image, interface.get());
        }

        const auto rate = juce::SystemStats::getEnvironmentVariable ("BREVANE_MIDI_SIM_RATE", {}).getDoubleValue();
        std::atomic<double> finishedAt { 0.0 }, cpuAtFinish { 0.0 };

        // The loop goes on into the closing steps, whose status messages need it, and ends at the last.
        MessageLoopRun loop (protocol, [&]
        {
            if (finishedAt == 0.0 && protocol.getProgress() == 1.0)
            {
                finishedAt = juce::Time::getMillisecondCounterHiRes();
                cpuAtFinish = cpuSeconds();
            }

            return protocol.getStatus() == UploadSteps::powerCycleHint;
        });

        const auto cpuBefore = cpuSeconds();
        const auto started = juce::Time::getMillisecondCounterHiRes();

        protocol.startUpdate();
        loop.run (numMessages * 2000 + 15000);

        if (finishedAt == 0.0)
        {
            std::fprintf (stderr, "the upload did not finish\n");
            return 1;
        }

        const auto wallMs = finishedAt - started;
        const auto cpu = cpuAtFinish - cpuBefore;

        // Each gap between two sends should be the pause plus the later send's own blocking time.
        const auto log = juce::StringArray::fromLines (folder.getFile().getChildFile ("output-1.log").loadFileAsString().trim());
        double worstDeviationMs = 0, blockingMs = 0;

        for (int i = 0; i < log.size(); ++i)
        {
            const auto sendMs = MidiWireTime::transferMs (scan.messageLengths[i], rate);
            blockingMs += sendMs;

            if (i > 0)
            {
                const auto gap = log[i].upToFirstOccurrenceOf (" ", false, false).getDoubleValue()
                                - log[i - 1].upToFirstOccurrenceOf (" ", false, false).getDoubleValue();
                worstDeviationMs = juce::jmax (worstDeviationMs, std::abs (gap - (UploadSteps::pauseAfterEachMessageMs + sendMs)));
            }
        }

        const auto idealMs = numMessages * (double) UploadSteps::pauseAfterEachMessageMs + blockingMs;

        std::printf ("rate:              %s\n", rate > 0 ? (juce::String (rate, 0) + " bytes/s").toRawUTF8() : "unlimited");
        std::printf ("support record:    %s\n", record != nullptr ? recordPath.toRawUTF8() : "none");
        std::printf ("messages:          %d (sent %d)\n", numMessages, log.size());
        std::printf ("bytes:             %d\n", bytes);
        std::printf ("wall time:         %.1f ms\n", wallMs);
        std::printf ("ideal time:        %.1f ms\n", idealMs);
        std::printf ("ratio:             %.4f (target <= 1.005)\n", wallMs / idealMs);
        std::printf ("worst gap error:   %.2f ms\n", worstDeviationMs);
        std::printf ("CPU during upload: %.3f s = %.2f %% of wall time (target <= 1 %%)\n", cpu, 100.0 * cpu / (wallMs / 1000.0));
        std::printf ("peak memory:       %ld KiB\n", peakMemoryKiB());

        // Only its last step is left, which gives up at the exit request: the loop is over.
        protocol.signalThreadShouldExit();
        protocol.waitForThreadToExit (2000);

        if (record != nullptr)
        {
            record->stopFollowing();
            record->finish (0);
        }

        return log.size() == numMessages ? 0 : 1;
    }

    int benchInvalidImage()
    {
        juce::TemporaryFile folder;
        folder.getFile().createDirectory();
        auto interface = openSimulatedOutput (folder.getFile());

        const juce::uint8 invalid[] = { 0x90, 0x3c, 0x7f, 0xf0, 0xf7 };
        ImageSlice image (invalid, (int) sizeof (invalid));
        BasicSysexProtocolClass protocol (interface.get(), &image);

        MessageLoopRun loop (protocol, [] { return false; });

        const auto cpuBefore = cpuSeconds();
        protocol.startUpdate();
        loop.run (5000);
        const auto cpu = cpuSeconds() - cpuBefore;

        std::printf ("invalid image:     %.3f CPU s in the 5 s after the start (target about 0); status \"%s\"\n",
                     cpu, protocol.getStatus().toRawUTF8());
        return protocol.isThreadRunning() ? 1 : 0;
    }
}

int main (int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI juce;

    if (argc > 1 && juce::String (argv[1]) == "--invalid")
        return benchInvalidImage();

    const auto recordPath = argc > 3 && juce::String (argv[2]) == "--log" ? juce::String (argv[3]) : juce::String();
    return benchUpload (argc > 1 ? std::atoi (argv[1]) : 20, recordPath);
}
