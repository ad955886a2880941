#include <gtest/gtest.h>

#include "firmware/FirmwareFileReader.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <optional>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Outcome = FirmwareFileReader::Outcome;

namespace
{
    std::vector<juce::uint8> pattern (size_t numBytes)
    {
        std::vector<juce::uint8> bytes (numBytes);

        for (size_t i = 0; i < numBytes; ++i)
            bytes[i] = (juce::uint8) (i * 7 + i / 251);

        return bytes;
    }

    void writeAll (int fd, const std::vector<juce::uint8>& bytes)
    {
        // A reader that has gone makes write() fail with EPIPE here instead of killing the test.
        sigset_t pipeSignal;
        sigemptyset (&pipeSignal);
        sigaddset (&pipeSignal, SIGPIPE);
        pthread_sigmask (SIG_BLOCK, &pipeSignal, nullptr);

        for (size_t done = 0; done < bytes.size();)
        {
            const auto n = ::write (fd, bytes.data() + done, bytes.size() - done);

            if (n <= 0)
                break;

            done += (size_t) n;
        }
    }

    /** A folder of its own, and the writers some cases need, cleaned up even when a case fails. */
    class Scene
    {
    public:
        Scene()   { folder.getFile().createDirectory(); }

        ~Scene()
        {
            // Writers whose reader has gone end: a pipe's write fails, and a
            // FIFO writer still waiting for a reader is let through by one.
            for (auto fd : descriptors)
                ::close (fd);

            while (writersRunning > 0)
            {
                for (auto& fifo : fifos)
                    if (const auto fd = ::open (fifo.toRawUTF8(), O_RDONLY | O_NONBLOCK); fd >= 0)
                        ::close (fd);

                std::this_thread::sleep_for (std::chrono::milliseconds (5));
            }

            for (auto& w : writers)
                w.join();

            folder.getFile().deleteRecursively();
        }

        juce::File file (const char* name) const   { return folder.getFile().getChildFile (name); }

        juce::String regularFile (const char* name, const std::vector<juce::uint8>& bytes)
        {
            const auto f = file (name);
            f.create();   // replaceWithData would delete a file for no bytes

            if (! bytes.empty())
                f.replaceWithData (bytes.data(), bytes.size());

            return f.getFullPathName();
        }

        juce::String sparseFile (const char* name, juce::int64 size)
        {
            const auto path = file (name).getFullPathName();
            const auto fd = ::open (path.toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            EXPECT_GE (fd, 0);
            EXPECT_EQ (::ftruncate (fd, (off_t) size), 0);
            ::close (fd);
            return path;
        }

        /** A FIFO; with writeWhenOpened, a writer opens it, writes those bytes (maybe none) and closes it. */
        juce::String fifo (const char* name, std::optional<std::vector<juce::uint8>> writeWhenOpened)
        {
            const auto path = file (name).getFullPathName();
            EXPECT_EQ (::mkfifo (path.toRawUTF8(), 0600), 0);
            fifos.add (path);

            if (writeWhenOpened)
                startWriter ([path, bytes = *writeWhenOpened]
                {
                    const auto fd = ::open (path.toRawUTF8(), O_WRONLY);   // waits for the reader

                    if (fd >= 0)
                    {
                        writeAll (fd, bytes);
                        ::close (fd);
                    }
                });

            return path;
        }

        /** An anonymous pipe, named as a shell's process substitution names it. */
        juce::String pipe (const std::vector<juce::uint8>& bytes)
        {
            int ends[2];
            EXPECT_EQ (::pipe (ends), 0);
            descriptors.push_back (ends[0]);

            startWriter ([fd = ends[1], bytes]
            {
                writeAll (fd, bytes);
                ::close (fd);
            });

            return "/dev/fd/" + juce::String (ends[0]);
        }

    private:
        void startWriter (std::function<void()> write)
        {
            ++writersRunning;
            writers.emplace_back ([this, write]
            {
                write();
                --writersRunning;
            });
        }

        juce::TemporaryFile folder;
        std::atomic<int> writersRunning { 0 };
        juce::StringArray fifos;
        std::vector<std::thread> writers;
        std::vector<int> descriptors;
    };

    struct Case
    {
        const char* name;
        std::function<juce::String (Scene&)> makePath;
        Outcome outcome;
        std::optional<std::vector<juce::uint8>> bytes;   // what a read must give
        const char* describes;                           // the user's line, PATH standing for the path
    };

    const auto someBytes = pattern (300);
    const auto moreThanAPipeHolds = pattern (200000);
    constexpr juce::int64 mebibyte = 1024 * 1024;

