#!/usr/bin/env bash
# Runs the real game on the X display it is given, holds "move right" and checks from screenshots that
# the view followed the player: the level's static ground band changes while a key is held, and stays the same
# while nothing is pressed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

start_game
shot still1
sleep 1
shot still2
hold d
sleep 2
shot moved
release d

still=$(differing still1 still2)
moved=$(differing still2 moved)
echo "ground pixels changed while idle: $still; while moving right: $moved"
still_running
(( ${still%.*} < 2000 )) || { echo "the view moved without input"; exit 1; }
(( ${moved%.*} > 20000 )) || { echo "the view did not follow the player"; exit 1; }
