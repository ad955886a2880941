#pragma once

#include "EventLog.h"
#include "device/InterfaceBaseClass.h"
#include "protocol/ProgressClass.h"

#include <atomic>
#include <mutex>
#include <vector>

/** A device interface that keeps every message it is handed, with the state
    around it at that moment, instead of sending it anywhere; it can lose its
    device after a given number of messages. */
class RecordingInterface  : public InterfaceBaseClass
{
public:
    struct Send
    {
        const juce::uint8* data;
        std::vector<juce::uint8> bytes;
        double timeMs;
        bool messageLockHeld;
        bool enabled;
        double progress;        // of the watched protocol, -1 when none is watched
    };

    explicit RecordingInterface (EventLog* logToUse = nullptr)  : log (logToUse) {}

    void watchProgressOf (const ProgressClass* source)      { watched = source; }

    std::vector<Send> getSends() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return sends;
    }

    size_t getNumSends() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return sends.size();
    }

    //==============================================================================
    void resized() override {}

    int readData (juce::uint8*, juce::uint32) override      { return 0; }

    /** The device is there for the first numMessages messages; every later
        send finds it gone, and so does every check. */
    void loseDeviceAfter (int numMessages)                  { messagesBeforeLoss = numMessages; }

    int getNumChecks() const                                { return numChecks.load(); }

    int sendData (const juce::uint8* data, int numBytes) override
    {
        const auto lost = messagesBeforeLoss >= 0 && (int) getNumSends() >= messagesBeforeLoss;

        // No bytes: only the question whether the device is still there.
        if (numBytes == 0)
        {
            ++numChecks;

            if (log != nullptr)
                log->add (lost ? "check failed" : "check");

            return lost ? deviceNotConnected : messageSent;
        }

        if (lost)
        {
            if (log != nullptr)
                log->add ("send " + juce::String (numBytes) + " failed");

            return deviceNotConnected;
        }

        const auto* source = watched.load();

        Send send { data,
                    std::vector<juce::uint8> (data, data + numBytes),
                    juce::Time::getMillisecondCounterHiRes(),
                    juce::MessageManager::existsAndIsLockedByCurrentThread(),
                    isEnabled(),
                    source != nullptr ? source->getProgress() : -1.0 };

        const std::lock_guard<std::mutex> lock (mutex);
        sends.push_back (std::move (send));

        if (log != nullptr)
            log->add ("send " + juce::String (numBytes));

        return messageSent;
    }

    bool isDeviceReady() override                           { return true; }
    int getPreferredHeight() override                       { return 50; }
    void selectOutputById (int) override                    {}
    void selectInputById (int) override                     {}

    void enablementChanged() override
    {
        if (log != nullptr)
            log->add (isEnabled() ? "enable" : "disable");
    }

private:
    EventLog* const log;
    std::atomic<const ProgressClass*> watched { nullptr };
    std::atomic<int> messagesBeforeLoss { -1 }, numChecks { 0 };
    mutable std::mutex mutex;
    std::vector<Send> sends;
};