    const Case cases[] =
    {
        { "regular file",          [] (Scene& s) { return s.regularFile ("a.syx", someBytes); },
          Outcome::read, someBytes, "" },
        { "empty regular file",    [] (Scene& s) { return s.regularFile ("empty.syx", {}); },
          Outcome::emptyFile, std::nullopt, "File PATH is empty" },
        { "missing file",          [] (Scene& s) { return s.file ("absent.syx").getFullPathName(); },
          Outcome::notFound, std::nullopt, "File PATH not found" },
        { "path through a file",   [] (Scene& s) { return s.regularFile ("a.syx", someBytes) + "/b.syx"; },
          Outcome::notFound, std::nullopt, "File PATH not found" },
        { "empty path",            [] (Scene&) { return juce::String(); },
          Outcome::notFound, std::nullopt, "File PATH not found" },
        { "directory",             [] (Scene& s) { return s.file ("").getFullPathName(); },
          Outcome::isDirectory, std::nullopt, "File PATH cannot be read: Is a directory" },
        { "FIFO with a writer",    [] (Scene& s) { return s.fifo ("fifo", moreThanAPipeHolds); },
          Outcome::read, moreThanAPipeHolds, "" },
        { "FIFO whose writer writes nothing", [] (Scene& s) { return s.fifo ("fifo", std::vector<juce::uint8>()); },
          Outcome::emptyStream, std::nullopt, "File PATH is empty" },
        { "FIFO without a writer", [] (Scene& s) { return s.fifo ("fifo", std::nullopt); },
          Outcome::noWriter, std::nullopt, "File PATH cannot be read: nothing was written to it within 1 s" },
        { "pipe",                  [] (Scene& s) { return s.pipe (moreThanAPipeHolds); },
          Outcome::read, moreThanAPipeHolds, "" },
        { "file in /proc",         [] (Scene&) { return juce::String ("/proc/self/status"); },
          Outcome::read, std::nullopt, "" },
        { "/dev/null",             [] (Scene&) { return juce::String ("/dev/null"); },
          Outcome::emptyStream, std::nullopt, "File PATH is empty" },
        { "/dev/zero",             [] (Scene&) { return juce::String ("/dev/zero"); },
          Outcome::tooLarge, std::nullopt, "File PATH is larger than 16 MiB" },
        { "exactly 16 MiB",        [] (Scene& s) { return s.sparseFile ("16m.syx", 16 * mebibyte); },
          Outcome::read, std::vector<juce::uint8> ((size_t) (16 * mebibyte)), "" },
        { "one byte over 16 MiB",  [] (Scene& s) { return s.sparseFile ("16m1.syx", 16 * mebibyte + 1); },
          Outcome::tooLarge, std::nullopt, "File PATH is larger than 16 MiB" },
        { "sparse 3 GB file",      [] (Scene& s) { return s.sparseFile ("3g.syx", 3000 * 1000 * (juce::int64) 1000); },
          Outcome::tooLarge, std::nullopt, "File PATH is larger than 16 MiB" },
        { "sparse 4 GiB + 1 file", [] (Scene& s) { return s.sparseFile ("4g.syx", 4096 * mebibyte + 1); },
          Outcome::tooLarge, std::nullopt, "File PATH is larger than 16 MiB" },
    };
}

TEST (FirmwareFileReader, ReadsEveryKindOfFileToItsEndOrSaysWhyNot)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        Scene scene;
        const auto path = c.makePath (scene);

        // Short, so that the FIFO nobody writes to costs little; the reason still names whole seconds.
        const auto result = FirmwareFileReader::read (path, 300);

        EXPECT_EQ (result.outcome, c.outcome) << result.reason;
        EXPECT_EQ (result.wasRead(), c.outcome == Outcome::read);
        EXPECT_EQ (result.describe (path), juce::String (c.describes).replace ("PATH", path));

        if (c.bytes)
        {
            EXPECT_TRUE (result.bytes == juce::MemoryBlock (c.bytes->data(), c.bytes->size()))
                << "read " << result.bytes.getSize() << " bytes";
        }

        if (c.outcome != Outcome::read)
            EXPECT_EQ (result.bytes.getSize(), 0u);
        else
            EXPECT_GT (result.bytes.getSize(), 0u);
    }
}

TEST (FirmwareFileReader, TakesARelativePathFromTheWorkingDirectory)
{
    Scene scene;
    scene.regularFile ("relative.syx", someBytes);
    const auto previous = juce::File::getCurrentWorkingDirectory();
    scene.file ("").setAsCurrentWorkingDirectory();

    const auto result = FirmwareFileReader::read ("relative.syx");
    previous.setAsCurrentWorkingDirectory();

    EXPECT_EQ (result.outcome, Outcome::read);
    EXPECT_EQ (result.bytes.getSize(), someBytes.size());
}

// Root reads any file, so the unreadable case runs as the unprivileged user
// nobody (65534) in a child process, as setpriv --reuid=65534 would.
TEST (FirmwareFileReader, AnUnreadableFileIsPermissionDeniedNotEmpty)
{
    Scene scene;
    const auto path = scene.regularFile ("locked.syx", someBytes);
    ASSERT_EQ (::chmod (path.toRawUTF8(), 0), 0);

    if (::geteuid() != 0)
    {
        const auto result = FirmwareFileReader::read (path);
        EXPECT_EQ (result.outcome, Outcome::permissionDenied);
        EXPECT_EQ (result.describe (path), "File " + path + " cannot be read: Permission denied");
        return;
    }

    int answer[2];
    ASSERT_EQ (::pipe (answer), 0);
    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
    {
        ::close (answer[0]);
        char line[256] = "cannot become nobody";

        if (::setgroups (0, nullptr) == 0 && ::setresgid (65534, 65534, 65534) == 0
             && ::setresuid (65534, 65534, 65534) == 0)
        {
            const auto result = FirmwareFileReader::read (path);
            const auto text = juce::String ((int) result.outcome) + " " + result.describe (path);
            text.copyToUTF8 (line, sizeof (line));
        }

        [[maybe_unused]] const auto written = ::write (answer[1], line, std::strlen (line));
        ::_exit (0);
    }

    ::close (answer[1]);
    char line[256] = {};
    [[maybe_unused]] const auto got = ::read (answer[0], line, sizeof (line) - 1);
    ::close (answer[0]);
    int status = 0;
    ::waitpid (child, &status, 0);

    const juce::String text (line);

    if (text == "cannot become nobody")
        GTEST_SKIP() << "this process may not switch to the user nobody, so no user here is denied the file";

    EXPECT_EQ (text, juce::String ((int) Outcome::permissionDenied) + " File " + path + " cannot be read: Permission denied");
}
