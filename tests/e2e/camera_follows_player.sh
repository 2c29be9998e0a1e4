#!/usr/bin/env bash
# Runs the real game on the X display it is given, holds "move right" and checks from screenshots that
# the view followed the player: the level's static ground band changes while a key is held, and stays the same
# while nothing is pressed.
set -euo pipefail

game=$1
root=$2
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
release_keys=d

cd "$root"
# The stage itself, not the menu the game opens on.
start_game "$game" --level "Proving Grounds"

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
wait_for_window
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
running
(( ${still%.*} < 2000 )) || { echo "the view moved without input"; exit 1; }
(( ${moved%.*} > 20000 )) || { echo "the view did not follow the player"; exit 1; }
