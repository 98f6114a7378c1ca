#!/usr/bin/env bash
# Runs the assembled program as a real process, in a private copy of its program folder.
#   program_test.sh second-instance PROGRAM_DIR
#       a second start is refused with the message and ends; the first one runs on
#   program_test.sh xvfb-smoke PROGRAM_DIR
#       under Xvfb: the main window maps, a screenshot is taken, the program closes cleanly
set -euo pipefail
mode=$1
assembled=$2

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

cp -a "$assembled" "$work/Zorvex"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy
program="$work/Zorvex/zorvex"

fail() { echo "FAIL: $*" >&2; exit 1; }

wait_for() { # seconds, command...
  local limit=$1; shift
  for _ in $(seq 1 $((limit * 10))); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Ends the program with a termination request and expects an orderly exit (status 0).
stop_cleanly() {
  local pid=$1
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status after a termination request"
}

case "$mode" in
second-instance)
  export QT_QPA_PLATFORM=offscreen
  ZORVEX_MESSAGE_LOG="$work/first.log" "$program" &
  first=$!
  pids+=("$first")
  wait_for 60 test -s "$XDG_RUNTIME_DIR/zorvex.lock" || fail "the first instance never took its lock"
  sleep 0.5
  cp "$work/Zorvex/data/settings.ini" "$work/settings.before"

  status=0
  ZORVEX_MESSAGE_LOG="$work/second.log" timeout 60 "$program" || status=$?
  [ "$status" -eq 0 ] || fail "the second instance ended with status $status"
  grep -q "^An instance of the program is already running!$" "$work/second.log" \
    || fail "no message title: $(cat "$work/second.log" 2>/dev/null)"
  grep -q "^Program is already running. Check the taskbar & systemtray!$" "$work/second.log" \
    || fail "no message text"
  kill -0 "$first" 2>/dev/null || fail "the first instance did not survive"
  cmp -s "$work/settings.before" "$work/Zorvex/data/settings.ini" || fail "the second instance changed the settings"
  stop_cleanly "$first"
  echo "second instance refused; first instance ran on and closed cleanly"
  ;;
xvfb-smoke)
  cat > "$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1; shot=$2
export QT_QPA_PLATFORM=xcb
"$program" &
pid=$!
if ! timeout 90 xdotool search --sync --onlyvisible --name 'Zorvex \[RC 1\.2b\]' >/dev/null; then
  echo "FAIL: the main window never mapped" >&2; kill -KILL $pid; exit 1
fi
xwd -root -silent -out "$shot"
kill -TERM $pid
status=0; wait $pid || status=$?
exit $status
INNER
  chmod +x "$work/inner.sh"
  status=0
  xvfb-run -a -s "-screen 0 1024x768x24" "$work/inner.sh" "$program" "$work/screen.xwd" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
  [ -s "$work/screen.xwd" ] || fail "no screenshot"
  if [ -n "${ZORVEX_BINARY_DIR:-}" ]; then cp "$work/screen.xwd" "$ZORVEX_BINARY_DIR/smoke-screen.xwd"; fi
  echo "main window mapped, screenshot taken, program closed cleanly"
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
