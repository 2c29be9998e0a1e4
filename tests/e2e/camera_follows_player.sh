#!/usr/bin/env bash
# Runs the real game on the X display it is given, holds "move right" and checks from screenshots that
# the view followed the player: the level's static ground band changes while a key is held, and stays the same
# while nothing is pressed.
set -euo pipefail

game=$1
root=$2
shots=$(mktemp -d)
cleanup() {
    xdotool keyup d >/dev/null 2>&1 || true
    if [[ -n "${pid:-}" ]]; then
        kill "$pid" >/dev/null 2>&1 || true
        # The game must stop on SIGTERM; if it does not, fail loudly rather than leave it running.
        for _ in $(seq 1 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
        if kill -0 "$pid" 2>/dev/null; then
            kill -9 "$pid" >/dev/null 2>&1 || true
            echo "the game ignored SIGTERM"
            exit 1
        fi
    fi
    rm -rf "$shots"
}
trap cleanup EXIT

cd "$root"
# The stage itself, not the menu the game opens on; settings of its own, not the user's.
XDG_CONFIG_HOME="$shots/config" "$game" --level "Proving Grounds" >"$shots/game.log" 2>&1 &
pid=$!

shot() { import -window root "$shots/$1.png"; }
# The ground band: the bottom fifth of a screenshot, as an ImageMagick geometry.
band() { identify -format '%wx%h' "$shots/$1.png" | awk -Fx '{printf "%dx%d+0+%d", $1, $2/5, $2*4/5}'; }
# Pixels that differ between two screenshots, in the ground band.
differing() {
    compare -metric AE -fuzz 4% "$shots/$1.png[$(band "$1")]" "$shots/$2.png[$(band "$1")]" null: 2>&1 || true
}
# Whether the ground band shows something: a level that has not appeared yet is black.
shows_ground() {
    local mean
    mean=$(convert "$shots/$1.png[$(band "$1")]" -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }'
}

# Wait until the window is up, then until the level has loaded and faded in: on a busy machine (a sanitizer build,
# software GL) its textures may keep arriving for many seconds, so wait for the ground band to hold still.
for _ in $(seq 1 120); do
    if xdotool search --name . >/dev/null 2>&1; then break; fi
    sleep 0.25
done
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the game exited before its window appeared:"; cat "$shots/game.log"; exit 1
fi
sleep 3
shot settling
for _ in $(seq 1 60); do
    sleep 1
    shot settled
    settled=$(differing settling settled)
    if shows_ground settled && (( ${settled%.*} < 2000 )); then break; fi
    mv "$shots/settled.png" "$shots/settling.png"
done

shot still1
sleep 1
shot still2
xdotool keydown d
sleep 2
shot moved
xdotool keyup d

still=$(differing still1 still2)
moved=$(differing still2 moved)
echo "ground pixels changed while idle: $still; while moving right: $moved"
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the game exited early:"; cat "$shots/game.log"; exit 1
fi
(( ${still%.*} < 2000 )) || { echo "the view moved without input"; exit 1; }
(( ${moved%.*} > 20000 )) || { echo "the view did not follow the player"; exit 1; }
