#!/usr/bin/env bash
# Checks the rules of the source layout that the compiler cannot see:
# - engine/ includes only engine/, and ecs/ only engine/ and ecs/: the generic rooms import no subsystem, and the
#   game's wiring lives in game/;
# - each stand-in layer (studio/, gamepad/, dialog/, spine/) includes only itself, always as "<layer>/...";
# - the content root "Assets/" is spelled once, in the game's engine definition.
set -euo pipefail

src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)}
failed=0

# Project includes of a folder that name anything but the allowed folders (a bare "File.h" counts as foreign).
check_includes() {
    local folder=$1 allowed=$2 found
    found=$(grep -rnE '^#include "' "$src/$folder" | grep -vE "#include \"($allowed)/" || true)
    if [[ -n $found ]]; then
        echo "$folder/ may include only $allowed headers:"
        echo "$found"
        failed=1
    fi
}

check_includes engine 'engine'
check_includes ecs 'engine|ecs'
check_includes studio 'studio'
check_includes gamepad 'gamepad'
check_includes dialog 'dialog'
check_includes spine 'spine'

found=$(grep -rnE '"(\./)?Assets[/\\]' "$src" | grep -v "^$src/game/EngineDef.h:" || true)
if [[ -n $found ]]; then
    echo "the asset root is spelled outside game/EngineDef.h:"
    echo "$found"
    failed=1
fi

exit $failed
