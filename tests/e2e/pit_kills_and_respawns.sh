#!/usr/bin/env bash
# Runs the real game on the X display it is given and plays "Proving Grounds" from the start: holding "move right"
# and jumping again and again carries the fox over the dip and the block into the dash pit, whose kill zone fades the
# screen out. With the keys let go, the fox must reappear where it started: the view's ground band is that of the
# first screenshot again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

# The middle of the screen, which only a screen transition makes dark.
centre_is_dark() {
    local mean
    mean=$(import -window root -crop 400x300+760+390 -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m < 0.15) }'
}

start_game
shot start
hold Right
died=false
for _ in $(seq 1 120); do
    hold space
    for _ in 1 2; do
        sleep 0.2
        if centre_is_dark; then died=true; break 2; fi
    done
    release space
    still_running
done
release space
release Right
$died || { echo "the fox never fell into the pit"; shot lost; exit 1; }

# The death fade, the respawn and the camera's settling (and its zoom back from the pit's wider view).
sleep 6
still_running
shot respawned
back=$(differing start respawned)
echo "ground pixels differing from the start after the respawn: $back"
(( ${back%.*} < 2000 )) || { echo "the fox did not reappear where it started"; exit 1; }
