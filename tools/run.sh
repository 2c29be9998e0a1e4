#!/usr/bin/env bash
# Builds Kesto (optimised) and starts the game from the repository root, where its Assets/ folder is.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"

build="$root/build-release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTO_BUILD_TESTS=OFF -DKESTO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target kesto

cd "$root"
exec "$build/src/kesto" "$@"
