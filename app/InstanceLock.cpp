#include "InstanceLock.h"

#if JUCE_WINDOWS
 #include <memory>
#else
 #include <fcntl.h>
 #include <sys/file.h>
 #include <unistd.h>
#endif

juce::File InstanceLock::getLockFile()
{
    for (const auto* variable : { "BREVANE_LOCK_DIR", "XDG_RUNTIME_DIR" })
    {
        const auto folder = juce::SystemStats::getEnvironmentVariable (variable, {});

        if (folder.isNotEmpty() && juce::File::isAbsolutePath (folder) && juce::File (folder).isDirectory())
            return juce::File (folder).getChildFile ("brevane.lock");
    }

    return juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".brevane.lock");
}

#if JUCE_WINDOWS
namespace
{
    // Windows keeps named mutexes per session already.
    std::unique_ptr<juce::InterProcessLock> windowsLock;
}

InstanceLock::InstanceLock()
{
    windowsLock = std::make_unique<juce::InterProcessLock> ("Brevane-" + juce::SystemStats::getLogonName());
    held = windowsLock->enter (0);
}

InstanceLock::~InstanceLock()
{
    windowsLock.reset();
}
#else
InstanceLock::InstanceLock()
{
    const auto path = getLockFile().getFullPathName();
    descriptor = ::open (path.toRawUTF8(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);

    // A lock that cannot be taken at all (a read-only home) must not stop the program.
    if (descriptor < 0)
    {
        held = true;
        return;
    }

    held = ::flock (descriptor, LOCK_EX | LOCK_NB) == 0;
}

InstanceLock::~InstanceLock()
{
    if (descriptor >= 0)
        ::close (descriptor);
}
#endif
