#pragma once

// Windows only: a window program starts without a console, even when it was
// started from cmd.exe or PowerShell. JUCE attaches to the parent's console,
// but not when built with MinGW, so the program does it itself.
namespace WindowsConsole
{
    // Joins the parent's console for each standard stream that is not already
    // going somewhere (a redirection or a pipe keeps its own target).
    void attachToParent();
}
