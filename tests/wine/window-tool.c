/* The smoke test's hands inside Wine, where the program's windows live on
   Wine's virtual desktop and X tools cannot reach them.
     window-tool find TITLE SECONDS   prints the window's screen rectangle: x y width height
     window-tool close TITLE          asks the window to close, as its close button does */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

static HWND waitForWindow (const wchar_t* title, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i)
    {
        HWND window = FindWindowW (NULL, title);

        if (window != NULL && IsWindowVisible (window))
            return window;

        Sleep (100);
    }

    return NULL;
}

int wmain (int argc, wchar_t* argv[])
{
    if (argc >= 4 && wcscmp (argv[1], L"find") == 0)
    {
        HWND window = waitForWindow (argv[2], _wtoi (argv[3]));
        RECT r;

        if (window == NULL || ! GetWindowRect (window, &r))
            return 1;

        printf ("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }

    if (argc >= 3 && wcscmp (argv[1], L"close") == 0)
    {
        HWND window = waitForWindow (argv[2], 5);
        return window != NULL && PostMessageW (window, WM_CLOSE, 0, 0) ? 0 : 1;
    }

    fputs ("usage: window-tool find TITLE SECONDS | close TITLE\n", stderr);
    return 2;
}
