#include "WireClock.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace
{
    class SystemWireClock  : public WireClock
    {
    public:
        double getMilliseconds() override
        {
            return std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now().time_since_epoch()).count();
        }

        bool waitFor (double milliseconds) override
        {
            auto* thread = juce::Thread::getCurrentThread();

            if (thread == nullptr)
            {
                std::this_thread::sleep_for (std::chrono::duration<double, std::milli> (milliseconds));
                return true;
            }

            // Told by the thread object itself, so the request is heard even
            // from a caller that does not notify() afterwards.
            struct ExitListener  : public juce::Thread::Listener
            {
                void exitSignalSent() override     { asked.signal(); }
                juce::WaitableEvent asked { true };
            };

            ExitListener listener;
            thread->addListener (&listener);

            if (! thread->threadShouldExit())
                listener.asked.wait ((int) std::ceil (milliseconds));

            thread->removeListener (&listener);
            return ! thread->threadShouldExit();
        }
    };
}

bool WireClock::waitUntil (double deadlineMs)
{
    // Waits in whole milliseconds may end a little short of the deadline.
    for (auto remaining = deadlineMs - getMilliseconds(); remaining > 0.0; remaining = deadlineMs - getMilliseconds())
        if (! waitFor (remaining))
            return false;

    return ! juce::Thread::currentThreadShouldExit();
}

WireClock& WireClock::getSystemClock()
{
    static SystemWireClock clock;
    return clock;
}
