# Shared by the end-to-end scripts: runs the real game on the X display they are given and compares screenshots.
# Source it with the game and the repository root as $1 and $2; it stops the game (and releases keys and mouse
# buttons) on exit. The game runs with settings of its own, never the user's, and fullscreen over the display.

game=$1
root=$2
shots=$(mktemp -d)
held_keys=()
held_buttons=()
cleanup() {
    for key in "${held_keys[@]}"; do xdotool keyup "$key" >/dev/null 2>&1 || true; done
    for button in "${held_buttons[@]}"; do xdotool mouseup "$button" >/dev/null 2>&1 || true; done
    if [[ -n "${watcher:-}" ]]; then kill "$watcher" >/dev/null 2>&1 || true; fi
    if [[ -n "${pid:-}" ]]; then
        kill "$pid" >/dev/null 2>&1 || true
        # The game must stop on SIGTERM; if it does not, fail loudly rather than leave it running. A sanitizer build
        # on a busy machine may take seconds to give its memory back.
        for _ in $(seq 1 80); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
        if kill -0 "$pid" 2>/dev/null; then
            kill -9 "$pid" >/dev/null 2>&1 || true
            echo "the game ignored SIGTERM"
            exit 1
        fi
    fi
    rm -rf "$shots"
}
trap cleanup EXIT

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
# The mean brightness of the middle of the screen (sky and scenery; black until their textures have arrived).
centre_mean() { import -window root -crop 400x300+760+390 -format '%[fx:mean]' info:; }
centre_is_lit() { awk -v m="$(centre_mean)" 'BEGIN { exit !(m > 0.2) }'; }
# Mean red, green and blue of a region (an ImageMagick geometry) of a screenshot, each 0..1.
mean_of() { convert "$shots/$1.png[$2]" -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:; }
# What the screen shows, from a screenshot (1920 x 1080; screen units are 540 pixels, (0, 0) the centre): the main
# menu's orange title; the Play button lit teal under the mouse; a stage's amber time-slow meter in the top left.
menu_shown() { mean_of "$1" 600x120+660+100 | awk '{ exit !($1 > 0.3 && $1 > $3) }'; }
play_lit() { mean_of "$1" 240x40+840+480 | awk '{ exit !($2 > 0.3 && $2 > 1.5 * $1) }'; }
meter_shown() { mean_of "$1" 360x30+105+60 | awk '{ exit !($1 > 0.6 && $3 < 0.6 * $1) }'; }
# Takes a screenshot NAME every second until CHECK NAME holds, for at most LIMIT seconds; false if it never did.
await() {
    local limit=$1 check=$2 name=$3
    for _ in $(seq 1 "$limit"); do
        sleep 1
        still_running
        shot "$name"
        if "$check" "$name"; then return 0; fi
    done
    return 1
}
# A key pressed as a player presses it, held for a moment.
tap() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
}
still_running() {
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the game exited early:"; cat "$shots/game.log"; exit 1
    fi
}
hold() {
    xdotool keydown "$1"
    [[ " ${held_keys[*]} " == *" $1 "* ]] || held_keys+=("$1")
}
release() { xdotool keyup "$1"; }
# A mouse click as a player makes it: the button held down for a moment, then let go.
click() {
    held_buttons+=("$1")
    xdotool mousedown "$1"
    sleep 0.2
    xdotool mouseup "$1"
}

# Starts the game with ARGUMENTS in the background and waits until its window is up.
launch_game() {
    cd "$root"
    XDG_CONFIG_HOME="$shots/config" "$game" "$@" >"$shots/game.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 120); do
        if xdotool search --name Kesto >/dev/null 2>&1; then break; fi
        sleep 0.25
    done
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the game exited before its window appeared:"; cat "$shots/game.log"; exit 1
    fi
}

# Starts the game on the first stage, not the menu it opens on, and waits until the window is up, then until the
# level has loaded and faded in: on a busy machine (a sanitizer build, software GL) its textures may keep arriving for
# many seconds, so it waits for the ground band to hold still and the middle of the screen to show the sky.
start_game() {
    launch_game --level "Proving Grounds"
    sleep 3
    settle settled
}

# Takes screenshots a second apart until the ground band holds still and the middle of the screen shows the sky;
# the last is kept as NAME.
settle() {
    shot settling
    for _ in $(seq 1 60); do
        sleep 1
        shot "$1"
        local change
        change=$(differing settling "$1")
        if shows_ground "$1" && (( ${change%.*} < 2000 )) && centre_is_lit; then break; fi
        mv "$shots/$1.png" "$shots/settling.png"
    done
}
