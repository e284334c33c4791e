#!/usr/bin/env bash
# Installs what is missing, builds, starts the simulated transmitter on COM1 and opens the main
# window connected to it. The simulator ends when the window is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build"
sim_pid=""
if [ -x ./vorta-sim ]; then
  ./vorta-sim --port COM1 &
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 1 50); do [ -e ports/COM1 ] && break; sleep 0.1; done
fi
./vorta
