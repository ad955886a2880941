#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

#include <map>

/** What a process's threads have used so far, as the kernel counts it: the same
    reading for the program and for the bare window it is held against.

    A wake-up is a voluntary context switch: the thread slept, on a timer, a
    lock or a read, and was woken. Involuntary ones are the machine's load
    taking the core away, and are left out.
*/
struct ProcessUsage
{
    double cpuSeconds = 0;
    long wakeUps = 0;
    std::map<juce::String, long> wakeUpsByThread;   // by thread name

    static ProcessUsage of (pid_t pid)
    {
        ProcessUsage usage;
        const juce::File tasks ("/proc/" + juce::String (pid) + "/task");

        for (const auto& task : tasks.findChildFiles (juce::File::findDirectories, false))
        {
            // Nanoseconds on a core, the first figure of schedstat.
            const auto onCore = task.getChildFile ("schedstat").loadFileAsString().upToFirstOccurrenceOf (" ", false, false);
            usage.cpuSeconds += (double) onCore.getLargeIntValue() / 1e9;

            long switches = 0;

            for (const auto& line : juce::StringArray::fromLines (task.getChildFile ("status").loadFileAsString()))
                if (line.startsWith ("voluntary_ctxt_switches:"))
                    switches = (long) line.fromFirstOccurrenceOf (":", false, false).trim().getLargeIntValue();

            usage.wakeUps += switches;
            usage.wakeUpsByThread[task.getChildFile ("comm").loadFileAsString().trim()] += switches;
        }

        return usage;
    }

    /** What was used between an earlier reading and this one. */
    ProcessUsage since (const ProcessUsage& earlier) const
    {
        ProcessUsage used;
        used.cpuSeconds = cpuSeconds - earlier.cpuSeconds;
        used.wakeUps = wakeUps - earlier.wakeUps;

        for (const auto& [name, switches] : wakeUpsByThread)
        {
            const auto before = earlier.wakeUpsByThread.find (name);
            const auto woken = switches - (before != earlier.wakeUpsByThread.end() ? before->second : 0);

            if (woken > 0)
                used.wakeUpsByThread[name] = woken;
        }

        return used;
    }
};
