#!/usr/bin/env bash
# Starts the program under Xvfb, lets it run for a few seconds and checks that it came up and
# closed cleanly when asked to.
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
export VORTA_SMOKE_EXIT_MS=4000
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/vorta"
echo "vorta started and ended under Xvfb"
