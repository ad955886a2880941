#include "FirmwareFileReader.h"

#include <cerrno>
#include <cstring>

#if ! JUCE_WINDOWS
 #include <fcntl.h>
 #include <poll.h>
 #include <sys/stat.h>
 #include <unistd.h>
#endif

namespace FirmwareFileReader
{
    namespace
    {
        Result failure (Outcome outcome, const juce::String& reason)
        {
            Result result;
            result.outcome = outcome;
            result.reason = reason;
            return result;
        }

        Result tooLarge()
        {
            return failure (Outcome::tooLarge, "larger than 16 MiB");
        }

        /** Grows by doubling, so that reading to an unknown end stays linear. */
        class Buffer
        {
        public:
            explicit Buffer (size_t initialCapacity)
            {
                block.setSize (juce::jmax ((size_t) 1, initialCapacity));
            }

            /** Room for at least one more byte, never beyond one byte over the limit. */
            juce::uint8* freeSpace (size_t& available)
            {
                constexpr auto ceiling = (size_t) maxBytes + 1;

                if (used == block.getSize())
                    block.setSize (juce::jmin (ceiling, juce::jmax (used * 2, (size_t) 65536)));

                available = block.getSize() - used;
                return static_cast<juce::uint8*> (block.getData()) + used;
            }

            void commit (size_t numBytes)          { used += numBytes; }
            size_t size() const noexcept           { return used; }

            juce::MemoryBlock take()
            {
                block.setSize (used);
                return std::move (block);
            }

        private:
            juce::MemoryBlock block;
            size_t used = 0;
        };

        Result finish (Buffer& buffer, bool regularFile)
        {
            if (buffer.size() == 0)
                return failure (regularFile ? Outcome::emptyFile : Outcome::emptyStream, "empty");

            Result result;
            result.outcome = Outcome::read;
            result.bytes = buffer.take();
            return result;
        }

       #if ! JUCE_WINDOWS
        juce::String silenceReason (int silenceTimeoutMs)
        {
            const auto seconds = juce::jmax (1, (silenceTimeoutMs + 999) / 1000);
            return "nothing was written to it within " + juce::String (seconds) + " s";
        }

        Result failureFromErrno (int error)
        {
            const juce::String reason (std::strerror (error));

            switch (error)
            {
                case ENOENT:
                case ENOTDIR:   return failure (Outcome::notFound, reason);
                case EISDIR:    return failure (Outcome::isDirectory, reason);
                case EACCES:
                case EPERM:     return failure (Outcome::permissionDenied, reason);
                case EFBIG:
                case EOVERFLOW: return tooLarge();
                default:        return failure (Outcome::failed, reason);
            }
        }

        struct ScopedDescriptor
        {
            int fd;
            ~ScopedDescriptor()   { ::close (fd); }
        };

        /** Waits for something to read, or for the writer to leave. False when
            nothing came in time. */
        bool waitForData (int fd, int timeoutMs, int& error)
        {
            const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

            for (;;)
            {
                pollfd p { fd, POLLIN, 0 };
                const auto left = juce::jmax (0, (int) (deadline - juce::Time::getMillisecondCounter()));
                const auto ready = ::poll (&p, 1, left);

                if (ready > 0)
                    return true;

                if (ready == 0)
                    return false;

                if (errno != EINTR)
                {
                    error = errno;
                    return true;
                }
            }
        }

        Result readDescriptor (const juce::File& file, int silenceTimeoutMs)
        {
            // Not blocking in open(): a FIFO would otherwise wait there for a writer without end.
            const int fd = ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);

            if (fd < 0)
                return failureFromErrno (errno);

            const ScopedDescriptor closer { fd };
            struct stat info {};

            if (::fstat (fd, &info) != 0)
                return failureFromErrno (errno);

            if (S_ISDIR (info.st_mode))
                return failureFromErrno (EISDIR);

            const bool regularFile = S_ISREG (info.st_mode);

            // A sparse file of gigabytes is turned away without reading it.
            if (regularFile && (juce::int64) info.st_size > maxBytes)
                return tooLarge();

            // Sized by the file's own report only as a first guess; the end decides.
            Buffer buffer (regularFile ? (size_t) info.st_size + 1 : 65536);

            for (;;)
            {
                // A pipe or FIFO reads as ended while no writer has opened it yet: wait for one first.
                if (! regularFile)
                {
                    int error = 0;

                    if (! waitForData (fd, silenceTimeoutMs, error))
                        return failure (Outcome::noWriter, silenceReason (silenceTimeoutMs));

                    if (error != 0)
                        return failureFromErrno (error);
                }

                size_t available = 0;
                auto* space = buffer.freeSpace (available);
                const auto got = ::read (fd, space, available);

                if (got > 0)
                {
                    buffer.commit ((size_t) got);

                    if ((juce::int64) buffer.size() > maxBytes)
                        return tooLarge();

                    continue;
                }

                if (got == 0)
                    return finish (buffer, regularFile);

                if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
                    return failureFromErrno (errno);
            }
        }
       #else
        Result readStream (const juce::File& file, int)
        {
            if (file.isDirectory())
                return failure (Outcome::isDirectory, "Is a directory");

            if (! file.exists())
                return failure (Outcome::notFound, "No such file or directory");

            juce::FileInputStream stream (file);

            if (stream.failedToOpen())
            {
                const auto reason = stream.getStatus().getErrorMessage();
                return failure (reason.containsIgnoreCase ("denied") ? Outcome::permissionDenied : Outcome::failed, reason);
            }

            if (file.getSize() > maxBytes)
                return tooLarge();

            Buffer buffer ((size_t) file.getSize() + 1);

            for (;;)
            {
                size_t available = 0;
                auto* space = buffer.freeSpace (available);
                const auto got = stream.read (space, (int) available);

                if (got <= 0)
                    return finish (buffer, true);

                buffer.commit ((size_t) got);

                if ((juce::int64) buffer.size() > maxBytes)
                    return tooLarge();
            }
        }
       #endif
    }

    juce::File resolve (const juce::String& path)
    {
        if (juce::File::isAbsolutePath (path))
            return juce::File (path);

        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }

    Result read (const juce::String& path, int silenceTimeoutMs)
    {
        if (path.isEmpty())
            return failure (Outcome::notFound, "No such file or directory");

       #if ! JUCE_WINDOWS
        return readDescriptor (resolve (path), silenceTimeoutMs);
       #else
        return readStream (resolve (path), silenceTimeoutMs);
       #endif
    }

    juce::String Result::describe (const juce::String& path) const
    {
        const auto file = "File " + path;

        switch (outcome)
        {
            case Outcome::read:         return {};
            case Outcome::notFound:     return file + " not found";
            case Outcome::tooLarge:     return file + " is larger than 16 MiB";
            case Outcome::emptyFile:
            case Outcome::emptyStream:  return file + " is empty";
            case Outcome::isDirectory:
            case Outcome::permissionDenied:
            case Outcome::noWriter:
            case Outcome::failed:       break;
        }

        return file + " cannot be read: " + reason;
    }
}
