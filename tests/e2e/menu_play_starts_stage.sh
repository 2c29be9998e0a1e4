#!/usr/bin/env bash
# Runs the real game on the X display it is given and plays it as a player would from the main menu: the Play
# button lights up under the mouse, and a click on it (the button pressed and released) starts the intro, which a
# Space press skips to the first stage, whose time-slow meter then shows in the top left corner.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

launch_game --level "Main Menu"
play_x=960
play_y=500
# On a busy machine (a sanitizer build, software GL) the menu's art may keep arriving for many seconds.
xdotool mousemove "$play_x" "$play_y"
menu_ready() {
    # A wiggle, in case the pointer arrived before the window did.
    xdotool mousemove "$((play_x + 2))" "$play_y" mousemove "$play_x" "$play_y"
    play_lit "$1" && menu_shown "$1"
}
await 90 menu_ready now || { echo "the main menu's Play button never lit up under the mouse"; exit 1; }
if meter_shown now; then
    echo "the stage's meter shows on the menu"
    exit 1
fi

click 1
# The intro: once the menu has faded out, Space skips it.
sleep 3
tap space
stage_shown() { meter_shown "$1" && ! menu_shown "$1"; }
await 90 stage_shown now || { echo "the stage did not start: meter $(mean_of now 360x30+105+60)"; exit 1; }
echo "the main menu's Play started the stage"
