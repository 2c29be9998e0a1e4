#!/usr/bin/env bash
# Runs the real editor on the X display it is given, on a copy of the game's assets: a click selects a wall, a drag
# moves it 400 units to the right, Ctrl+S saves, and the level file then holds the moved wall. Then the real game
# loads that level and draws the wall where it was moved to, not where it was.
# Arguments: the editor, the game, the repository root.
set -euo pipefail

editor=$1
game=$2
root=$3
work=$(mktemp -d)
pid=""
cleanup() {
    for key in ctrl s; do xdotool keyup "$key" >/dev/null 2>&1 || true; done
    xdotool mouseup 1 >/dev/null 2>&1 || true
    if [[ -n "$pid" ]]; then
        kill "$pid" >/dev/null 2>&1 || true
        for _ in $(seq 1 80); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
        kill -9 "$pid" >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$root/Assets" "$work/"
level="$work/Assets/Data/Levels/Editor Check.json"
# One unit per pixel on the 1920 x 1080 display, (0, 0) at its centre; the wall covers x -150..150.
cat >"$level" <<'JSON'
{
    "Camera": { "Zoom": 1080.0, "Position": [0.0, 0.0] },
    "Lighting": { "Ambient": [1.0, 1.0, 1.0] },
    "Archetype": { "Name": "Wall", "Transform": { "translation": [0.0, 0.0], "scale": [300.0, 300.0] } }
}
JSON
original=$(cat "$level")

# Starts PROGRAM with its arguments from the copy and waits until a window whose title holds TITLE is up.
start() {
    local title=$1
    shift
    (cd "$work" && XDG_CONFIG_HOME="$work/config" "$@" >"$work/log.txt" 2>&1) &
    pid=$!
    for _ in $(seq 1 240); do
        if xdotool search --name "$title" >/dev/null 2>&1; then return 0; fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.25
    done
    echo "no window titled \"$title\" appeared:"; cat "$work/log.txt"; exit 1
}
stop() {
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
    pid=""
}
press() {
    xdotool mousedown 1
    sleep 0.2
}
# Mean brightness (0..1) of a 100 x 100 square centred on a pixel.
brightness() { import -window root -crop "100x100+$(($1 - 50))+$(($2 - 50))" -format '%[fx:mean]' info:; }

start "Kesto Editor - Editor Check" "$editor" --level "Editor Check"
sleep 2
xdotool mousemove 960 540
press
xdotool mouseup 1
sleep 0.3
press
for x in 1060 1160 1260 1360; do
    xdotool mousemove "$x" 540
    sleep 0.15
done
sleep 0.3
xdotool mouseup 1
sleep 0.3
xdotool keydown ctrl
sleep 0.15
xdotool keydown s
sleep 0.15
xdotool keyup s
xdotool keyup ctrl
for _ in $(seq 1 80); do
    [[ "$(cat "$level")" != "$original" ]] && break
    sleep 0.25
done
stop
[[ ! -e "$level.saving" ]] || { echo "the temporary file was left behind"; exit 1; }
python3 - "$level" <<'PY'
import json, sys
pairs = json.load(open(sys.argv[1]), object_pairs_hook=lambda p: p)
walls = [dict(v) for k, v in pairs if k == "Archetype" and dict(v).get("Name") == "Wall"]
assert len(walls) == 1, f"expected one wall, found {len(walls)}"
x, y = dict(walls[0]["Transform"])["translation"]
print(f"saved wall at ({x:.1f}, {y:.1f})")
assert abs(x - 400) < 6 and abs(y) < 6, "the wall was not saved where it was dragged"
PY

start "Kesto" "$game" --level "Editor Check"
# Until the game has drawn, the display shows its bare root pattern, grey all over.
for _ in $(seq 1 90); do
    sleep 1
    moved=$(brightness 1360 540)
    left=$(brightness 960 540)
    if awk -v m="$moved" -v l="$left" 'BEGIN { exit !(m > 0.1 && l < 0.02) }'; then break; fi
done
echo "the game's picture: $moved where the wall was moved to, $left where it was"
awk -v m="$moved" -v l="$left" 'BEGIN { exit !(m > 0.1 && l < 0.02) }' || { echo "the game did not load the moved wall"; exit 1; }
