#!/usr/bin/env bash
# Runs a command on a private virtual X display (1920x1080, 24-bit). Xvfb chooses a free display number itself, so
# runs started side by side never race for the same number, and the server lives exactly as long as the command.
set -euo pipefail

number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$number_file"' EXIT

for _ in $(seq 1 100); do
    [[ -s "$number_file" ]] && break
    kill -0 "$server" 2>/dev/null || { echo "with_display: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[[ -s "$number_file" ]] || { echo "with_display: Xvfb gave no display number within 10 s" >&2; exit 1; }

DISPLAY=":$(head -n1 "$number_file")" "$@"
