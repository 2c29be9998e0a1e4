#!/usr/bin/env bash
# Runs the real game on the X display it is given and plays its flow as a player would from launch: the splash
# shows the studio's logo, and Space skips it to the main menu once the art has loaded; in the first stage Escape
# opens the pause menu and its Resume button closes it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/game_session.sh"

launch_game
# The studio logo fades in over the splash's first second, whatever the frame rate.
logo_shown() { mean_of "$1" 1024x512+448+188 | awk '{ exit !($1 + $2 + $3 > 0.15) }'; }
await 30 logo_shown splash || { echo "the splash never showed its logo: $(mean_of splash 1024x512+448+188)"; exit 1; }
if menu_shown splash; then
    echo "the main menu shows during the splash"
    exit 1
fi
tap space
skipped=$SECONDS
# The menu follows as soon as the art has loaded: seconds with software GL, a minute at most in a sanitizer build.
await 60 menu_shown menu || { echo "the skipped splash never gave way to the main menu"; exit 1; }
echo "the main menu showed $((SECONDS - skipped)) s after the skip"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

start_game
# The pause menu's orange "PAUSED" heading, where the stage shows its blue night sky.
pause_shown() { mean_of "$1" 200x40+860+272 | awk '{ exit !($1 > $3) }'; }
resumed() { ! pause_shown "$1"; }
tap Escape
await 30 pause_shown now || { echo "Escape did not open the pause menu: $(mean_of now 200x40+860+272)"; exit 1; }
# Resume, the pause menu's first button.
xdotool mousemove 960 372
sleep 0.5
click 1
await 30 resumed now || { echo "Resume did not close the pause menu: $(mean_of now 200x40+860+272)"; exit 1; }
xdotool mousemove 960 1000
still_running
echo "the splash, the pause menu and Resume worked"
