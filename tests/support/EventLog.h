#pragma once

#include <juce_core/juce_core.h>

#include <mutex>
#include <string>
#include <vector>

/** What the fakes saw, in the order it happened, across threads:
    "send 9", "sleep 300", "disable", "enable", "quit". */
class EventLog
{
public:
    void add (const juce::String& event)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        events.push_back (event.toStdString());
    }

    std::vector<std::string> get() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return events;
    }

private:
    mutable std::mutex mutex;
    std::vector<std::string> events;
};
