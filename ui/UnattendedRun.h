#pragma once

#include <juce_events/juce_events.h>

#include "protocol/UploadTimeLeft.h"

#include <functional>

class FirmwareImage;
class ProtocolBaseClass;

/** The one owner of an auto-update: it follows the protocol, tells the script
    what happens on standard output, says when the program should quit and
    what its exit status is.

    The decision rests on the protocol's own flags, never on its status texts.
*/
class UnattendedRun  : private juce::ChangeListener,
                       private juce::Timer
{
public:
    using LineWriter = std::function<void (const juce::String&)>;

    /** Listens to the protocol until destroyed; quit is called once, on the
        message thread, when the run is over. Lines go to standard output
        unless a writer is given. */
    UnattendedRun (ProtocolBaseClass& protocol, const FirmwareImage& image,
                   std::function<void()> quit, LineWriter writer = {});
    ~UnattendedRun() override;

    /** One of ExitStatus's codes. */
    int getExitStatus() const;

    /** "image: <name> version <v>, <bytes> bytes, <messages> messages, sha256 <hex>":
        new fields go at the end, so a script that reads the leading ones still can. */
    static juce::String describeImage (const FirmwareImage& image);

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void timerCallback() override;
    void writeNews();
    void noteStartIfRunning();
    void quitOnce();

    ProtocolBaseClass& protocol;
    const FirmwareImage& image;
    std::function<void()> quit;
    LineWriter writeLine;
    const UploadTimeLeft timeLeft;

    bool started = false, allMessagesSent = false, quitRequested = false;
    juce::String lastStatus;
    int lastPercent = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UnattendedRun)
};
