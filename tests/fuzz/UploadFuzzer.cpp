// Feeds arbitrary images through the upload: it must read nothing outside the
// image, always end, completed or failed, and send either every message whole,
// F0...F7 in order from the image's own bytes, or, for a damaged image, nothing.
//
// The thread body runs here, on the message thread, where the message-thread
// lock is had at once: the same code the protocol thread runs, without a
// thread start and a trip through the message loop for every lock. With
// BREVANE_FUZZ_UPLOAD_THREAD=1 each image goes through the protocol thread
// instead, the loop running until the upload has ended.

#include "protocol/BasicSysexProtocolClass.h"
#include "support/FakePacingClock.h"
#include "support/RecordingInterface.h"
#include "support/TestFirmwareImage.h"
#include "protocol/UploadSteps.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
    void check (bool condition)
    {
        if (! condition)
            std::abort();
    }

    struct Message
    {
        int offset, length;
    };

    /** The framing, spelt out again on its own: F0, then bytes below 0x80 up to the first F7. */
    struct Expected
    {
        std::vector<Message> messages;
        juce::String failure;       // empty when the image is whole
    };

    Expected frame (const juce::uint8* data, int size)
    {
        Expected expected;
        int offset = 0;

        while (offset < size)
        {
            if (data[offset] != 0xf0)
                break;

            const auto* end = std::find_if (data + offset + 1, data + size, [] (juce::uint8 b) { return b >= 0x80; });

            if (end == data + size)
            {
                expected.failure = "Upload failed: unterminated SysEx message at byte " + juce::String (offset);
                return expected;
            }

            if (*end != 0xf7)
            {
                expected.failure = "Upload failed: invalid SysEx data at byte " + juce::String ((int) (end - data));
                return expected;
            }

            const auto length = (int) (end - (data + offset)) + 1;
            expected.messages.push_back ({ offset, length });
            offset += length;
        }

        if (size == 0 || offset < size)
            expected.failure = "Upload failed: invalid SysEx data at byte " + juce::String (offset);

        return expected;
    }

    bool onProtocolThread()
    {
        static const bool threaded = juce::SystemStats::getEnvironmentVariable ("BREVANE_FUZZ_UPLOAD_THREAD", {}) == "1";
        return threaded;
    }

    void upload (BasicSysexProtocolClass& protocol)
    {
        if (! onProtocolThread())
        {
            protocol.run();
            return;
        }

        protocol.startUpdate();
        const auto deadline = juce::Time::getMillisecondCounter() + 30000;

        while (protocol.isThreadRunning())
        {
            check (juce::Time::getMillisecondCounter() < deadline);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* bytes, size_t numBytes)
{
    // For the message-thread lock and the change messages.
    static const juce::ScopedJuceInitialiser_GUI juce;

    TestFirmwareImage image (bytes, numBytes);
    FakePacingClock clock;
    RecordingInterface interface;

    double progress;
    juce::String status;
    bool failed;

    {
        BasicSysexProtocolClass protocol (&interface, &image, &clock);
        upload (protocol);

        progress = protocol.getProgress();
        status = protocol.getStatus();
        failed = protocol.lastRunFailed();
    }

    const auto expected = frame (image.getData(), image.getSize());
    const auto sends = interface.getSends();

    // A damaged image is refused before its first message.
    check (sends.size() == (expected.failure.isEmpty() ? expected.messages.size() : 0));

    for (size_t i = 0; i < sends.size(); ++i)
    {
        const auto& send = sends[i];
        check (send.data == image.getData() + expected.messages[i].offset);
        check ((int) send.bytes.size() == expected.messages[i].length);
        check (send.bytes.front() == 0xf0 && send.bytes.back() == 0xf7);
        check (std::count_if (send.bytes.begin(), send.bytes.end(), [] (juce::uint8 b) { return b >= 0x80; }) == 2);
    }

    auto sleeps = clock.getSleeps();

    if (expected.failure.isEmpty())
    {
        check (status == UploadSteps::powerCycleHint);
        check (progress == 1.0);
        check (! failed);
        check (! sleeps.empty() && sleeps.back() == UploadSteps::pauseBeforePowerCycleHintMs);
        sleeps.pop_back();
    }
    else
    {
        check (status == expected.failure);
        check (progress == 0.0);
        check (failed);
    }

    check (sleeps == std::vector<int> (sends.size(), UploadSteps::pauseAfterEachMessageMs));
    check (interface.isEnabled());
    return 0;
}
