#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (unit, line, window).
#   scripts/test.sh           the normal build in build/
#   scripts/test.sh --full    also a second build under AddressSanitizer and UndefinedBehaviorSanitizer,
#                             and a start of the program under Xvfb (what CI runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

run_suite() {
  local dir=$1
  shift
  "$root/scripts/build.sh" "$dir" "$@"
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
}

run_suite "$root/build"

if [ "${1:-}" = "--full" ]; then
  echo "== Under AddressSanitizer and UndefinedBehaviorSanitizer"
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    run_suite "$root/build-asan" -DVORTA_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug
  echo "== The program under Xvfb"
  "$root/scripts/smoke.sh" "$root/build"
fi
