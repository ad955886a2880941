/* A small WinMM program of the test's own, to tell Wine's behaviour from the
   updater's: it lists the MIDI outputs and, given one's number, opens it and
   sends a 64-byte SysEx message every 300 ms, printing every return code and
   the number of outputs WinMM lists after each send.

   usage: winmm-probe.exe [INDEX [COUNT]]   (INDEX counts from 0) */
#include <windows.h>
#include <mmsystem.h>
#include <stdio.h>
#include <stdlib.h>

static void list (void)
{
    UINT n = midiOutGetNumDevs(), i;
    printf ("outputs: %u\n", n);
    for (i = 0; i < n; ++i)
    {
        MIDIOUTCAPSW caps;
        MMRESULT r = midiOutGetDevCapsW (i, &caps, sizeof caps);
        printf ("  %u: r=%u %ls\n", i, r, r == 0 ? caps.szPname : L"?");
    }
    fflush (stdout);
}

int main (int argc, char** argv)
{
    list();
    if (argc < 2)
        return 0;

    UINT index = (UINT) atoi (argv[1]);
    int count = argc > 2 ? atoi (argv[2]) : 10;
    HMIDIOUT out;
    MMRESULT r = midiOutOpen (&out, index, 0, 0, CALLBACK_NULL);
    printf ("open %u: %u\n", index, r);
    fflush (stdout);
    if (r != 0)
        return 1;

    static char msg[64];
    msg[0] = (char) 0xF0; msg[1] = 0x7D; msg[63] = (char) 0xF7;

    for (int k = 0; k < count; ++k)
    {
        MIDIHDR h = {0};
        h.lpData = msg;
        h.dwBufferLength = h.dwBytesRecorded = sizeof msg;
        MMRESULT p = midiOutPrepareHeader (out, &h, sizeof h);
        MMRESULT l = midiOutLongMsg (out, &h, sizeof h);
        int waited = 0;
        while ((h.dwFlags & MHDR_DONE) == 0 && waited < 2000) { Sleep (1); ++waited; }
        MMRESULT u = midiOutUnprepareHeader (out, &h, sizeof h);
        MMRESULT s = midiOutShortMsg (out, 0x00F8);
        printf ("send %d: prepare %u long %u done after %d ms unprepare %u short %u devs %u\n",
                k, p, l, waited, u, s, midiOutGetNumDevs());
        fflush (stdout);
        Sleep (300);
    }

    printf ("close: %u\n", midiOutClose (out));
    fflush (stdout);
    return 0;
}
