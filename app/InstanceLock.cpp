#include "InstanceLock.h"

#if JUCE_WINDOWS
 #include <memory>
#else
 #include <cerrno>
 #include <cstring>
 #include <fcntl.h>
 #include <pwd.h>
 #include <sys/file.h>
 #include <sys/stat.h>
 #include <unistd.h>
#endif

#if JUCE_WINDOWS
namespace
{
    // Windows keeps named mutexes per session already.
    std::unique_ptr<juce::InterProcessLock> windowsLock;
}

juce::File InstanceLock::getLockFile()
{
    return {};
}

InstanceLock::InstanceLock()
{
    windowsLock = std::make_unique<juce::InterProcessLock> ("Brevane-" + juce::SystemStats::getLogonName());
    state = windowsLock->enter (0) ? State::held : State::heldByAnother;
}

InstanceLock::~InstanceLock()
{
    windowsLock.reset();
}
#else
juce::File InstanceLock::getLockFile()
{
    const auto folder = juce::SystemStats::getEnvironmentVariable ("BREVANE_LOCK_DIR", {});

    if (folder.isNotEmpty())
        return juce::File::isAbsolutePath (folder) ? juce::File (folder).getChildFile ("brevane.lock")
                                                   : juce::File();

    // Not $HOME: the environment differs between a desktop, cron and ssh, the user does not.
    if (const auto* entry = ::getpwuid (::geteuid()); entry != nullptr && entry->pw_dir != nullptr
                                                        && juce::File::isAbsolutePath (entry->pw_dir))
        return juce::File (juce::String::fromUTF8 (entry->pw_dir)).getChildFile (".brevane.lock");

    return {};
}

InstanceLock::InstanceLock()
{
    const auto file = getLockFile();

    auto refuse = [this, &file] (const juce::String& why)
    {
        state = State::unavailable;
        problem = "the single-instance lock " + (file == juce::File() ? juce::String() : file.getFullPathName() + " ")
                + "cannot be taken: " + why;
    };

    if (file == juce::File())
    {
        refuse ("no folder is known for it (BREVANE_LOCK_DIR must be an absolute path)");
        return;
    }

    // No O_CREAT through a link: a dangling one would make us create its target elsewhere.
    descriptor = ::open (file.getFullPathName().toRawUTF8(),
                         O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);

    if (descriptor < 0)
    {
        const auto error = errno;
        refuse (error == ELOOP  ? juce::String ("it is a symbolic link")
              : error == EISDIR ? juce::String ("it is a directory")
                                : juce::String (std::strerror (error)));
        return;
    }

    struct stat info {};

    if (::fstat (descriptor, &info) != 0)
    {
        refuse (std::strerror (errno));
        return;
    }

    if (! S_ISREG (info.st_mode))
    {
        refuse ("it is not a regular file");
        return;
    }

    if (info.st_uid != ::geteuid())
    {
        refuse ("it belongs to another user");
        return;
    }

    if (::flock (descriptor, LOCK_EX | LOCK_NB) == 0)
    {
        state = State::held;
        return;
    }

    const auto error = errno;

    if (error == EWOULDBLOCK)
        state = State::heldByAnother;
    else
        refuse (std::strerror (error));
}

InstanceLock::~InstanceLock()
{
    if (descriptor >= 0)
        ::close (descriptor);
}
#endif
