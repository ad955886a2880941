#include <gtest/gtest.h>

#include "app/InstanceLock.h"
#include "support/ScopedEnvironmentVariable.h"

#include <functional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    struct ScopedFolder
    {
        ScopedFolder()   { folder.createDirectory(); }
        ~ScopedFolder()  { folder.deleteRecursively(); }

        juce::TemporaryFile place;
        const juce::File folder { place.getFile() };
    };
}

TEST (InstanceLock, OneHolderPerFolderUntilItGoes)
{
    const ScopedFolder place;
    const ScopedEnvironmentVariable lockDir ("BREVANE_LOCK_DIR", place.folder.getFullPathName());

    EXPECT_EQ (InstanceLock::getLockFile(), place.folder.getChildFile ("brevane.lock"));

    auto first = std::make_unique<InstanceLock>();
    EXPECT_TRUE (first->isHeld());
    EXPECT_EQ (InstanceLock().getState(), InstanceLock::State::heldByAnother);

    first.reset();
    EXPECT_TRUE (InstanceLock().isHeld());
}

TEST (InstanceLock, ThePathIsTheUsersWhateverTheEnvironmentSays)
{
    const ScopedFolder elsewhere;
    const ScopedEnvironmentVariable noLockDir ("BREVANE_LOCK_DIR", std::nullopt);

    const auto* entry = ::getpwuid (::geteuid());
    ASSERT_NE (entry, nullptr);
    const auto expected = juce::File (juce::String::fromUTF8 (entry->pw_dir)).getChildFile (".brevane.lock");

    // A desktop, cron and ssh hand the program different environments.
    for (const auto& value : { std::optional<juce::String> (elsewhere.folder.getFullPathName()),
                                std::optional<juce::String>() })
    {
        const ScopedEnvironmentVariable xdg ("XDG_RUNTIME_DIR", value);
        const ScopedEnvironmentVariable home ("HOME", value);
        EXPECT_EQ (InstanceLock::getLockFile(), expected);
    }
}

//==============================================================================
/** A lock path that is anything but a regular file of the user's own is never
    taken for a lock held: no upload may start beside another one. */
TEST (InstanceLock, FailsClosed)
{
    struct Case
    {
        const char* name;
        std::function<void (const juce::File& lock)> prepare;
        const char* says;
    };

    const Case cases[] =
    {
        { "a directory",    [] (auto& lock) { lock.createDirectory(); },                     "it is a directory" },
        { "a link loop",    [] (auto& lock) { ::symlink ("brevane.lock", lock.getFullPathName().toRawUTF8()); },
                                                                                              "it is a symbolic link" },
        { "a link to a file", [] (auto& lock)
          {
              lock.getSiblingFile ("real").create();
              ::symlink ("real", lock.getFullPathName().toRawUTF8());
          },                                                                                  "it is a symbolic link" },
        { "a FIFO",         [] (auto& lock) { ::mkfifo (lock.getFullPathName().toRawUTF8(), 0600); },
                                                                                              "it is not a regular file" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const ScopedFolder place;
        const ScopedEnvironmentVariable lockDir ("BREVANE_LOCK_DIR", place.folder.getFullPathName());
        const auto lock = place.folder.getChildFile ("brevane.lock");
        c.prepare (lock);

        const InstanceLock instance;
        EXPECT_EQ (instance.getState(), InstanceLock::State::unavailable);
        EXPECT_FALSE (instance.isHeld());
        EXPECT_EQ (instance.getProblem(), "the single-instance lock " + lock.getFullPathName()
                                            + " cannot be taken: " + c.says);
    }
}

TEST (InstanceLock, ADanglingLinkCreatesNothingElsewhere)
{
    const ScopedFolder place, target;
    const ScopedEnvironmentVariable lockDir ("BREVANE_LOCK_DIR", place.folder.getFullPathName());
    const auto aimedAt = target.folder.getChildFile ("planted");
    ASSERT_EQ (::symlink (aimedAt.getFullPathName().toRawUTF8(),
                          place.folder.getChildFile ("brevane.lock").getFullPathName().toRawUTF8()), 0);

    EXPECT_EQ (InstanceLock().getState(), InstanceLock::State::unavailable);
    EXPECT_FALSE (aimedAt.exists());
}

TEST (InstanceLock, AFolderThatCannotBeNamedOrReachedFailsClosed)
{
    for (const auto* folder : { "relative/folder", "/no/such/folder" })
    {
        SCOPED_TRACE (folder);
        const ScopedEnvironmentVariable lockDir ("BREVANE_LOCK_DIR", juce::String (folder));
        const InstanceLock instance;
        EXPECT_EQ (instance.getState(), InstanceLock::State::unavailable);
        EXPECT_TRUE (instance.getProblem().startsWith ("the single-instance lock ")) << instance.getProblem();
    }
}

TEST (InstanceLock, AFileOfAnotherUserIsNotTrusted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file to another user";

    const ScopedFolder place;
    const ScopedEnvironmentVariable lockDir ("BREVANE_LOCK_DIR", place.folder.getFullPathName());
    const auto lock = place.folder.getChildFile ("brevane.lock");
    ASSERT_TRUE (lock.create());
    ASSERT_EQ (::chown (lock.getFullPathName().toRawUTF8(), 65534, 65534), 0);

    const InstanceLock instance;
    EXPECT_EQ (instance.getState(), InstanceLock::State::unavailable);
    EXPECT_TRUE (instance.getProblem().endsWith ("it belongs to another user")) << instance.getProblem();
}
