/* Records what arrives on a raw MIDI device, with the time of arrival, so that
   the pacing of an upload can be measured at the receiving end rather than
   trusted from the sender's clock. Built static: it runs inside a bare
   initramfs that has no C library of its own to offer.

   The kernel stamps the bytes itself where it can (the raw MIDI framing mode
   of Linux 5.14 and later), at the moment the driver hands them on: a reader
   that is scheduled late would otherwise see a gap shrink or grow by its own
   delay. Elsewhere each read is stamped when it returns.

   usage: midi-timestamps DEVICE PREFIX
   Writes PREFIX.syx (every byte received, unchanged) and PREFIX.log: a first
   line "# clock: kernel" or "# clock: read", then one line per SysEx message,
   "<first byte ms> <last byte ms> <length>", times on CLOCK_MONOTONIC.
   PREFIX.ready appears once the device is open. Runs until SIGTERM or SIGINT. */

#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sound/asound.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static volatile sig_atomic_t stopRequested = 0;

static void onStop (int sig)
{
    (void) sig;
    stopRequested = 1;
}

static double nowMs (void)
{
    struct timespec ts;
    clock_gettime (CLOCK_MONOTONIC, &ts);
    return (double) ts.tv_sec * 1000.0 + (double) ts.tv_nsec / 1.0e6;
}

static FILE* openOut (const char* prefix, const char* suffix, const char* mode)
{
    char path[4096];
    snprintf (path, sizeof path, "%s%s", prefix, suffix);
    FILE* f = fopen (path, mode);

    if (f == NULL)
    {
        perror (path);
        exit (2);
    }

    return f;
}

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        fprintf (stderr, "usage: %s DEVICE PREFIX\n", argv[0]);
        return 2;
    }

    /* No SA_RESTART: a stop request must end the blocking read. */
    struct sigaction sa;
    memset (&sa, 0, sizeof sa);
    sa.sa_handler = onStop;
    sigaction (SIGTERM, &sa, NULL);
    sigaction (SIGINT, &sa, NULL);

    int fd = open (argv[1], O_RDONLY);

    if (fd < 0)
    {
        perror (argv[1]);
        return 2;
    }

    struct snd_rawmidi_params params;
    memset (&params, 0, sizeof params);
    params.stream = SNDRV_RAWMIDI_STREAM_INPUT;
    params.buffer_size = 64 * sizeof (struct snd_rawmidi_framing_tstamp) * 16;
    params.avail_min = sizeof (struct snd_rawmidi_framing_tstamp);
    params.mode = SNDRV_RAWMIDI_MODE_FRAMING_TSTAMP | SNDRV_RAWMIDI_MODE_CLOCK_MONOTONIC;
    /* The kernel ignores the mode of a reader that has not said which
       protocol version it speaks. */
    const int version = SNDRV_RAWMIDI_VERSION;
    const int framed = ioctl (fd, SNDRV_RAWMIDI_IOCTL_USER_PVERSION, &version) == 0
                    && ioctl (fd, SNDRV_RAWMIDI_IOCTL_PARAMS, &params) == 0;

    FILE* bytes = openOut (argv[2], ".syx", "wb");
    FILE* log = openOut (argv[2], ".log", "w");
    fprintf (log, "# clock: %s\n", framed ? "kernel" : "read");
    fflush (log);
    fclose (openOut (argv[2], ".ready", "w"));

    double first = 0.0, last = 0.0;
    long length = 0;   /* bytes of the message under way; 0 outside one */
    struct snd_rawmidi_framing_tstamp frames[64];

    while (! stopRequested)
    {
        ssize_t n = read (fd, frames, sizeof frames);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
            break;

        const double readTime = nowMs();
        const int numChunks = framed ? (int) (n / (ssize_t) sizeof frames[0]) : 1;

        for (int c = 0; c < numChunks; ++c)
        {
            /* A frame carries the kernel's time; the bytes of a plain read
               share the time it returned. */
            const unsigned char* data = framed ? frames[c].data : (const unsigned char*) frames;
            const ssize_t count = framed ? frames[c].length : n;
            const double t = framed ? (double) frames[c].tv_sec * 1000.0 + (double) frames[c].tv_nsec / 1.0e6
                                    : readTime;

            if (framed && frames[c].frame_type != 0)
                continue;

            fwrite (data, 1, (size_t) count, bytes);

            for (ssize_t i = 0; i < count; ++i)
            {
                if (data[i] == 0xF0)
                {
                    if (length > 0)   /* a message cut short: keep it visible */
                        fprintf (log, "%.3f %.3f %ld unterminated\n", first, last, length);

                    first = t;
                    length = 0;
                }

                if (data[i] == 0xF0 || length > 0)
                {
                    ++length;
                    last = t;
                }

                if (data[i] == 0xF7 && length > 0)
                {
                    fprintf (log, "%.3f %.3f %ld\n", first, last, length);
                    length = 0;
                }
            }
        }

        fflush (bytes);
        fflush (log);
    }

    if (length > 0)
        fprintf (log, "%.3f %.3f %ld unterminated\n", first, last, length);

    fclose (bytes);
    fclose (log);
    close (fd);
    return 0;
}
