#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) in build-fuzz/ and fuzzes
# each for the given seconds (default 60) on a working corpus seeded from the game's content. Findings are written
# to build-fuzz/findings/<target>/; after a finding the script goes on to the next target and exits with status 1.
#
#   tools/fuzz.sh [seconds] [target...]      targets: spine_atlas spine_skeleton (default: all)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(spine_atlas spine_skeleton)

CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/kesto_fuzz_}"

# Seeds: every file of that kind in the game's content and the test data.
seeds() {
    case "$1" in
        spine_atlas) find "$root/Assets/Art/Spine" "$root/tests/data" -name '*.atlas' ;;
        spine_skeleton) find "$root/Assets/Art/Spine" -name '*.json' ;;
    esac
}

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    mkdir -p "$corpus" "$findings"
    seeds "$target" | while read -r seed; do cp "$seed" "$corpus/"; done
    echo "fuzz: $target for ${seconds}s"
    if ! (cd "$findings" && "$build/kesto_fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus"); then
        echo "fuzz: $target found a problem; the input is in $findings" >&2
        status=1
    fi
done
exit $status
