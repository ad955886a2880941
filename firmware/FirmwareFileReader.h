#pragma once

#include <juce_core/juce_core.h>

/** Reads a firmware file whole, whatever kind of file it is.

    Regular files, pipes, FIFOs and character devices are all read to their
    end, never by the size they report, and never past maxBytes. A pipe that
    stays silent is not waited on for ever, and a failure keeps the system's
    own reason, so the caller can tell the user why a file is not used.
*/
namespace FirmwareFileReader
{
    /** No SysEx firmware comes near this: at 300 ms a message it takes hours. */
    constexpr juce::int64 maxBytes = 16 * 1024 * 1024;

    /** How long a pipe, FIFO or device may stay silent, also before any writer has opened it. */
    constexpr int defaultSilenceTimeoutMs = 10000;

    enum class Outcome
    {
        read,               // bytes holds the whole content, at least one byte of it
        emptyFile,          // an existing regular file of 0 bytes
        emptyStream,        // a pipe, FIFO or device that ended before its first byte
        notFound,           // no such file (also an empty path)
        isDirectory,
        permissionDenied,
        tooLarge,           // more than maxBytes
        noWriter,           // a pipe, FIFO or device that gave nothing for the whole wait
        failed              // any other failure; the reason says which
    };

    struct Result
    {
        Outcome outcome = Outcome::failed;
        juce::MemoryBlock bytes;    // empty unless the outcome is read
        juce::String reason;        // the system's words, e.g. "Permission denied"; empty after a read

        bool wasRead() const noexcept   { return outcome == Outcome::read; }

        /** One line for the user naming the file as it was given, e.g.
            "File x.syx not found", "File x.syx is larger than 16 MiB",
            "File x.syx cannot be read: Permission denied". Empty after a read. */
        juce::String describe (const juce::String& path) const;
    };

    /** Reads the file a command line names; a relative path is taken from the
        working directory. Blocks for at most silenceTimeoutMs at a time. */
    Result read (const juce::String& path, int silenceTimeoutMs = defaultSilenceTimeoutMs);

    /** The file a command-line path names: a relative one lies in the working directory. */
    juce::File resolve (const juce::String& path);
}
