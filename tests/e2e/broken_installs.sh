#!/usr/bin/env bash
# Runs the real game against broken installations. Each case ends with a clear one-line message and exit status 1,
# or the game runs on without the broken part and says once what it skipped. Every case works on a copy of the
# content made of links to the real files, with the broken file put in place of its link.
#
#   broken_installs.sh GAME ROOT      (on an X display, like every end-to-end script)
set -euo pipefail

game=$1
root=$2
work=$(mktemp -d)
pid=
cleanup() {
    if [[ -n "$pid" ]]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A fresh installation folder of links to the real content: $case/Assets/...
new_installation() {
    case_dir="$work/$1"
    mkdir -p "$case_dir"
    cp -as "$root/Assets" "$case_dir/Assets"
}
# Replaces the link at RELATIVE (under the case folder) with a real file holding standard input.
put() { rm -f "$case_dir/$1"; mkdir -p "$(dirname "$case_dir/$1")"; cat >"$case_dir/$1"; }

# Runs the game in the case folder; it must exit within LIMIT seconds with STATUS and one line saying MESSAGE.
expect_exit() {
    local name=$1 status=$2 message=$3 got=0
    (cd "$case_dir" && exec env ${game_env[@]+"${game_env[@]}"} XDG_CONFIG_HOME="$case_dir/config" timeout 120 \
        "$game" ${extra_args[@]+"${extra_args[@]}"} >"$case_dir/log" 2>&1) || got=$?
    if [[ $got -ne $status ]]; then fail "$name: exit status $got, not $status"; cat "$case_dir/log"; return; fi
    if ! grep -qF -- "$message" "$case_dir/log"; then fail "$name: no line saying: $message"; cat "$case_dir/log"; return; fi
    echo "ok: $name: exit $got: $(grep -F -- "$message" "$case_dir/log" | head -n1)"
}

# Starts the game in the case folder and lets it run for SECONDS; it must still be running and have said MESSAGE
# exactly once (when one is given).
expect_runs_on() {
    local name=$1 seconds=$2 message=$3 count
    (cd "$case_dir" && exec env ${game_env[@]+"${game_env[@]}"} XDG_CONFIG_HOME="$case_dir/config" "$game" \
        ${extra_args[@]+"${extra_args[@]}"} >"$case_dir/log" 2>&1) &
    pid=$!
    sleep "$seconds"
    if ! kill -0 "$pid" 2>/dev/null; then
        fail "$name: the game stopped"; cat "$case_dir/log"; pid=; return
    fi
    kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
    if [[ -z "$message" ]]; then echo "ok: $name: runs on"; return; fi
    count=$(grep -cF -- "$message" "$case_dir/log" || true)
    if [[ $count -ne 1 ]]; then fail "$name: $count lines saying: $message"; cat "$case_dir/log"; return; fi
    echo "ok: $name: runs on: $(grep -F -- "$message" "$case_dir/log")"
}

extra_args=()
game_env=()
settle=${BROKEN_INSTALL_SECONDS:-12}

mkdir -p "$work/empty" && case_dir="$work/empty"
expect_exit "no Assets/ folder" 1 "kesto: no Assets/ folder with the game's content; looked for "
grep -qF -- " and $work/empty/Assets" "$case_dir/log" || fail "no Assets/ folder: the working folder is not named last"

new_installation no-shaders && rm "$case_dir/Assets/Data/Files/Shaders.json"
expect_exit "no Shaders.json" 1 "no shader \"Screen\": cannot read $case_dir/Assets/Data/Files/Shaders.json"

new_installation no-display
game_env=(-u DISPLAY)
expect_exit "no display" 1 "no display"
game_env=()

new_installation folder-level && echo "Folder" | put Assets/Data/Levels/default.txt
mkdir -p "$case_dir/Assets/Data/Levels/Folder.json"
expect_runs_on "a level that is a folder" "$settle" "Folder.json: is a folder, not a file"

new_installation unreadable-level && echo "Pipe" | put Assets/Data/Levels/default.txt
mkfifo "$case_dir/Assets/Data/Levels/Pipe.json"
expect_runs_on "a level that cannot be read (a pipe)" "$settle" "Pipe.json: is not a regular file"

new_installation dangling-level && echo "Gone" | put Assets/Data/Levels/default.txt
ln -s "$work/nowhere.json" "$case_dir/Assets/Data/Levels/Gone.json"
expect_runs_on "a level whose file is gone" "$settle" "Gone.json: cannot open the file (No such file or directory)"

new_installation empty-image && : | put Assets/Art/Splash/awcopyright.png
expect_runs_on "a 0-byte image" "$settle" "awcopyright.png: cannot decode the image"

new_installation huge-image
# A PNG header claiming 100,000 x 100,000 pixels, with nothing behind it.
python3 -c '
import struct, sys, zlib
head = b"IHDR" + struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)
sys.stdout.buffer.write(b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + head + struct.pack(">I", zlib.crc32(head)))
' | put Assets/Art/Splash/awcopyright.png
expect_runs_on "an image claiming 100000 x 100000 pixels" "$settle" "awcopyright.png: cannot decode the image: too large"

new_installation no-glsl && rm "$case_dir/Assets/Shaders/Emissive.frag"
expect_runs_on "a missing GLSL file" "$settle" "Emissive.frag: cannot read the fragment shader"

new_installation no-audio-device
game_env=(SDL_AUDIODRIVER=no-such-driver)
expect_runs_on "no audio device" "$settle" "no audio output device could be opened"
game_env=()

new_installation config-folder-is-a-folder && mkdir -p "$case_dir/config/kesto/settings.json"
extra_args=(--level "Main Menu")
expect_runs_on "a settings file that is a folder" "$settle" "settings.json: is a folder, not a file"
extra_args=()

# Nothing is ever written to the working folder, so one the player cannot write to changes nothing.
new_installation read-only-working && chmod -R a-w "$case_dir"
expect_runs_on "a read-only working folder" "$settle" ""

exit $((failures > 0))
