#include "SupportRecord.h"

#include "ui/UnattendedRun.h"
#include "device/InterfaceBaseClass.h"
#include "device/MidiDeviceLayer.h"
#include "firmware/SysexFraming.h"
#include "protocol/ProtocolBaseClass.h"
#include "ui/Alerts.h"
#include "ui/ConsoleLine.h"

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#if JUCE_WINDOWS
 #include <juce_core/juce_core.h>
#else
 #include <cerrno>
 #include <csignal>
 #include <cstring>
 #include <fcntl.h>
 #include <sys/stat.h>
 #include <sys/utsname.h>
 #include <unistd.h>
#endif

namespace
{
    void sayOnStandardError (const juce::String& text)
    {
        ConsoleLine::write (stderr, text);
    }

    /** One line of plain text, its control characters written out as on the
        console, so that no text can fake a line of its own. */
    std::string asRecordLine (const juce::String& text)
    {
        return (ConsoleLine::escape (text) + "\n").toStdString();
    }

    /** The system as support needs it: its name, and on POSIX systems the
        kernel's release and the machine. */
    juce::String describePlatform()
    {
        auto platform = juce::SystemStats::getOperatingSystemName()
                      + (juce::SystemStats::isOperatingSystem64Bit() ? ", 64-bit" : ", 32-bit");
       #if ! JUCE_WINDOWS
        struct utsname names {};

        if (::uname (&names) == 0)
            platform << " (" << names.sysname << " " << names.release << " " << names.machine << ")";
       #endif
        return platform;
    }

    // The file, opened once for appending. Only the writer thread writes to
    // it once the opening lines are in.
   #if JUCE_WINDOWS
    class RecordFile
    {
    public:
        static std::unique_ptr<RecordFile> open (const juce::String& path, juce::String& problem)
        {
            const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (path);

            if (file.isSymbolicLink())
                { problem = "is a symbolic link, which a record never follows"; return {}; }

            if (file.isDirectory())
                { problem = "is a directory"; return {}; }

            // JUCE's stream appends: it starts at the end and never truncates.
            auto stream = std::make_unique<juce::FileOutputStream> (file, 0);

            if (! stream->openedOk())
                { problem = "cannot be opened for appending: " + stream->getStatus().getErrorMessage(); return {}; }

            return std::unique_ptr<RecordFile> (new RecordFile (std::move (stream)));
        }

        bool write (const std::string& bytes, juce::String& problem)
        {
            if (stream->write (bytes.data(), bytes.size()) && (stream->flush(), stream->getStatus().wasOk()))
                return true;

            problem = stream->getStatus().failed() ? stream->getStatus().getErrorMessage() : juce::String ("write failed");
            return false;
        }

    private:
        explicit RecordFile (std::unique_ptr<juce::FileOutputStream> s)  : stream (std::move (s)) {}
        std::unique_ptr<juce::FileOutputStream> stream;
    };
   #else
    class RecordFile
    {
    public:
        static std::unique_ptr<RecordFile> open (const juce::String& path, juce::String& problem)
        {
            // Not a signal that ends the program when the file reaches its
            // size limit: a failed write, which the upload outlives.
            std::signal (SIGXFSZ, SIG_IGN);

            // O_NONBLOCK only for the opening: a FIFO without a reader must not hang it.
            const auto fd = ::open (path.toRawUTF8(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);

            if (fd < 0)
            {
                const auto error = errno;
                struct stat link {};

                if (error == ELOOP && ::lstat (path.toRawUTF8(), &link) == 0 && S_ISLNK (link.st_mode))
                    problem = "is a symbolic link, which a record never follows";
                else if (error == EISDIR)
                    problem = "is a directory";
                else
                    problem = "cannot be opened for appending: " + juce::String (std::strerror (error));

                return {};
            }

            struct stat info {};
            const auto statted = ::fstat (fd, &info) == 0;

            if (! statted || ! (S_ISREG (info.st_mode) || S_ISCHR (info.st_mode)))
            {
                ::close (fd);
                problem = "is not a plain file";
                return {};
            }

            ::fcntl (fd, F_SETFL, ::fcntl (fd, F_GETFL) & ~O_NONBLOCK);
            return std::unique_ptr<RecordFile> (new RecordFile (fd));
        }

        ~RecordFile()   { ::close (fd); }

        bool write (const std::string& bytes, juce::String& problem)
        {
            size_t done = 0;

            while (done < bytes.size())
            {
                const auto n = ::write (fd, bytes.data() + done, bytes.size() - done);

                if (n < 0 && errno == EINTR)
                    continue;

                if (n <= 0)
                {
                    problem = n < 0 ? juce::String (std::strerror (errno)) : juce::String ("nothing was written");
                    return false;
                }

                done += (size_t) n;
            }

            return true;
        }

    private:
        explicit RecordFile (int fileDescriptor)  : fd (fileDescriptor) {}
        const int fd;
    };
   #endif
}

//==============================================================================
/** Takes lines from whatever thread and writes them in order on a thread of
    its own, each after the time it was handed over. A message's line is only
    put into words there: the upload hands over its figures and goes on. */
class SupportRecord::Writer
{
public:
    Writer (const juce::String& pathToName, std::unique_ptr<RecordFile> f)
        : path (pathToName), file (std::move (f)), originMs (juce::Time::getMillisecondCounterHiRes())
    {
    }

