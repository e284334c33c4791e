#!/usr/bin/env bash
# Starts the program under Xvfb as a user would: the splash is confirmed with Enter, the main
# window comes up connected to the simulated transmitter on COM1, File > Exit (F10) ends it, and the settings file it wrote is checked line by line.
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
shot=${2:-}
export build shot
xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  set -euo pipefail
  cd "$build"
  rm -f Vorta.ini
  ./vorta-sim --port COM1 >/dev/null 2>&1 & sim=$!
  for i in $(seq 1 50); do [ -e ports/COM1 ] && break; sleep 0.1; done
  ./vorta & pid=$!
  trap "kill $pid $sim 2>/dev/null || true" EXIT
  for i in $(seq 1 50); do xdotool search --name "Vorta Transmitter" >/dev/null 2>&1 && break; sleep 0.2; done
  xdotool key Return
  for i in $(seq 1 50); do w=$(xdotool search --name "No_name|Unspecified type" 2>/dev/null | head -1) && [ -n "$w" ] && break; sleep 0.2; done
  [ -n "${w:-}" ] || { echo "the main window did not appear"; exit 1; }
  sleep 1
  for i in $(seq 1 20); do xdotool windowfocus "$w" 2>/dev/null && break; sleep 0.3; done
  sleep 2
  [ -n "$shot" ] && import -window root "$shot"
  xdotool key F10
  for i in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  wait $pid
'
expected=$'Vorta initial parameters:\r\n\r\nComPort=\r\nRTPriority=\r\n\r\nMainLeft=\r\nMainTop=\r\n\r\nLanguage=\r\nDataDir=\r\nPass=\r\n'
actual=$(sed -e 's/=.*\r$/=\r/' "$build/Vorta.ini"; echo x)
[ "${actual%x}" = "$expected" ] || { echo "Vorta.ini is not in the eleven-line layout:"; cat -A "$build/Vorta.ini"; exit 1; }
echo "vorta started, showed its main window and wrote Vorta.ini on exit"
