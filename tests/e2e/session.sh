# Shared by the end-to-end scripts (sourced, not run): starts the real game on the X display the script was given,
# with settings of its own rather than the user's, and stops it when the script exits. The game starts
# fullscreen over the whole display.
#
#   start_game GAME [ARGUMENT...]   start it in the background; its output goes to "$shots/game.log"
#   wait_for_window                 wait until its window is up
#   running                         fail at once, with its log, if it has exited
#   shot NAME                       a screenshot of the whole display, "$shots/NAME.png"
#
# Before starting, a script may set `release_keys` to the keys and `release_buttons` to the mouse buttons that
# must not stay down if it fails midway.

shots=$(mktemp -d)
release_keys=""
release_buttons=""

cleanup() {
    for key in $release_keys; do xdotool keyup "$key" >/dev/null 2>&1 || true; done
    for button in $release_buttons; do xdotool mouseup "$button" >/dev/null 2>&1 || true; done
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

start_game() {
    XDG_CONFIG_HOME="$shots/config" "$@" >"$shots/game.log" 2>&1 &
    pid=$!
}

running() {
    kill -0 "$pid" 2>/dev/null || { echo "the game exited early:"; cat "$shots/game.log"; exit 1; }
}

wait_for_window() {
    for _ in $(seq 1 120); do
        if xdotool search --name Kesto >/dev/null 2>&1; then break; fi
        sleep 0.25
    done
    kill -0 "$pid" 2>/dev/null || { echo "the game exited before its window appeared:"; cat "$shots/game.log"; exit 1; }
}

shot() { import -window root "$shots/$1.png"; }
