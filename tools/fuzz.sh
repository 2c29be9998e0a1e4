#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) in build-fuzz/ and fuzzes
# each for the given seconds (default 60) on a working corpus seeded from the game's content. Findings are written
# to build-fuzz/findings/<target>/; after a finding the script goes on to the next target and exits with status 1.
#
#   tools/fuzz.sh [seconds] [target...]      (default: every target)
#
# Targets: level archetype trigger art shaders particles key_bindings guid_list bank sound video settings
# spine_atlas spine_skeleton. The level target loads each input as a level of the game's own content (sublevels and
# every component reader included); the corpus holds an entity per component type.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-60}
shift || true
targets=("$@")
all=(level archetype trigger art shaders particles key_bindings guid_list bank sound video settings spine_atlas
    spine_skeleton)
[[ ${#targets[@]} -gt 0 ]] || targets=("${all[@]}")

CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/kesto_fuzz_}"

# Seeds: every file of that kind in the game's content and the test data (where the inputs of past findings are
# replayed by unit tests), and the committed regression inputs of fuzz/regressions/<target>/.
data="$root/Assets/Data"
seeds() {
    case "$1" in
        level) find "$data/Levels" "$root/tests/data/levels" "$root/tests/data/ui" "$root/fuzz/seeds/level" \
            -name '*.json' ;;
        archetype) find "$data/Archetypes" "$root/tests/data/archetypes" -name '*.json' ;;
        trigger) find "$root/fuzz/seeds/trigger" -type f ;;
        art) find "$data/Files" "$root/tests/data" -name 'Art*.json' ;;
        shaders) find "$data/Files" "$root/tests/data" -name 'Shaders*.json' ;;
        particles) find "$data/Files" "$root/tests/data" -name 'Particles*.json' ;;
        key_bindings) find "$data/Files" "$root/tests/data" -name 'KeyBindings*.json' ;;
        guid_list) find "$root/Assets/Audio" "$root/tests/data/audio" -name 'GUIDs.txt' ;;
        bank) find "$root/Assets/Audio" "$root/tests/data/audio" -name '*.bank' ;;
        sound) find "$root/Assets/Audio" "$root/tests/data" "$root/tests/studio/data" -name '*.mp3' -size -400k ;;
        video) find "$root/tests/data/video" -type f -size -400k ;;
        settings) find "$root/fuzz/seeds/settings" -type f ;;
        spine_atlas) find "$root/Assets/Art/Spine" "$root/tests/data" -name '*.atlas' ;;
        spine_skeleton) find "$root/Assets/Art/Spine" -name '*.json' ;;
    esac
    [[ ! -d "$root/fuzz/regressions/$1" ]] || find "$root/fuzz/regressions/$1" -type f
}

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    mkdir -p "$corpus" "$findings"
    # Named after their content: seeds of one name from different folders all stay.
    seeds "$target" | while read -r seed; do cp "$seed" "$corpus/$(sha1sum "$seed" | cut -c1-16)"; done
    echo "fuzz: $target for ${seconds}s"
    # An input counts as a hang after 60 s: the first one also sets the engine up, which takes seconds on a busy
    # machine.
    if ! (cd "$findings" && "$build/kesto_fuzz_$target" -max_total_time="$seconds" -timeout=60 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus"); then
        echo "fuzz: $target found a problem; the input is in $findings" >&2
        status=1
    fi
done
exit $status
