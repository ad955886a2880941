#pragma once

#include <juce_core/juce_core.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

/** The bare JUCE window (bench_bare_window, beside this program) running as a
    process of its own on the same display, so that both are measured over the
    same seconds on the same loaded machine.
*/
class BareWindowProcess
{
public:
    BareWindowProcess()
    {
        const auto program = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                                 .getSiblingFile ("bench_bare_window").getFullPathName();
        int toChild[2], fromChild[2];

        if (pipe (toChild) != 0 || pipe (fromChild) != 0)
            return;

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init (&actions);
        posix_spawn_file_actions_adddup2 (&actions, toChild[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2 (&actions, fromChild[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose (&actions, toChild[1]);
        posix_spawn_file_actions_addclose (&actions, fromChild[0]);

        char* argv[] = { const_cast<char*> (program.toRawUTF8()), nullptr };

        if (posix_spawn (&pid, program.toRawUTF8(), &actions, nullptr, argv, environ) != 0)
            pid = -1;

        posix_spawn_file_actions_destroy (&actions);
        close (toChild[0]);
        close (fromChild[1]);
        input = toChild[1];
        output = fromChild[0];
    }

    ~BareWindowProcess()
    {
        if (input >= 0)
            close (input);   // its cue to quit

        if (pid > 0 && ! exitsWithin (3000))
        {
            kill (pid, SIGTERM);
            waitpid (pid, nullptr, 0);
        }

        if (output >= 0)
            close (output);
    }

    pid_t getPid() const noexcept   { return pid; }

    /** Waits for the line the program writes once its window is up. */
    bool waitUntilShown (int timeoutMs = 20000)
    {
        return readLine (timeoutMs) == "shown";
    }

    /** Asks for a second window, as the program's help window is one; true once it is up. */
    bool openSecondWindow()
    {
        const char request[] = "second window\n";
        return write (input, request, sizeof (request) - 1) == (ssize_t) (sizeof (request) - 1)
            && readLine (5000) == "second window shown";
    }

private:
    juce::String readLine (int timeoutMs)
    {
        juce::String line;
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

        for (;;)
        {
            pollfd ready { output, POLLIN, 0 };
            const auto left = (int) end - (int) juce::Time::getMillisecondCounter();
            char c = 0;

            if (pid <= 0 || left <= 0 || poll (&ready, 1, left) <= 0 || read (output, &c, 1) != 1)
                return {};

            if (c == '\n')
                return line;

            line += c;
        }
    }

    bool exitsWithin (int timeoutMs)
    {
        for (int waited = 0; waited < timeoutMs; waited += 10)
        {
            if (waitpid (pid, nullptr, WNOHANG) == pid)
                return true;

            juce::Thread::sleep (10);
        }

        return false;
    }

    pid_t pid = -1;
    int input = -1, output = -1;
};
