/* Records what arrives on a raw MIDI device, with the time of arrival, so that
   the pacing of an upload can be measured at the receiving end rather than
   trusted from the sender's clock. Built static: it runs inside a bare
   initramfs that has no C library of its own to offer.

   usage: midi-timestamps DEVICE PREFIX
   Writes PREFIX.syx (every byte received, unchanged) and PREFIX.log, one line
   per SysEx message: "<first byte ms> <last byte ms> <length>", times on
   CLOCK_MONOTONIC. PREFIX.ready appears once the device is open. Runs until
   SIGTERM or SIGINT. */

#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
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

    FILE* bytes = openOut (argv[2], ".syx", "wb");
    FILE* log = openOut (argv[2], ".log", "w");
    fclose (openOut (argv[2], ".ready", "w"));

    double first = 0.0, last = 0.0;
    long length = 0;   /* bytes of the message under way; 0 outside one */
    unsigned char buffer[4096];

    while (! stopRequested)
    {
        ssize_t n = read (fd, buffer, sizeof buffer);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
            break;

        /* Every byte of one read arrived together: they share its time. */
        const double t = nowMs();
        fwrite (buffer, 1, (size_t) n, bytes);

        for (ssize_t i = 0; i < n; ++i)
        {
            if (buffer[i] == 0xF0)
            {
                if (length > 0)   /* a message cut short: keep it visible */
                    fprintf (log, "%.3f %.3f %ld unterminated\n", first, last, length);

                first = t;
                length = 0;
            }

            if (buffer[i] == 0xF0 || length > 0)
            {
                ++length;
                last = t;
            }

            if (buffer[i] == 0xF7 && length > 0)
            {
                fprintf (log, "%.3f %.3f %ld\n", first, last, length);
                length = 0;
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