    ~Writer()
    {
        stop();
    }

    /** On the caller's thread, before the writer thread runs: false when the file takes nothing. */
    bool writeNow (const juce::String& text, juce::String& problem)
    {
        return file->write (asRecordLine (text), problem);
    }

    void start()
    {
        thread = std::thread ([this] { run(); });
    }

    /** Hands the line over; never waits for the disk. */
    void add (const juce::String& text)
    {
        Entry entry;
        entry.atMs = juce::Time::getMillisecondCounterHiRes();
        entry.text = text;
        hand (std::move (entry));
    }

    void addMessage (const UploadObserver::SentMessage& message)
    {
        Entry entry;
        entry.atMs = juce::Time::getMillisecondCounterHiRes();
        entry.isMessage = true;
        entry.message = message;
        hand (std::move (entry));
    }

    void waitUntilWritten()
    {
        std::unique_lock<std::mutex> lock (mutex);
        written.wait (lock, [this] { return (pending.empty() && ! writing) || ! thread.joinable(); });
    }

    void stop()
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            stopping = true;
        }

        wake.notify_one();

        if (thread.joinable())
            thread.join();
    }

    int getLinesLost() const      { const std::lock_guard<std::mutex> lock (mutex); return linesLost; }
    juce::String getProblem() const { const std::lock_guard<std::mutex> lock (mutex); return problem; }

private:
    struct Entry
    {
        double atMs = 0.0;
        juce::String text;
        bool isMessage = false;
        UploadObserver::SentMessage message;
    };

    void hand (Entry&& entry)
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            pending.push_back (std::move (entry));
        }

        wake.notify_one();
    }

    juce::String stamp (double counterMs) const
    {
        return juce::String (counterMs - originMs, 3);
    }

    std::string describe (const Entry& entry) const
    {
        auto text = entry.text;

        if (entry.isMessage)
        {
            const auto& m = entry.message;
            text = "message " + juce::String (m.number) + ": " + juce::String (m.length) + " bytes, send began "
                 + stamp (m.sendBeganMs) + ", returned " + stamp (m.sendReturnedMs)
                 + (m.reachedDevice ? ", rest " + juce::String (m.restEndedMs - m.sendReturnedMs, 3)
                                    : juce::String (": the device was gone"));
        }

        return asRecordLine (stamp (entry.atMs).paddedLeft (' ', 11) + " " + text);
    }

    void run()
    {
        std::unique_lock<std::mutex> lock (mutex);

        for (;;)
        {
            wake.wait (lock, [this] { return stopping || ! pending.empty(); });

            if (pending.empty())
                break;

            const auto entry = std::move (pending.front());
            pending.pop_front();
            writing = true;
            lock.unlock();

            juce::String why;
            const auto ok = file->write (describe (entry), why);

            lock.lock();
            writing = false;

            if (! ok)
            {
                if (linesLost++ == 0)
                {
                    problem = why;
                    sayOnStandardError ("brevane: the record " + path + " cannot be written (" + why
                                          + "); the upload goes on without it");
                }
            }

            if (pending.empty())
                written.notify_all();
        }

        written.notify_all();
    }

    const juce::String path;
    std::unique_ptr<RecordFile> file;
    const double originMs;

    mutable std::mutex mutex;
    std::condition_variable wake, written;
    std::deque<Entry> pending;
    bool stopping = false, writing = false;
    int linesLost = 0;
    juce::String problem;
    std::thread thread;
};

//==============================================================================
std::unique_ptr<SupportRecord> SupportRecord::open (const juce::String& pathToOpen, const juce::String& commandLine,
                                                    juce::String& problem)
{
    const auto path = pathToOpen.trim();

    if (path.isEmpty())
    {
        problem = "--log needs the name of a file";
        return {};
    }

    juce::String why;
    auto file = RecordFile::open (path, why);

    if (file == nullptr)
    {
        problem = path + " " + why;
        return {};
    }

    auto writer = std::make_unique<Writer> (path, std::move (file));

    // Written before anything is sent, and on this thread, so that a file
    // that takes nothing (a full disk) is refused before the upload starts.
    const juce::String opening[] =
    {
        "== Brevane support record, opened " + juce::Time::getCurrentTime().toISO8601 (true),
        "program: Brevane " JUCE_APPLICATION_VERSION_STRING,
        "platform: " + describePlatform(),
        "MIDI: " + describeMidiDeviceLayer(),
        "command line: " + commandLine,
        "times: milliseconds since the record was opened",
    };

    for (const auto& line : opening)
    {
        if (! writer->writeNow (line, why))
        {
            problem = path + " cannot be written: " + why;
            return {};
        }
    }

    writer->start();
    return std::unique_ptr<SupportRecord> (new SupportRecord (path, std::move (writer)));
}

