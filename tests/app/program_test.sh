#!/usr/bin/env bash
# Runs the assembled program as a real process, in a private copy of its program folder.
#   program_test.sh second-instance PROGRAM_DIR
#       a second start is refused with the message and ends; the first one runs on
#   program_test.sh xvfb-smoke PROGRAM_DIR
#       under Xvfb: the main window maps, a screenshot is taken, the program closes cleanly
#   program_test.sh splash-countdown PROGRAM_DIR
#       under Xvfb, start after start: the splash shows while its countdown runs or while it is
#       switched on, the main window opens directly otherwise; the settings file counts down
#   program_test.sh outfit-argument PROGRAM_DIR
#       "--outfit CODE": a code that cannot be put on is told once the main window is up; under
#       Xvfb a good one is worn, so saving into slot 1 (F1, Enter) stores its items
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

settings="$work/Zorvex/data/settings.ini"
# Sets "Splashscreen" and "ShowSplash" in the settings file, keeping its CR LF line ends.
set_splash() {
  sed -i -e "s/^Splashscreen=.*\r\$/Splashscreen=$1\r/" -e "s/^ShowSplash=.*\r\$/ShowSplash=$2\r/" "$settings"
}

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
  set_splash 0 1
  ZORVEX_MESSAGE_LOG="$work/first.log" "$program" &
  first=$!
  pids+=("$first")
  wait_for 60 test -s "$XDG_RUNTIME_DIR/zorvex.lock" || fail "the first instance never took its lock"
  sleep 0.5
  # A start that got past the check would count the splash down.
  set_splash 3 1
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
  set_splash 0 1
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
splash-countdown)
  cat > "$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
# One start: expects the splash or the main window as the first window, then ends the program.
set -euo pipefail
program=$1; expect=$2
export QT_QPA_PLATFORM=xcb
splash='^Zorvex 1\.1b$'; main='^Zorvex \[RC 1\.2b\]$'
if [ "$expect" = splash ]; then first=$splash; other=$main; else first=$main; other=$splash; fi
"$program" &
pid=$!
if ! timeout 90 xdotool search --sync --onlyvisible --name "$first" >/dev/null; then
  echo "FAIL: no $expect window" >&2; kill -KILL $pid; exit 1
fi
if xdotool search --name "$other" >/dev/null; then
  echo "FAIL: another window came up with the $expect window" >&2; kill -KILL $pid; exit 1
fi
kill -TERM $pid
status=0; wait $pid || status=$?
exit $status
INNER
  chmod +x "$work/inner.sh"
  count() { grep -a '^Splashscreen=' "$settings" | tr -d '\r' | cut -d= -f2; }
  start() { # the first window expected, the countdown expected afterwards
    xvfb-run -a -s "-screen 0 1024x768x24" "$work/inner.sh" "$program" "$1" \
      || fail "a start expecting the $1 window"
    [ "$(count)" = "$2" ] || fail "countdown $(count) after a start with the $1 window, not $2"
  }
  set_splash 3 1
  start splash 2
  start splash 1
  start main 0
  start main 0
  set_splash 0 0
  start splash 0
  start splash 0
  set_splash 1 1
  start main 0
  echo "splash shown, counted down and skipped as the settings say"
  ;;
outfit-argument)
  set_splash 0 1
  # A code of another version: one message, after the main window has loaded.
  export QT_QPA_PLATFORM=offscreen
  export ZORVEX_MESSAGE_LOG="$work/refused.log"
  "$program" --outfit ZVX7-ABzWAQpEYWlzeSBCb3c &
  pid=$!
  pids+=("$pid")
  wait_for 60 grep -q "newer version of Zorvex (code version 7)" "$ZORVEX_MESSAGE_LOG" \
    || fail "no message for a code of version 7: $(cat "$ZORVEX_MESSAGE_LOG" 2>/dev/null)"
  grep -q "^The outfit was left as it is.$" "$ZORVEX_MESSAGE_LOG" || fail "the message ends otherwise"
  stop_cleanly "$pid"

  # A good code (female: Daisy Bow, Snorkel), then F1 and Enter under Xvfb.
  export ZORVEX_MESSAGE_LOG="$work/worn.log"
  cat > "$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1
export QT_QPA_PLATFORM=xcb
"$program" --outfit=ZVX1-ABzWAQpEYWlzeSBCb3cACFNub3JrZWwAVo8vkQ &
pid=$!
trap 'kill -KILL $pid 2>/dev/null || true' EXIT
main=$(timeout 60 xdotool search --sync --onlyvisible --name 'Zorvex \[RC 1\.2b\]' | head -1)
xdotool windowfocus --sync "$main"
sleep 1
xdotool key F1
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Save Description$' | head -1)
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key Return
for _ in $(seq 1 50); do
  grep -q "Daisy Bow" "$(dirname "$program")/data/save01.dat" && break
  sleep 0.1
done
kill -TERM $pid
status=0; wait $pid || status=$?
trap - EXIT
exit $status
INNER
  chmod +x "$work/inner.sh"
  xvfb-run -a -s "-screen 0 1024x768x24" "$work/inner.sh" "$program" \
    || fail "the run with a good code ended with an error"
  expected=$(printf 'Daisy Bow,Armor,Snorkel,Accessories\r\n 1 \r\nDaisy Bow\r\nArmor\r\nSnorkel\r\nAccessories\r\n')
  [ "$(cat "$work/Zorvex/data/save01.dat")" = "$expected" ] \
    || fail "slot 1 holds: $(cat -A "$work/Zorvex/data/save01.dat")"
  [ ! -s "$ZORVEX_MESSAGE_LOG" ] || fail "messages were shown: $(cat "$ZORVEX_MESSAGE_LOG")"
  echo "a refused code was told once the main window was up; a good one was worn"
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
