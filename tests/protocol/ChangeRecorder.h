#pragma once

#include "protocol/ProtocolBaseClass.h"

#include <mutex>
#include <vector>

/** A listener that keeps what each notification let it see. */
class ChangeRecorder  : public juce::ChangeListener
{
public:
    struct Change
    {
        juce::ChangeBroadcaster* source;
        double progress;
        juce::String status;
        bool lastRunFailed;
        bool onMessageThread;
        bool messageLockHeld;
    };

    explicit ChangeRecorder (ProgressClass& sourceToWatch)
        : watched (sourceToWatch)
    {
        watched.addChangeListener (this);
    }

    ~ChangeRecorder() override
    {
        watched.removeChangeListener (this);
    }

    void changeListenerCallback (juce::ChangeBroadcaster* source) override
    {
        const auto* protocol = dynamic_cast<const ProtocolBaseClass*> (&watched);

        Change change { source,
                        watched.getProgress(),
                        watched.getStatus(),
                        protocol != nullptr && protocol->lastRunFailed(),
                        juce::MessageManager::getInstance()->isThisTheMessageThread(),
                        juce::MessageManager::existsAndIsLockedByCurrentThread() };

        const std::lock_guard<std::mutex> lock (mutex);
        changes.push_back (change);
    }

    std::vector<Change> getChanges() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return changes;
    }

    size_t size() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return changes.size();
    }

    /** Progress reports arrive on the moving thread, status reports on the message thread. */
    std::vector<Change> fromOtherThreads() const
    {
        std::vector<Change> result;

        for (const auto& change : getChanges())
            if (! change.onMessageThread)
                result.push_back (change);

        return result;
    }

private:
    ProgressClass& watched;
    mutable std::mutex mutex;
    std::vector<Change> changes;
};
