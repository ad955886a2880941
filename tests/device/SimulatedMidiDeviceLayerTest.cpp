#include <gtest/gtest.h>

#include "support/JucePrinters.h"
#include "support/SimulatedMidiFolder.h"
#include "TestSysex.h"
#include "device/SimulatedMidiDeviceLayer.h"
#include "support/MessageLoop.h"

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <regex>
#include <thread>

namespace
{
    juce::MidiMessage sysex (int numBytes, juce::uint8 fill = 0x11)
    {
        const auto bytes = makeSysex (numBytes, fill);
        return juce::MidiMessage (bytes.getData(), (int) bytes.getSize());
    }

    juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
    {
        juce::StringArray names;

        for (const auto& device : devices)
        {
            EXPECT_EQ (device.identifier, device.name);
            names.add (device.name);
        }

        return names;
    }

    struct CountingCallback  : public juce::MidiInputCallback
    {
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override   { ++received; }

        std::atomic<int> received { 0 };
    };

    class SimulatedDevices  : public testing::Test
    {
    protected:
        SimulatedMidiFolder folder;
        SimulatedMidiDeviceLayer layer { folder.getDirectory(), 0.0 };
    };
}

TEST_F (SimulatedDevices, ListsTheFilesNamesInOrderWithoutTheHeldMark)
{
    folder.writeOutputs ("Arvella Port\n!Held Synth\nThird\n");
    folder.writeInputs ("In A\r\nIn B\r\n");

    EXPECT_EQ (namesOf (layer.getOutputDevices()), juce::StringArray ({ "Arvella Port", "Held Synth", "Third" }));
    EXPECT_EQ (namesOf (layer.getInputDevices()), juce::StringArray ({ "In A", "In B" }));
}

TEST_F (SimulatedDevices, MissingFilesMeanNoDevices)
{
    EXPECT_TRUE (layer.getOutputDevices().isEmpty());
    EXPECT_TRUE (layer.getInputDevices().isEmpty());
    EXPECT_EQ (layer.openOutput ("Anything"), nullptr);
    EXPECT_TRUE (folder.readEvents().isEmpty());
}

TEST_F (SimulatedDevices, ReadsTheFilesAgainForEveryList)
{
    folder.writeOutputs ("One\n");
    EXPECT_EQ (namesOf (layer.getOutputDevices()), juce::StringArray ({ "One" }));

    folder.writeOutputs ("Two\nOne\n");
    EXPECT_EQ (namesOf (layer.getOutputDevices()), juce::StringArray ({ "Two", "One" }));
}

TEST_F (SimulatedDevices, LogsOpeningsAndClosingsUnderTheListedPosition)
{
    folder.writeOutputs ("O1\nO2\nO3\n");
    folder.writeInputs ("I1\nI2\n");
    layer.getOutputDevices();
    layer.getInputDevices();

    auto output = layer.openOutput ("O3");
    ASSERT_NE (output, nullptr);

    CountingCallback callback;
    auto input = layer.openInput ("I2", callback);
    ASSERT_NE (input, nullptr);

    input.reset();
    output.reset();

    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 3", "open input 2", "close input 2", "close output 3" }));
}

TEST_F (SimulatedDevices, HeldDevicesFailToOpen)
{
    folder.writeOutputs ("Free\n!Busy\n");
    folder.writeInputs ("!Busy In\n");
    layer.getOutputDevices();
    layer.getInputDevices();

    CountingCallback callback;
    EXPECT_EQ (layer.openOutput ("Busy"), nullptr);
    EXPECT_EQ (layer.openInput ("Busy In", callback), nullptr);

    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 2 failed", "open input 1 failed" }));
}

