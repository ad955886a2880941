#include "DisplayProbe.h"

#if JUCE_LINUX || JUCE_BSD
 #include <dlfcn.h>
 #include <signal.h>
 #include <sys/wait.h>
 #include <unistd.h>
#endif

namespace DisplayProbe
{
   #if JUCE_LINUX || JUCE_BSD
    namespace
    {
        // Runs in a child process: a server that never answers can hang
        // XOpenDisplay for minutes, and only a child can be left behind safely.
        [[noreturn]] void tryToOpen (const char* name)
        {
            using OpenDisplay  = void* (*) (const char*);
            using CloseDisplay = int (*) (void*);

            auto* library = ::dlopen ("libX11.so.6", RTLD_NOW | RTLD_LOCAL);

            if (library == nullptr)
                ::_exit (2);

            auto open  = reinterpret_cast<OpenDisplay>  (::dlsym (library, "XOpenDisplay"));
            auto close = reinterpret_cast<CloseDisplay> (::dlsym (library, "XCloseDisplay"));

            if (open == nullptr || close == nullptr)
                ::_exit (2);

            if (auto* display = open (name))
            {
                close (display);
                ::_exit (0);
            }

            ::_exit (1);
        }
    }

    Result probe (int timeoutMs)
    {
        const auto name = juce::SystemStats::getEnvironmentVariable ("DISPLAY", {});

        if (name.isEmpty())
            return { false, "DISPLAY is not set" };

        std::fflush (stdout);
        std::fflush (stderr);

        const auto child = ::fork();

        if (child < 0)
            return { false, "cannot start a process to open display " + name };

        if (child == 0)
            tryToOpen (name.toRawUTF8());

        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
        int status = 0;

        for (;;)
        {
            const auto done = ::waitpid (child, &status, WNOHANG);

            if (done == child)
                break;

            if (done < 0 || juce::Time::getMillisecondCounter() >= deadline)
            {
                ::kill (child, SIGKILL);
                ::waitpid (child, &status, 0);
                return { false, "display " + name + " did not answer within "
                                  + juce::String (timeoutMs / 1000.0, 0) + " s" };
            }

            juce::Thread::sleep (10);
        }

        if (WIFEXITED (status) && WEXITSTATUS (status) == 0)
            return { true, {} };

        if (WIFEXITED (status) && WEXITSTATUS (status) == 2)
            return { false, "the X11 library (libX11.so.6) is not installed" };

        return { false, "cannot open display " + name };
    }
   #else
    Result probe (int)
    {
        return { true, {} };
    }
   #endif
}
