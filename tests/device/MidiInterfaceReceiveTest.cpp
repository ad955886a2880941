#include "MidiInterfaceTestSupport.h"

#include <atomic>
#include <thread>

using namespace MidiInterfaceTestSupport;

namespace
{
    // An input-only interface with its one input open; bytes are fed in as
    // the MIDI input thread would hand them over.
    class OpenMidiInput  : public testing::Test
    {
    protected:
        void SetUp() override
        {
            folder.writeInputs ("Keys\n");
            midi = makeInterface (folder, false, true);
            midi->selectInputById (1);
            deliverPendingMessages();
            ASSERT_TRUE (midi->isDeviceReady());
        }

        void receive (const juce::MemoryBlock& bytes)
        {
            midi->handleIncomingMidiMessage (nullptr, juce::MidiMessage (bytes.getData(), (int) bytes.getSize()));
        }

        juce::MemoryBlock read (juce::uint32 maxBytes)
        {
            juce::uint8 destination[512] = {};
            const auto numRead = midi->readData (destination, maxBytes);
            EXPECT_GE (numRead, 0);
            EXPECT_LE ((juce::uint32) numRead, maxBytes);
            return juce::MemoryBlock (destination, (size_t) numRead);
        }

        static juce::MemoryBlock slice (const juce::MemoryBlock& bytes, size_t start, size_t numBytes)
        {
            return juce::MemoryBlock (static_cast<const char*> (bytes.getData()) + start, numBytes);
        }

        SimulatedMidiFolder folder;
        std::unique_ptr<MidiInterfaceClass> midi;
    };
}

TEST_F (OpenMidiInput, ReadsEverythingReceivedInOneCallThenNothing)
{
    const auto message = makeSysex (10);
    receive (message);

    EXPECT_EQ (read (16), message);
    EXPECT_EQ (read (16).getSize(), 0u);
}

TEST_F (OpenMidiInput, ContinuesWhereTheLastReadStopped)
{
    const auto message = makeSysex (10);
    receive (message);

    EXPECT_EQ (read (4), slice (message, 0, 4));
    EXPECT_EQ (read (4), slice (message, 4, 4));
    EXPECT_EQ (read (4), slice (message, 8, 2));
    EXPECT_EQ (read (4).getSize(), 0u);
}

TEST_F (OpenMidiInput, StoresEveryKindOfMessageInArrivalOrder)
{
    midi->handleIncomingMidiMessage (nullptr, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    receive (makeSysex (5));
    midi->handleIncomingMidiMessage (nullptr, juce::MidiMessage::midiClock());

    const juce::uint8 expected[] = { 0x90, 60, 100, 0xf0, 0x11, 0x12, 0x13, 0xf7, 0xf8 };
    EXPECT_EQ (read (64), juce::MemoryBlock (expected, sizeof (expected)));
}

TEST_F (OpenMidiInput, KeepsTheOrderAcrossTheEndOfTheRing)
{
    receive (makeSysex (200, 0x01));
    EXPECT_EQ (read (256).getSize(), 200u);

    const auto wrapping = makeSysex (100, 0x33);
    receive (wrapping);
    EXPECT_EQ (read (256), wrapping);
}

TEST_F (OpenMidiInput, KeepsAtMost255UnreadBytes)
{
    // The writer never waits: 256 unread bytes bring it round to the reader,
    // and the ring reads as empty.
    const auto justFits = makeSysex (255);
    receive (justFits);
    EXPECT_EQ (read (512), justFits);

    receive (makeSysex (256));
    EXPECT_EQ (read (512).getSize(), 0u);
}

TEST_F (OpenMidiInput, ReadsNothingOnceTheInputIsClosed)
{
    receive (makeSysex (10));
    midi->selectInputById (2);      // "(Disconnected)"

    EXPECT_FALSE (midi->isDeviceReady());
    EXPECT_EQ (read (16).getSize(), 0u);
}

TEST_F (OpenMidiInput, HandsOverBytesFromTheInputThreadWhileTheyAreRead)
{
    // Message m is 90 (m mod 128) (m + 1 mod 128): a byte lost, doubled or
    // read before it was stored breaks the sequence.
    constexpr int numMessages = 10000;
    constexpr int numBytes = numMessages * 3;
    std::atomic<int> numRead { 0 };
    std::atomic<bool> readerGaveUp { false };

    const auto expectedByte = [] (int index)
    {
        const auto m = index / 3;
        const int bytes[] = { 0x90, m % 128, (m + 1) % 128 };
        return bytes[index % 3];
    };

    std::thread inputThread ([&]
    {
        for (int m = 0; m < numMessages; ++m)
        {
            // Stay within what the ring keeps unread.
            while (m * 3 - numRead.load() > 200)
            {
                if (readerGaveUp)
                    return;

                std::this_thread::yield();
            }

            midi->handleIncomingMidiMessage (nullptr, juce::MidiMessage::noteOn (1, m % 128, (juce::uint8) ((m + 1) % 128)));
        }
    });

    int firstWrong = -1;
    const auto giveUp = juce::Time::getMillisecondCounter() + 60000;

    while (numRead.load() < numBytes && juce::Time::getMillisecondCounter() < giveUp)
    {
        juce::uint8 destination[7];
        const auto n = midi->readData (destination, sizeof (destination));

        for (int i = 0; i < n; ++i)
            if (firstWrong < 0 && destination[i] != expectedByte (numRead.load() + i))
                firstWrong = numRead.load() + i;

        numRead += n;
    }

    readerGaveUp = true;
    inputThread.join();
    EXPECT_EQ (numRead.load(), numBytes);
    EXPECT_EQ (firstWrong, -1);
}

TEST (MidiInterfaceReceive, ReadsNothingWithoutAnInput)
{
    SimulatedMidiFolder folder;
    folder.writeOutputs ("Out\n");
    auto midi = makeInterface (folder, true, false);
    midi->selectOutputById (1);

    const auto message = makeSysex (10);
    midi->handleIncomingMidiMessage (nullptr, juce::MidiMessage (message.getData(), (int) message.getSize()));

    juce::uint8 destination[16] = {};
    EXPECT_EQ (midi->readData (destination, sizeof (destination)), 0);
}