TEST_F (SimulatedDevices, KeepsTheGivenPositionWhenTheFileChanges)
{
    folder.writeOutputs ("First\nSecond\nThird\n");
    layer.getOutputDevices();

    // First unplugged, and Third too.
    folder.writeOutputs ("Second\n");

    EXPECT_EQ (layer.openOutput ("First"), nullptr);
    EXPECT_EQ (layer.openOutput ("Third"), nullptr);

    auto second = layer.openOutput ("Second");
    ASSERT_NE (second, nullptr);
    second->sendMessageNow (sysex (8));

    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 1 failed", "open output 3 failed", "open output 2" }));
    EXPECT_TRUE (folder.hasSent (2));
    EXPECT_FALSE (folder.hasSent (1));
}

TEST_F (SimulatedDevices, AppendsEveryMessageByteForByteAndLogsItsLength)
{
    folder.writeOutputs ("Port\n");
    layer.getOutputDevices();

    const auto first = sysex (537, 0x20);
    const auto second = sysex (5, 0x40);
    juce::MemoryBlock expected (first.getRawData(), (size_t) first.getRawDataSize());
    expected.append (second.getRawData(), (size_t) second.getRawDataSize());

    const auto before = SimulatedMidiDeviceLayer::getMillisecondsSinceStart();

    {
        auto output = layer.openOutput ("Port");
        ASSERT_NE (output, nullptr);
        output->sendMessageNow (first);

        // On disk as soon as the send returns, for a reader in another process.
        EXPECT_EQ (folder.readSent (1).getSize(), 537u);
        EXPECT_EQ (folder.readLog (1).size(), 1);
    }

    {
        auto reopened = layer.openOutput ("Port");
        reopened->sendMessageNow (second);
    }

    const auto after = SimulatedMidiDeviceLayer::getMillisecondsSinceStart();

    EXPECT_EQ (folder.readSent (1), expected);

    const auto log = folder.readLog (1);
    ASSERT_EQ (log.size(), 2);

    const std::regex line (R"(^[0-9]+\.[0-9]{3} [0-9]+$)");
    double previous = before;

    for (int i = 0; i < log.size(); ++i)
    {
        SCOPED_TRACE (log[i]);
        EXPECT_TRUE (std::regex_match (log[i].toStdString(), line));

        const auto ms = log[i].upToFirstOccurrenceOf (" ", false, false).getDoubleValue();
        EXPECT_GE (ms, previous - 0.001);
        EXPECT_LE (ms, after + 0.001);
        previous = ms;
    }

    EXPECT_TRUE (log[0].endsWith (" 537"));
    EXPECT_TRUE (log[1].endsWith (" 5"));
}

TEST_F (SimulatedDevices, NothingArrivesOnAnInput)
{
    folder.writeInputs ("Keys\n");
    layer.getInputDevices();

    CountingCallback callback;
    auto input = layer.openInput ("Keys", callback);
    ASSERT_NE (input, nullptr);
    input->start();
    MessageLoop::runFor (50);
    input->stop();

    EXPECT_EQ (callback.received.load(), 0);
}

TEST (SimulatedMidiDeviceLayerRate, EachSendBlocksForItsBytesAtTheRate)
{
    SimulatedMidiFolder folder;
    folder.writeOutputs ("Slow\n");

    constexpr double bytesPerSecond = 10000.0;
    SimulatedMidiDeviceLayer layer (folder.getDirectory(), bytesPerSecond);
    layer.getOutputDevices();
    auto output = layer.openOutput ("Slow");
    ASSERT_NE (output, nullptr);

    for (const auto numBytes : { 537, 100 })
    {
        const auto start = std::chrono::steady_clock::now();
        output->sendMessageNow (sysex (numBytes));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

        EXPECT_GE (took.count(), numBytes / bytesPerSecond) << numBytes << " bytes";
    }

    // The log's stamps are taken when each send returns, so they are at least
    // the second message's transfer time apart.
    const auto log = folder.readLog (1);
    ASSERT_EQ (log.size(), 2);
    EXPECT_GE (log[1].getDoubleValue() - log[0].getDoubleValue(), 100 / bytesPerSecond * 1000.0 - 0.001);
}

