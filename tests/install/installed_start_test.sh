#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed programs as a user would on
# a machine where the program's folder is not theirs: the simulated transmitter makes its port
# link in ~/.config/vorta, the configurator (offscreen) reads Vorta.ini from there, finds the
# Polish language file in share/vorta, polls the transmitter on the port the settings name, and on
# SIGTERM ends as File > Exit would, writing Vorta.ini back there and nothing into bin/.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
sim=""
vorta=""
cleanup() {
  [ -n "$vorta" ] && kill "$vorta" 2>/dev/null || true
  [ -n "$sim" ] && kill "$sim" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  [ -f "$tmp/sim.log" ] && tail -5 "$tmp/sim.log"
  exit 1
}
wait_for() {  # wait_for <tries of 0.1 s> <command...>
  local tries=$1
  shift
  for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
for f in bin/vorta bin/vorta-sim share/applications/vorta.desktop share/icons/hicolor/scalable/apps/vorta.svg \
  share/vorta/Polski.lan share/vorta/VortaEN/index.html share/vorta/VortaPL/index.html bin/vorta-cli; do
  [ -e "$tmp/usr/$f" ] || fail "the installation has no $f"
done

export HOME="$tmp/home" QT_QPA_PLATFORM=offscreen
unset XDG_CONFIG_HOME
config="$HOME/.config/vorta"
mkdir -p "$config"
printf 'Vorta initial parameters:\r\n\r\nComPort=7\r\nRTPriority=0\r\n\r\nLanguage=Polski\r\n' >"$config/Vorta.ini"

"$tmp/usr/bin/vorta-sim" --port COM7 --verbose >"$tmp/sim.log" 2>&1 &
sim=$!
wait_for 100 test -e "$config/ports/COM7" || fail "vorta-sim made no link $config/ports/COM7"
[ -p "$config/vorta-sim-COM7.ctl" ] || fail "vorta-sim keeps no control FIFO in $config"

# Started offscreen, the program reads its settings and waits at the splash; SIGTERM ends it as
# File > Exit would.
catches_term() { [ $((0x$(sed -n 's/^SigCgt:\t//p' "/proc/$1/status" 2>/dev/null || echo 0) >> 14 & 1)) -eq 1 ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }
"$tmp/usr/bin/vorta" >"$tmp/vorta.log" 2>&1 &
vorta=$!
wait_for 300 catches_term "$vorta" || fail "the installed vorta did not start"
kill -TERM "$vorta"
wait_for 100 ended "$vorta" || fail "vorta did not end on SIGTERM"
wait "$vorta" || true
vorta=""

grep -q $'^Language=Polski\r$' "$config/Vorta.ini" || fail "the Polish language file was not found: $(cat -A "$config/Vorta.ini")"
grep -q $'^ComPort=7\r$' "$config/Vorta.ini" || fail "Vorta.ini was not written back"
grep -q $'^MainLeft=' "$config/Vorta.ini" || fail "Vorta.ini was not written on exit"
[ -z "$(ls "$tmp/usr/bin" | grep -v '^vorta')" ] || fail "something was written into bin/: $(ls "$tmp/usr/bin")"
# Under a display the splash is confirmed and the program polls the simulated transmitter on the
# port its settings name, through the link the simulator made in the same folder.
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  export tmp
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
    "$tmp/usr/bin/vorta" >>"$tmp/vorta.log" 2>&1 & pid=$!
    for i in $(seq 1 100); do xdotool search --name "Vorta Transmitter" >/dev/null 2>&1 && break; sleep 0.1; done
    xdotool key Return
    for i in $(seq 1 300); do [ "$(grep -c "^<- 6D 20" "$tmp/sim.log" || true)" -ge 3 ] && break; sleep 0.1; done
    kill -TERM $pid
    for i in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    wait $pid || true' || true
  [ "$(grep -c '^<- 6D 20' "$tmp/sim.log" || true)" -ge 3 ] || fail "the installed vorta did not poll COM7"
fi
echo "installed vorta started offscreen, kept its settings in $config and ended on SIGTERM"
