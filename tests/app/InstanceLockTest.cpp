#include <gtest/gtest.h>

#include "app/InstanceLock.h"
#include "support/ScopedEnvironmentVariable.h"

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
    EXPECT_FALSE (InstanceLock().isHeld());

    first.reset();
    EXPECT_TRUE (InstanceLock().isHeld());
}

TEST (InstanceLock, TheFolderIsTheUsersOwn)
{
    const ScopedFolder runtime;
    const ScopedEnvironmentVariable noLockDir ("BREVANE_LOCK_DIR", std::nullopt);

    {
        const ScopedEnvironmentVariable xdg ("XDG_RUNTIME_DIR", runtime.folder.getFullPathName());
        EXPECT_EQ (InstanceLock::getLockFile(), runtime.folder.getChildFile ("brevane.lock"));
    }

    for (const auto* unusable : { "", "relative/folder", "/no/such/folder" })
    {
        SCOPED_TRACE (unusable);
        const ScopedEnvironmentVariable xdg ("XDG_RUNTIME_DIR", juce::String (unusable));
        EXPECT_EQ (InstanceLock::getLockFile(),
                   juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".brevane.lock"));
    }
}