TEST (SimulatedMidiDeviceLayerThreads, SendsWhileOtherDevicesOpenAndClose)
{
    SimulatedMidiFolder folder;
    folder.writeOutputs ("Upload\nOther\n");
    folder.writeInputs ("In\n");

    SimulatedMidiDeviceLayer layer (folder.getDirectory(), 0.0);
    layer.getOutputDevices();
    layer.getInputDevices();
    auto output = layer.openOutput ("Upload");
    ASSERT_NE (output, nullptr);

    constexpr int numMessages = 200;
    const auto message = sysex (40);

    std::thread upload ([&]
    {
        for (int i = 0; i < numMessages; ++i)
            output->sendMessageNow (message);
    });

    CountingCallback callback;

    for (int i = 0; i < 50; ++i)
    {
        layer.getOutputDevices();
        auto other = layer.openOutput ("Other");
        auto input = layer.openInput ("In", callback);
    }

    upload.join();
    output.reset();

    EXPECT_EQ (folder.readSent (1).getSize(), (size_t) (numMessages * 40));
    EXPECT_EQ (folder.readLog (1).size(), numMessages);

    const auto events = folder.readEvents();
    EXPECT_EQ (events.size(), 1 + 50 * 4 + 1);

    for (const auto& event : events)
        EXPECT_TRUE (event == "open output 1" || event == "close output 1"
                     || event == "open output 2" || event == "close output 2"
                     || event == "open input 1" || event == "close input 1") << event;
}

//==============================================================================
// Taking an open device's name out of outputs.txt pulls its plug: the next
// send fails and nothing of it reaches the files.
TEST_F (SimulatedDevices, ADeviceTakenOutOfTheListIsUnpluggedWhileOpen)
{
    folder.writeOutputs ("A\nB\n");
    layer.getOutputDevices();
    auto a = layer.openOutput ("A");
    auto b = layer.openOutput ("B");
    ASSERT_NE (a, nullptr);
    ASSERT_NE (b, nullptr);

    EXPECT_TRUE (a->sendMessageNow (sysex (9)));
    EXPECT_TRUE (a->isConnected());

    folder.writeOutputs ("B\n");

    EXPECT_FALSE (a->isConnected());
    EXPECT_FALSE (a->sendMessageNow (sysex (537)));
    EXPECT_EQ (folder.readSent (1).getSize(), 9u);
    EXPECT_EQ (folder.readLog (1).size(), 1);

    // The other device is still there.
    EXPECT_TRUE (b->isConnected());
    EXPECT_TRUE (b->sendMessageNow (sysex (40)));
    EXPECT_EQ (folder.readSent (2).getSize(), 40u);

    // Marked as held by another program, a device is still plugged in.
    folder.writeOutputs ("!A\nB\n");
    EXPECT_TRUE (a->sendMessageNow (sysex (9)));
    EXPECT_EQ (folder.readSent (1).getSize(), 18u);
}

