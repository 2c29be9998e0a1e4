#!/usr/bin/env bash
# Runs the real game on the X display it is given: from the start of "Proving Grounds" the fox runs west through the
# gate to "1. Outskirts", then east past the first checkpoint into the spike pit behind it. It must come back at the
# checkpoint: the settled view after the respawn is not the view of the stage's start.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

# Once a level has loaded, only a screen transition makes the middle of the screen dark.
centre_is_dark() { awk -v m="$(centre_mean)" 'BEGIN { exit !(m < 0.15) }'; }
# Holds a key until the screen goes dark (a level change or a death) or four minutes pass; with "jumping", jumps again
# and again meanwhile (full presses, the key up long enough between them for each to be seen).
run_until_dark() {
    rm -f "$shots/dark"
    ( while :; do if centre_is_dark; then touch "$shots/dark"; fi; done ) &
    watcher=$!
    hold "$1"
    local give_up=$((SECONDS + 240))
    while (( SECONDS < give_up )); do
        [[ -e "$shots/dark" ]] && break
        if [[ "$3" == jumping ]]; then
            hold space
            sleep 0.45
            release space
            sleep 0.15
        else
            sleep 0.25
        fi
        still_running
    done
    release "$1"
    kill "$watcher"
    watcher=
    [[ -e "$shots/dark" ]] || { echo "$2"; exit 1; }
}

start_game
# A crate stands in the way west.
run_until_dark Left "the fox never reached the west gate" jumping
sleep 2
settle outskirts
still_running
# Running without a jump, it drops off the edge just past the checkpoint.
run_until_dark Right "the fox never fell into the pit past the checkpoint" running

# The death fade, the respawn and the camera's settling.
sleep 2
settle respawned
still_running
moved=$(differing outskirts respawned)
echo "ground pixels differing from the stage's start after the respawn: $moved"
(( ${moved%.*} > 10000 )) || { echo "the fox came back at the stage's start, not at the checkpoint"; exit 1; }
