#!/usr/bin/env bash
# A bare Xvfb has no window manager, so the atoms one would have created do not
# exist. JUCE's X11 code looks these up without creating them and then sends
# requests naming atom None, which ends the program with BadAtom at its first
# window. Setting and removing a root property creates each atom; with the
# server's -noreset they outlive this client.
set -eu
for atom in WM_PROTOCOLS WM_TAKE_FOCUS WM_DELETE_WINDOW WM_CHANGE_STATE WM_STATE \
            _NET_WM_PING _NET_WM_WINDOW_TYPE _NET_WM_STATE _NET_WM_STATE_HIDDEN; do
    xprop -root -f "$atom" 8s -set "$atom" x
    xprop -root -remove "$atom"
done