SupportRecord::SupportRecord (const juce::String& pathOpened, std::unique_ptr<Writer> writerToUse)
    : path (pathOpened),
      writer (std::move (writerToUse))
{
    Alerts::setWitness ([this] (const Alerts::Shown& box)
    {
        add ("box: " + (box.title.isEmpty() ? juce::String() : box.title + ": ") + box.message);
    });
}

SupportRecord::~SupportRecord()
{
    Alerts::setWitness ({});

    // Still following: the protocol outlives the record and must not tell it of another message.
    if (protocol != nullptr)
        protocol->setUploadObserver (nullptr);

    stopFollowing();
    writer->stop();
}

//==============================================================================
void SupportRecord::follow (ProtocolBaseClass* protocolToFollow, const FirmwareImage* image,
                            InterfaceBaseClass* interfaceToFollow)
{
    deviceInterface = interfaceToFollow;

    if (deviceInterface != nullptr)
    {
        noteDevice();
        deviceInterface->addChangeListener (this);
    }

    if (image != nullptr)
    {
        numMessages = SysexFraming::scan (image->getData(), image->getSize()).messageLengths.size();
        add (UnattendedRun::describeImage (*image));
    }

    protocol = protocolToFollow;

    if (protocol != nullptr)
    {
        protocol->setUploadObserver (this);
        protocol->addChangeListener (this);
        changeListenerCallback (protocol);   // a status set before now
    }
}

void SupportRecord::stopFollowing()
{
    if (deviceInterface != nullptr)
    {
        deviceInterface->removeChangeListener (this);
        deviceInterface = nullptr;
    }

    if (protocol != nullptr)
    {
        changeListenerCallback (protocol);   // a status not yet delivered

        const juce::ScopedLock sl (stateLock);
        completed = protocol->lastRunCompleted();
        failed = protocol->lastRunFailed();
        started = started || completed || failed || protocol->isThreadRunning();
        protocol->removeChangeListener (this);

        // It stays the protocol's observer: a message still on its way is noted.
        protocol = nullptr;
    }
}

void SupportRecord::finish (int exitStatus)
{
    juce::String outcome;

    {
        const juce::ScopedLock sl (stateLock);
        const auto sent = juce::String (messagesDelivered) + " of " + juce::String (numMessages) + " messages";

        if (completed)
            outcome = "every message was sent (" + sent + ")";
        else if (failed)
            outcome = "the upload failed after " + sent + ": " + lastStatus;
        else if (started)
            outcome = "the upload stopped after " + sent;
        else
            outcome = "no upload was started";
    }

    add ("outcome: " + outcome);
    add ("exit status: " + juce::String (exitStatus));
    writer->waitUntilWritten();

    if (const auto lost = writer->getLinesLost(); lost > 0)
    {
        const auto note = juce::String (lost) + (lost == 1 ? " line" : " lines") + " of this record could not be written ("
                        + writer->getProblem() + ")";
        add ("note: " + note);
        sayOnStandardError ("brevane: the record " + path + " is incomplete: " + note);
    }

    add ("== end of record");
    writer->waitUntilWritten();
}

void SupportRecord::flush()
{
    writer->waitUntilWritten();
}

//==============================================================================
void SupportRecord::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == deviceInterface && deviceInterface != nullptr)
    {
        noteDevice();
        return;
    }

    if (protocol == nullptr || source != protocol)
        return;

    // Progress arrives on the upload thread, under the message-thread lock:
    // no more here than comparing a text.
    const auto status = protocol->getStatus();
    const juce::ScopedLock sl (stateLock);

    if (status.isNotEmpty() && status != lastStatus)
    {
        lastStatus = status;
        add ("status: " + status);
    }
}

void SupportRecord::messageSent (const SentMessage& message)
{
    {
        const juce::ScopedLock sl (stateLock);

        if (message.number == 1)
            messagesDelivered = 0;

        started = true;

        if (message.reachedDevice)
            messagesDelivered = message.number;
    }

    writer->addMessage (message);
}

//==============================================================================
void SupportRecord::add (const juce::String& text)
{
    writer->add (text);
}

void SupportRecord::noteDevice()
{
    const auto device = deviceInterface->getOutputName().isEmpty()
                          ? juce::String ("device: none open")
                          : "device: " + deviceInterface->getOutputName()
                              + " (identifier " + deviceInterface->getOutputIdentifier() + ")";

    const juce::ScopedLock sl (stateLock);

    if (device != lastDevice)
    {
        lastDevice = device;
        add (device);
    }
}
