#pragma once

#include <juce_events/juce_events.h>

#include "protocol/UploadObserver.h"

#include <memory>

class FirmwareImage;
class InterfaceBaseClass;
class ProtocolBaseClass;

/** A plain-text record of one run for the maker's support, appended to the
    file that --log names: the program, platform and MIDI system, the command
    line, the device, the image, every message with its times, every status
    and every box, and how the run ended.

    Lines reach the file one by one as they happen, each in a write of its
    own, so a crash leaves everything up to it. They are written by a thread
    of the record's own: the upload only hands a line over, and a slow or
    failing disk never holds a message back. A write that fails is said once
    on standard error and noted when the record is finished; the upload goes
    on regardless.
*/
class SupportRecord  : private juce::ChangeListener,
                       private UploadObserver
{
public:
    /** Opens the file for appending and writes the opening lines before
        returning. The file is never truncated, never reached through a
        symbolic link, and must be a plain file (or a device such as
        /dev/null). Null when it cannot be used, with the reason in problem. */
    static std::unique_ptr<SupportRecord> open (const juce::String& path, const juce::String& commandLine,
                                                juce::String& problem);

    ~SupportRecord() override;

    /** From now on notes the device, the image, the upload's statuses and its
        messages; any of them may be null. Message thread. */
    void follow (ProtocolBaseClass* protocol, const FirmwareImage* image, InterfaceBaseClass* deviceInterface);

    /** Notes how the last upload stands and stops listening; call while the
        protocol and the interface still exist. A message still on its way is
        noted all the same, so the record must then outlive the protocol. */
    void stopFollowing();

    /** The outcome and the exit status, and the end of the record. Waits until
        every line has been written (or has failed). */
    void finish (int exitStatus);

    /** Waits until every line handed over so far has been written (or has failed). */
    void flush();

    const juce::String& getPath() const noexcept     { return path; }

private:
    class Writer;

    SupportRecord (const juce::String& path, std::unique_ptr<Writer> writer);

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void messageSent (const SentMessage& message) override;

    void add (const juce::String& text);
    void noteDevice();

    const juce::String path;
    std::unique_ptr<Writer> writer;

    ProtocolBaseClass* protocol = nullptr;
    InterfaceBaseClass* deviceInterface = nullptr;
    int numMessages = 0;

    juce::CriticalSection stateLock;
    juce::String lastStatus, lastDevice;
    int messagesDelivered = 0;
    bool started = false, completed = false, failed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SupportRecord)
};
