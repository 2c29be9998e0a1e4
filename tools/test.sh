#!/usr/bin/env bash
# Builds a separate tree with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test in it,
# GL tests included (under a virtual X display).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"

# Formatting is part of the build's contract: every C++ file must already be in the committed style.
(cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)

build="$root/build-sanitize"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKESTO_SANITIZE=ON -DKESTO_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

# Any sanitizer report fails the test that produced it. Leaks are suppressed only inside third-party libraries.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

"$root/tools/with_display.sh" ctest --test-dir "$build" --output-on-failure --timeout 300 -j"$(nproc)"
