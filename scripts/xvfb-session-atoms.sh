#!/usr/bin/env bash
# A bare Xvfb has no window manager, so the atoms one would have created do not
# exist. JUCE's X11 code looks these up without creating them and then sends
# requests naming atom None, which ends the program with BadAtom at its first
# window. Setting and removing a root property creates each atom; with the
# server's -noreset they outlive this client. The atoms are listed once, in
# xvfb-session-atoms.txt beside this script; the tests' C++ side reads the same list.
set -eu
while read -r atom; do
    [ -n "$atom" ] || continue
    xprop -root -f "$atom" 8s -set "$atom" x
    xprop -root -remove "$atom"
done < "$(dirname "$0")/xvfb-session-atoms.txt"
