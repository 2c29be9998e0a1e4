# Shared by the end-to-end scripts: runs the real game on the X display they are given and compares screenshots.
# Source it with the game and the repository root as $1 and $2; it stops the game (and releases keys) on exit.

game=$1
root=$2
shots=$(mktemp -d)
held_keys=()
cleanup() {
    for key in "${held_keys[@]}"; do xdotool keyup "$key" >/dev/null 2>&1 || true; done
    if [[ -n "${watcher:-}" ]]; then kill "$watcher" >/dev/null 2>&1 || true; fi
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

# Starts the game and waits until the window is up, then until the level has loaded and faded in: on a busy machine
# (a sanitizer build, software GL) its textures may keep arriving for many seconds, so it waits for the ground band
# to hold still and the middle of the screen to show the sky.
start_game() {
    cd "$root"
    "$game" >"$shots/game.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 120); do
        if xdotool search --name . >/dev/null 2>&1; then break; fi
        sleep 0.25
    done
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the game exited before its window appeared:"; cat "$shots/game.log"; exit 1
    fi
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
