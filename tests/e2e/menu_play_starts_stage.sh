#!/usr/bin/env bash
# Runs the real game on the X display it is given and plays it as a player would from its first screen: the game
# opens on the main menu, the Play button lights up under the mouse, and a click on it (the button pressed and
# released) starts the first stage, whose time-slow meter then shows in the top left corner.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

launch_game

# Screen units are 540 pixels; (0, 0) is the centre. The Play button is at (0, 0.074), the title above it, the
# stage's meter at (-1.25, 0.86).
play_x=960
play_y=500
play_box=240x40+840+480
meter_box=360x30+105+60
title_box=600x120+660+100

# Mean red, green and blue of a region of the last screenshot, each 0..1.
mean() { convert "$shots/now.png[$1]" -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:; }
# The Play button in its hover look: the teal of the lit buttons.
play_lit() { mean "$play_box" | awk '{ exit !($2 > 0.3 && $2 > 1.5 * $1) }'; }
# The main menu's orange title, where a stage shows its sky.
menu_shown() { mean "$title_box" | awk '{ exit !($1 > 0.3 && $1 > $3) }'; }
# The stage's time-slow meter: amber.
meter_shown() { mean "$meter_box" | awk '{ exit !($1 > 0.6 && $3 < 0.6 * $1) }'; }

# On a busy machine (a sanitizer build, software GL) the menu's art may keep arriving for many seconds.
xdotool mousemove "$play_x" "$play_y"
ready=0
for _ in $(seq 1 90); do
    sleep 1
    still_running
    shot now
    if play_lit && menu_shown; then ready=1; break; fi
    # A wiggle, in case the pointer arrived before the window did.
    xdotool mousemove "$((play_x + 2))" "$play_y" mousemove "$play_x" "$play_y"
done
if (( ! ready )); then
    echo "the main menu's Play button never lit up under the mouse: play $(mean "$play_box"), title $(mean "$title_box")"
    exit 1
fi
if meter_shown; then
    echo "the stage's meter shows on the menu"
    exit 1
fi

click 1

started=0
for _ in $(seq 1 90); do
    sleep 1
    still_running
    shot now
    if meter_shown && ! menu_shown; then started=1; break; fi
done
if (( ! started )); then
    echo "the stage did not start: meter $(mean "$meter_box"), title $(mean "$title_box")"
    exit 1
fi
echo "the main menu's Play started the stage"
