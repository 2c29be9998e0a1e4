#!/usr/bin/env bash
# Looks at the whole game the way a new player meets it: the splash, the menus and the cinematics, then every stage
# played through by its committed run (tests/data/replays/), on a private 1280x720 virtual display. Screenshots go
# to OUTDIR: one per screen, and one every few seconds of each run, named after the level.
#
#   tools/walkthrough.sh OUTDIR [game executable] [seconds between shots, default 4]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "$1")
game=$(realpath "${2:-$root/build-rel/src/kesto}")
every=${3:-4}
mkdir -p "$out"

number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
server=$!
pid=
cleanup() {
    [[ -z "$pid" ]] || kill "$pid" 2>/dev/null || true
    kill "$server" 2>/dev/null || true
    rm -f "$number_file"
}
trap cleanup EXIT
for _ in $(seq 1 100); do [[ -s "$number_file" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$number_file")"
cd "$root"

shoot() { import -window root "$out/$1.png" 2>/dev/null || echo "walkthrough: no screenshot for $1" >&2; }
slug() { tr -c 'A-Za-z0-9\n' '_' <<<"$1"; }

# The screens: each started on its own and shot once it has settled.
for screen in "ArcwellLogo:3" "Main Menu:4" "IntroCinematic:5" "8.Congrats:4" "Credit:8"; do
    level=${screen%:*}
    "$game" --level "$level" >"$out/$(slug "$level").log" 2>&1 &
    pid=$!
    sleep "${screen##*:}"
    shoot "$(slug "$level")"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
done

# The stages: each run played in the real game until it has reached its exit and the next level has faded in.
for run in "$root"/tests/data/replays/*.txt; do
    level=$(sed -n 's/^level //p' "$run" | head -n1)
    frames=$(sed -n 's/^end //p' "$run" | head -n1)
    name=$(slug "$level")
    "$game" --replay "$run" --frames $((${frames:-3600} + 120)) >"$out/$name.log" 2>&1 &
    pid=$!
    shot=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep "$every"
        kill -0 "$pid" 2>/dev/null || break
        shoot "$name-$(printf '%02d' "$shot")"
        shot=$((shot + 1))
    done
    wait "$pid" 2>/dev/null || echo "walkthrough: the game ended badly playing $run; see $out/$name.log" >&2
    pid=
    echo "walkthrough: $level: $shot screenshots"
done
