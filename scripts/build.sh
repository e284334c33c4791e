#!/usr/bin/env bash
# Configures and builds into build/ (or $1), with warnings as errors. Extra CMake options may follow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTA_WERROR=ON "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
