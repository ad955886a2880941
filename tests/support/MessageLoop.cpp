#include "MessageLoop.h"

namespace MessageLoop
{
    void runFor (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    bool runUntil (const std::function<bool()>& condition, int timeoutMilliseconds)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounter() >= end)
                return condition();

            runFor (5);
        }

        return true;
    }
}