// A message that cannot be stored whole is a failed send, and no part of it
// stays behind: output-1.syx holds whole messages, each with its log line.
TEST_F (SimulatedDevices, AWriteThatFailsIsAFailedSendAndLeavesNoFragment)
{
    struct Case
    {
        const char* name;
        std::function<void (const juce::File&)> breakIt;
        bool dataReadable, logReadable;     // what is left to look at afterwards
    };

    const auto syxOf = [] (const juce::File& d) { return d.getChildFile ("output-1.syx"); };
    const auto logOf = [] (const juce::File& d) { return d.getChildFile ("output-1.log"); };

    const Case cases[] =
    {
        { "folder removed",
          [] (const juce::File& d) { d.deleteRecursively(); },                                  false, false },
        { "data file cannot be opened",
          [&] (const juce::File& d) { syxOf (d).deleteFile(); syxOf (d).createDirectory(); },   false, true },
        { "log file cannot be opened",
          [&] (const juce::File& d) { logOf (d).deleteFile(); logOf (d).createDirectory(); },   true,  false },
        { "disk full",
          [&] (const juce::File& d) { syxOf (d).deleteFile();
                                      juce::File ("/dev/full").createSymbolicLink (syxOf (d), true); }, false, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        SimulatedMidiFolder place;
        place.writeOutputs ("Port\n");
        SimulatedMidiDeviceLayer simulated (place.getDirectory(), 0.0);
        simulated.getOutputDevices();
        auto output = simulated.openOutput ("Port");
        ASSERT_NE (output, nullptr);

        ASSERT_TRUE (output->sendMessageNow (sysex (537, 0x20)));
        const auto sentBefore = place.readSent (1);

        c.breakIt (place.getDirectory());
        EXPECT_FALSE (output->sendMessageNow (sysex (300, 0x40)));

        // Written, then taken back when its log line could not follow.
        if (c.dataReadable)
        {
            EXPECT_EQ (place.readSent (1), sentBefore);
        }

        if (c.logReadable)
        {
            EXPECT_EQ (place.readLog (1).size(), 1);
        }

        // Nothing is made up for a folder that has gone.
        EXPECT_EQ (place.getDirectory().exists(), c.dataReadable || c.logReadable);
    }
}

// A write cut short part-way, as on a disk that fills up during it: the file
// is cut back to the last whole message. The process's own file-size limit
// makes the write short.
TEST_F (SimulatedDevices, AShortWriteIsCutBackToTheLastWholeMessage)
{
    folder.writeOutputs ("Port\n");
    layer.getOutputDevices();
    auto output = layer.openOutput ("Port");
    ASSERT_NE (output, nullptr);

    const auto first = sysex (537, 0x20);
    ASSERT_TRUE (output->sendMessageNow (first));
    const auto sentBefore = folder.readSent (1);

    rlimit saved {};
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal (SIGXFSZ, SIG_IGN);

    rlimit tight = saved;
    tight.rlim_cur = 537 + 100;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &tight), 0);

    const auto result = output->sendMessageNow (sysex (300, 0x40));

    setrlimit (RLIMIT_FSIZE, &saved);
    std::signal (SIGXFSZ, previousHandler);

    EXPECT_FALSE (result);
    EXPECT_EQ (folder.readSent (1), sentBefore);
    EXPECT_EQ (folder.readLog (1).size(), 1);

    // With room again, the next message goes out whole.
    EXPECT_TRUE (output->sendMessageNow (sysex (300, 0x40)));
    EXPECT_EQ (folder.readSent (1).getSize(), 837u);
}

// However long a message takes on the simulated wire, a thread asked to exit
// stops waiting for it: the bytes are on their way, and a wait of 8 s would
// outlast every wait of the program's shutdown.
TEST (SimulatedMidiDeviceLayerRate, AnExitRequestEndsTheTransferWait)
{
    SimulatedMidiFolder folder;
    folder.writeOutputs ("Slow\n");
    SimulatedMidiDeviceLayer layer (folder.getDirectory(), 3125.0);
    layer.getOutputDevices();
    auto output = layer.openOutput ("Slow");
    ASSERT_NE (output, nullptr);

    struct Sender  : public juce::Thread
    {
        explicit Sender (MidiDeviceLayer::Output& o)  : juce::Thread ("Sender"), out (o) {}

        void run() override
        {
            started = true;
            result = out.sendMessageNow (sysex (25000));
        }

        MidiDeviceLayer::Output& out;
        std::atomic<bool> started { false }, result { false };
    };

    Sender sender (*output);
    sender.startThread();

    while (! sender.started)
        juce::Thread::sleep (1);

    juce::Thread::sleep (50);
    sender.signalThreadShouldExit();

    // Well short of the 8 s the bytes would take.
    ASSERT_TRUE (sender.waitForThreadToExit (4000));
    EXPECT_TRUE (sender.result);
    EXPECT_EQ (folder.readSent (1).getSize(), 25000u);
}
