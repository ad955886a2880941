#include "WindowsConsole.h"

#include <juce_core/juce_core.h>

#if JUCE_WINDOWS

#include <cstdio>
#include <windows.h>

namespace WindowsConsole
{
    namespace
    {
        bool isConnected (DWORD which)
        {
            const auto handle = GetStdHandle (which);
            return handle != nullptr && handle != INVALID_HANDLE_VALUE;
        }
    }

    void attachToParent()
    {
        const bool outConnected = isConnected (STD_OUTPUT_HANDLE);
        const bool errConnected = isConnected (STD_ERROR_HANDLE);

        if (outConnected && errConnected)
            return;

        // Started from Explorer there is no console to join, and none is wanted.
        if (AttachConsole (ATTACH_PARENT_PROCESS) == 0)
            return;

        if (! outConnected)
            std::freopen ("CONOUT$", "w", stdout);

        if (! errConnected)
            std::freopen ("CONOUT$", "w", stderr);

        // The program writes UTF-8; a file name in a message stays readable.
        SetConsoleOutputCP (CP_UTF8);
    }
}

#endif
