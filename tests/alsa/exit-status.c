/* Runs a Windows program and ends with its exit code, as Windows reports it
   to a parent: the code the program gave, or the exception that ended it
   (0xC0000005, ...), written as "exit code: 0x..." to standard error.

   Under Wine a process that used WinMM on ALSA dies by a signal after it has
   exited (see check-windows.sh), which would hide that code from a Unix
   parent; this parent is a Windows one and gets it from Wine itself.

   usage: exit-status.exe PROGRAM ARGS...   (quoted as Windows quotes them) */
#include <windows.h>
#include <stdio.h>
#include <wchar.h>

int wmain (void)
{
    /* The command line less this program's own name, as it was given. */
    const wchar_t* line = GetCommandLineW();
    int quoted = 0;

    while (*line != 0 && (quoted || (*line != L' ' && *line != L'\t')))
        quoted ^= *line++ == L'"';

    while (*line == L' ' || *line == L'\t')
        ++line;

    wchar_t* command = _wcsdup (line);
    STARTUPINFOW startup = { sizeof startup };
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle (STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle (STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle (STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;

    if (command == NULL || ! CreateProcessW (NULL, command, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
    {
        fprintf (stderr, "exit-status: cannot start the program (error %lu)\n", GetLastError());
        return 255;
    }

    WaitForSingleObject (process.hProcess, INFINITE);
    DWORD code = 255;
    GetExitCodeProcess (process.hProcess, &code);
    fprintf (stderr, "exit code: 0x%08lx\n", code);
    fflush (stderr);
    return (int) code;
}
