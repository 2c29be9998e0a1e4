#!/usr/bin/env bash
# Runs the real game on the X display it is given and plays "Proving Grounds" from the start: holding "move right"
# and jumping again and again carries the fox over the dip and the block into the dash pit, whose kill zone fades the
# screen out. With the keys let go, the fox must reappear where it started: the view's ground band is that of the
# first screenshot again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

# Once the level has loaded, only a screen transition makes the middle of the screen dark.
centre_is_dark() { awk -v m="$(centre_mean)" 'BEGIN { exit !(m < 0.15) }'; }

start_game
cp "$shots/settled.png" "$shots/start.png"
# Watches the screen for the death fade while the fox runs.
( while :; do if centre_is_dark; then touch "$shots/dark"; fi; done ) &
watcher=$!
hold Right
# The run takes about twelve seconds of game time; a busy machine draws few frames a second.
give_up=$((SECONDS + 240))
while (( SECONDS < give_up )); do
    [[ -e "$shots/dark" ]] && break
    # Full jumps, with the key up long enough between them for each press to be seen.
    hold space
    sleep 0.45
    release space
    sleep 0.15
    still_running
done
release Right
kill "$watcher"
[[ -e "$shots/dark" ]] || { echo "the fox never fell into the pit"; exit 1; }

# The death fade, the respawn and the camera's settling (and its zoom back from the pit's wider view).
sleep 2
settle respawned
still_running
back=$(differing start respawned)
echo "ground pixels differing from the start after the respawn: $back"
(( ${back%.*} < 2000 )) || { echo "the fox did not reappear where it started"; exit 1; }
