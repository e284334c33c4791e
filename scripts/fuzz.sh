#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (in build-fuzz/) and runs each for SECONDS
# (default 30) on its checked-in seeds plus what earlier runs found, two at a time. Fails on any
# crash, leak, undefined behaviour or input slower than 1 s; the input that did it is left in
# build-fuzz/artifacts/ and its report in build-fuzz/logs/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir=$root/build-fuzz
"$root/scripts/deps.sh"

CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTA_FUZZ=ON \
  -DVORTA_BUILD_UI=OFF -DBUILD_TESTING=OFF >/dev/null
targets=$(sed -n 's/^set(vorta_fuzz_targets \(.*\))$/\1/p' "$root/fuzz/CMakeLists.txt")
cmake --build "$dir" -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets)

mkdir -p "$dir/artifacts" "$dir/logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
run() {
  local t=$1 found=$dir/corpus/$1
  mkdir -p "$found"
  if "$dir/fuzz/fuzz_$t" "$found" "$root/fuzz/corpus/$t" -max_total_time="$seconds" -timeout=1 \
    -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 -artifact_prefix="$dir/artifacts/$t-" \
    >"$dir/logs/$t.log" 2>&1; then
    echo "fuzz_$t: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$dir/logs/$t.log" | grep -o '[0-9]*$') inputs, no finding"
  else
    echo "fuzz_$t: FINDING"
    grep -E 'ERROR|runtime error|property broken|timeout|Test unit written' "$dir/logs/$t.log" | head -8
    return 1
  fi
}

status=0
pids=()
names=()
for t in $targets; do
  run "$t" &
  pids+=($!)
  names+=("$t")
  if [ ${#pids[@]} -ge 2 ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
[ $status -eq 0 ] && echo "fuzzing: every target ran ${seconds} s without a finding"
exit $status
