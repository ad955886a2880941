# An install puts the program, a desktop entry and an icon where a desktop finds them.
source "$(dirname "$0")/lib.sh"

build_dir=$(dirname "$(dirname "$program")")
prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" > "$work/install.log" || fail "install failed: $(cat "$work/install.log")"

[ -x "$prefix/bin/brevane" ] || fail "no program in bin/"
desktop="$prefix/share/applications/brevane.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx "Exec=brevane" "$desktop" || fail "desktop entry does not start brevane"
grep -qx "Icon=brevane" "$desktop" || fail "desktop entry names no icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/brevane.svg" ] || fail "no icon"

if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry is not valid"
fi

"$prefix/bin/brevane" --version > /dev/null || fail "installed program does not run"
