#!/usr/bin/env bash
# Runs the real game on the X display the test run provides, holds "move right" and checks from screenshots that
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
"$game" >"$shots/game.log" 2>&1 &
pid=$!

# Wait until the window is up and the level has loaded (the first frames show a fade-in).
for _ in $(seq 1 120); do
    if xdotool search --name . >/dev/null 2>&1; then break; fi
    sleep 0.25
done
sleep 6

shot() { import -window root "$shots/$1.png"; }
# Pixels that differ between two screenshots, in the ground band at the bottom fifth of the screen.
differing() {
    local geometry
    geometry=$(identify -format '%wx%h' "$shots/$1.png" | awk -Fx '{printf "%dx%d+0+%d", $1, $2/5, $2*4/5}')
    compare -metric AE -fuzz 4% "$shots/$1.png[$geometry]" "$shots/$2.png[$geometry]" null: 2>&1 || true
}

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
