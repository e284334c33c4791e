#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (unit, line, window).
#   scripts/test.sh           the normal build in build/
#   scripts/test.sh --full    also the include-direction check, a second build under
#                             AddressSanitizer and UndefinedBehaviorSanitizer, a start of the
#                             program under Xvfb and 30 s of fuzzing per target (what CI runs)
#   scripts/test.sh --tsan    the comm, line and window tests under ThreadSanitizer (build-tsan/);
#                             too slow for every CI run, run it after any change to the threads
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

run_suite() {
  local dir=$1
  shift
  "$root/scripts/build.sh" "$dir" "$@"
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 300 ${CTEST_ARGS:-})
}

if [ "${1:-}" = "--tsan" ]; then
  echo "== Under ThreadSanitizer: the line and window tests, then the comm unit tests"
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/scripts/tsan.supp"
  CTEST_ARGS="-L line|window" run_suite "$root/build-tsan" -DVORTA_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo
  (cd "$root/build-tsan" && ctest --output-on-failure -j "$(nproc)" --timeout 300 -R "^(Polling|Transfer|Link|Protocol)Test")
  exit 0
fi

if [ "${1:-}" = "--full" ]; then
  echo "== Include directions"
  "$root/scripts/check_layers.sh"
fi

run_suite "$root/build"

if [ "${1:-}" = "--full" ]; then
  echo "== Under AddressSanitizer and UndefinedBehaviorSanitizer"
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    run_suite "$root/build-asan" -DVORTA_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug
  echo "== The program under Xvfb"
  "$root/scripts/smoke.sh" "$root/build"
  echo "== Fuzzing, 30 s per target"
  "$root/scripts/fuzz.sh" 30
fi
