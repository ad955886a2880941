#include <gtest/gtest.h>

#include "app/FirmwareFileCheck.h"
#include "app/InstanceLock.h"
#include "device/ScopedEnvironmentVariable.h"

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

TEST (FirmwareFileCheck, SaysWhyAFileCannotBeSent)
{
    const ScopedFolder place;
    const auto& dir = place.folder;
    dir.getChildFile ("good.syx").replaceWithData ("\xf0\x01\xf7", 3);
    dir.getChildFile ("empty.syx").create();
    dir.getChildFile ("folder.syx").createDirectory();
    auto unreadable = dir.getChildFile ("locked.syx");
    unreadable.replaceWithData ("\xf0\x01\xf7", 3);
    unreadable.setReadOnly (true);
    ::chmod (unreadable.getFullPathName().toRawUTF8(), 0);

    struct Case { juce::String path, reason; };
    const auto at = [&] (const char* name) { return dir.getChildFile (name).getFullPathName(); };

    std::vector<Case> cases {
        { at ("good.syx"),    {} },
        { at ("missing.syx"), "\"" + at ("missing.syx") + "\" not found" },
        { at ("empty.syx"),   "\"" + at ("empty.syx") + "\" is empty" },
        { at ("folder.syx"),  "\"" + at ("folder.syx") + "\" is a folder, not a firmware file" },
        { {},                 "--file names no file" },
    };

    // Root reads any file: the unreadable case only means something for a user.
    if (::geteuid() != 0)
        cases.push_back ({ at ("locked.syx"), "\"" + at ("locked.syx") + "\" cannot be read: Permission denied" });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.path);
        EXPECT_EQ (FirmwareFileCheck::whyNotUsable (c.path), c.reason);
    }

    ::chmod (unreadable.getFullPathName().toRawUTF8(), 0600);
}
