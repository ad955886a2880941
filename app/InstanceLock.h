#pragma once

#include <juce_core/juce_core.h>

/** One running instance per user, and a lock that fails closed.

    JUCE's own lock is a file in /var/tmp shared by every user of the machine;
    this one is ".brevane.lock" in the user's home folder as the system's user
    database gives it, so that a run from cron or ssh, with another
    environment, takes the same lock as one from the desktop. BREVANE_LOCK_DIR
    names another folder for it, so that tests can keep theirs apart.

    The file is opened without following a symbolic link and must be a
    regular file of the user's own; anything else, or a lock that cannot be
    taken at all, is never taken for a lock held. The lock is held until the
    object goes, or the process ends.
*/
class InstanceLock
{
public:
    InstanceLock();
    ~InstanceLock();

    enum class State
    {
        held,
        heldByAnother,    // another instance of the same user runs
        unavailable       // the lock could not be taken; getProblem() says why
    };

    State getState() const noexcept     { return state; }
    bool isHeld() const noexcept        { return state == State::held; }

    /** E.g. "the single-instance lock /home/u/.brevane.lock cannot be taken: it
        is a symbolic link"; empty unless unavailable. */
    juce::String getProblem() const     { return problem; }

    /** The file the lock is taken on; a nonexistent File when none can be named. */
    static juce::File getLockFile();

private:
    int descriptor = -1;
    State state = State::unavailable;
    juce::String problem;

    JUCE_DECLARE_NON_COPYABLE (InstanceLock)
};
