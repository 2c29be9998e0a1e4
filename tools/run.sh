#!/usr/bin/env bash
# Builds Kesto (optimised) and starts the game from the repository root, where its Assets/ folder is; with --editor
# first, the level editor instead. Other arguments go to the program (--level NAME).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"

build="$root/build-release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTO_BUILD_TESTS=OFF -DKESTO_BUILD_BENCHMARKS=OFF >/dev/null
program=kesto
if [[ "${1:-}" == "--editor" ]]; then
    program=kesto-editor
    shift
fi
cmake --build "$build" -j"$(nproc)" --target "$program"

cd "$root"
exec "$build/src/$program" "$@"
