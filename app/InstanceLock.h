#pragma once

#include <juce_core/juce_core.h>

/** One running instance per user.

    JUCE's own lock is a file in /var/tmp shared by every user of the machine;
    this one lives in the user's runtime folder ($XDG_RUNTIME_DIR, else the home
    folder), or in $BREVANE_LOCK_DIR when that is set, so that tests can keep
    theirs apart. The lock is held until the object goes, or the process ends.
*/
class InstanceLock
{
public:
    InstanceLock();
    ~InstanceLock();

    /** False when another instance of the same user holds the lock. */
    bool isHeld() const noexcept    { return held; }

    /** The file the lock is taken on. */
    static juce::File getLockFile();

private:
    int descriptor = -1;
    bool held = false;

    JUCE_DECLARE_NON_COPYABLE (InstanceLock)
};
