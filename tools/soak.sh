#!/usr/bin/env bash
# Plays the real game for a long time on a virtual X display with random input: keys held and tapped, the mouse
# moved and clicked anywhere (so menu buttons are pressed and levels change through the menus), Escape to pause and
# leave the pause menu, and every few minutes a fresh start in another level. Reports the game's resident memory
# every minute and fails on a crash or on memory growing more than 5 % past the second minute of each start (by then
# the splash, the menus, a cinematic and a first stage have usually been through, every texture uploaded).
#
#   tools/soak.sh [minutes] [game executable]      default: 30 minutes, build-rel/kesto (built if missing)
#
# The input is random with a fixed seed (SOAK_SEED, default 19), so a failing run can be played again.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
minutes=${1:-30}
game=${2:-$root/build-rel/kesto}
if [[ ! -x "$game" ]]; then
    cmake -S "$root" -B "$root/build-rel" -DCMAKE_BUILD_TYPE=Release -DKESTO_BUILD_TESTS=OFF \
        -DKESTO_BUILD_BENCHMARKS=OFF >/dev/null
    nice -n 10 cmake --build "$root/build-rel" -j2 --target kesto
fi
if [[ -z "${DISPLAY:-}" || "${SOAK_OWN_DISPLAY:-}" != 1 ]]; then
    SOAK_OWN_DISPLAY=1 exec "$root/tools/with_display.sh" "$0" "$minutes" "$game"
fi

work=$(mktemp -d)
RANDOM=${SOAK_SEED:-19}
pid=
cleanup() {
    for key in a d w s space x z Escape Return Left Right Up Down; do xdotool keyup "$key" 2>/dev/null || true; done
    xdotool mouseup 1 2>/dev/null || true
    if [[ -n "$pid" ]]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0; }
alive() {
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && status=0 || status=$?
        echo "soak: the game exited (status $status) after $((SECONDS - started)) s; its last lines:"
        tail -n 20 "$work/game.log"
        exit 1
    fi
}
launch() {
    cd "$root"
    XDG_CONFIG_HOME="$work/config" "$game" "$@" >>"$work/game.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 120); do
        xdotool search --name Kesto >/dev/null 2>&1 && return 0
        sleep 0.25
    done
    alive
}

keys=(a d w s space x z Escape Return Left Right Up Down space space d d)
levels=("0. Containment (Tutorial)" "1. Outskirts" "2. Quarry" "3. The Shaft" "4. Old Forest" "5. Power Station"
    "8. Lab Breakout (The End)" "Lab Breakout (The End Part 2)" "Main Menu" "Proving Grounds")
random_input() {
    case $((RANDOM % 6)) in
        0 | 1 | 2)
            local key=${keys[RANDOM % ${#keys[@]}]}
            xdotool keydown "$key"
            sleep "0.$((1 + RANDOM % 5))"
            xdotool keyup "$key"
            ;;
        3) xdotool mousemove $((RANDOM % 1920)) $((RANDOM % 1080)) ;;
        4) xdotool mousemove $((RANDOM % 1920)) $((RANDOM % 1080)) mousedown 1 sleep 0.12 mouseup 1 ;;
        5) sleep 0.2 ;;
    esac
}

started=$SECONDS
launch
baseline=0
peak=0
age=0 # minutes since the game was started
for minute in $(seq 1 "$minutes"); do
    # Every fifth minute a fresh start in another level, as a player quitting and coming back would.
    if ((minute > 1 && minute % 5 == 0)); then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        launch --level "${levels[RANDOM % ${#levels[@]}]}"
        baseline=0
        age=0
    fi
    age=$((age + 1))
    end=$((SECONDS + 60))
    while ((SECONDS < end)); do
        alive
        random_input
    done
    alive
    rss=$(rss_kb)
    ((rss > peak)) && peak=$rss
    if ((baseline == 0)); then
        # The first minute of a start is warm-up; the second minute's size is what later minutes are held to.
        ((age == 1 && minutes > 1)) && { echo "soak: minute $minute: ${rss} kB resident (warming up)"; continue; }
        baseline=$rss
        echo "soak: minute $minute: ${rss} kB resident (baseline)"
    else
        growth=$(awk -v r="$rss" -v b="$baseline" 'BEGIN { printf "%.1f", (r - b) * 100 / b }')
        echo "soak: minute $minute: ${rss} kB resident (${growth} % over the baseline)"
        if awk -v g="$growth" 'BEGIN { exit !(g > 5.0) }'; then
            echo "soak: resident memory grew ${growth} % since the first minute"
            exit 1
        fi
    fi
done
echo "soak: ${minutes} min without a crash; peak ${peak} kB resident"
