#!/usr/bin/env bash
# Installs the game into a temporary prefix and starts the installed game from an unrelated folder on the X display
# it is given: it must find its content in the prefix's share/kesto/ and run a stage, play a committed replay, and
# report a bad replay file once. Then packs the .tar.gz and the .deb and starts the game unpacked from the .deb.
# Arguments: the build tree and the repository root.
set -euo pipefail
build=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$1"; [[ -f "$work/log" ]] && cat "$work/log"; exit 1; }

# Runs an installed game for a few frames from a folder without content, with settings and replays of its own.
start_game() {
    local game=$1
    shift
    mkdir -p "$work/elsewhere"
    # A sanitizer build checks for leaks when the game ends by itself (--frames); what the GL driver keeps at exit
    # is reported with stacks too short to name the driver, so tools/lsan.supp cannot match it. The game's own
    # memory is leak-checked by the headless tests; here only installing and starting are tested.
    (cd "$work/elsewhere" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$game" "$@") >"$work/log" 2>&1
}
run_game() { start_game "$@" || fail "$* failed"; }
# The log may not name a file that could not be found, opened or read.
content_found() {
    if grep -E "cannot (open|read|decode)|missing|no such" "$work/log"; then fail "the game did not find its content"; fi
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/kesto share/kesto/Assets/Data/Levels/default.txt share/kesto/Assets/Art/Misc/IconN001.PNG \
    share/applications/kesto.desktop share/icons/hicolor/64x64/apps/kesto.png; do
    [[ -e "$prefix/$file" ]] || fail "the installation lacks $file"
done
grep -q '^Exec=kesto$' "$prefix/share/applications/kesto.desktop" || fail "the desktop entry does not start kesto"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$prefix/share/applications/kesto.desktop"; fi

# The check means something: the executable alone, away from its content, says where it looked and stops.
cp "$prefix/bin/kesto" "$work/lonely-kesto"
start_game "$work/lonely-kesto" --level "Proving Grounds" --frames 5 || true
grep -qF "no Assets/ folder with the game's content; looked for" "$work/log" ||
    fail "a game without its content did not say where it looked"

run_game "$prefix/bin/kesto" --level "Proving Grounds" --frames 40
content_found
run_game "$prefix/bin/kesto" --replay "$root/tests/data/replays/proving_grounds.txt" --frames 40
content_found
if grep "REPLAY:" "$work/log"; then fail "the committed replay was refused"; fi
printf 'kesto-replay 1\nlevel Proving Grounds\n' >"$work/elsewhere/cut.txt"
run_game "$prefix/bin/kesto" --replay cut.txt --frames 5
[[ $(grep -c "REPLAY:" "$work/log") == 1 ]] || fail "a bad replay was not reported exactly once"
grep -q "REPLAY: $work/elsewhere/cut.txt: " "$work/log" || fail "the report does not name the file"

# The packages: a .tar.gz and a .deb holding the same, the .deb for /usr.
cpack --config "$build/CPackConfig.cmake" -B "$work/packages" >/dev/null
tarball=$(ls "$work"/packages/kesto-*.tar.gz)
deb=$(ls "$work"/packages/kesto_*.deb)
tar -tzf "$tarball" >"$work/listing"
grep -q '/share/kesto/Assets/Data/Levels/default.txt$' "$work/listing" || fail "the .tar.gz lacks the content"
dpkg-deb --field "$deb" Depends >"$work/depends"
grep -q libglfw3 "$work/depends" || fail "the .deb does not depend on GLFW: $(cat "$work/depends")"
dpkg-deb -x "$deb" "$work/unpacked"
[[ -e "$work/unpacked/usr/share/applications/kesto.desktop" ]] || fail "the .deb lacks the desktop entry"
run_game "$work/unpacked/usr/bin/kesto" --level "Proving Grounds Annex" --frames 20
content_found
echo "installed and packed games start"
