#!/usr/bin/env bash
# "zorvex --outfit CODE" with the real program: a code that cannot be put on is told once the
# main window is up; a good one is worn, so saving into slot 1 (F1, Enter) stores its items.
#   outfit_argument_test.sh PROGRAM_DIR
set -euo pipefail
assembled=$1

work=$(mktemp -d)
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

cp -a "$assembled" "$work/Zorvex"
# Straight to the main window, without the splash.
sed -i -e 's/^Splashscreen=.*\r$/Splashscreen=0\r/' -e 's/^ShowSplash=.*\r$/ShowSplash=1\r/' \
  "$work/Zorvex/data/settings.ini"
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

# A code of another version: one message, after the main window has loaded.
export ZORVEX_MESSAGE_LOG="$work/refused.log"
QT_QPA_PLATFORM=offscreen "$program" --outfit ZVX7-ABzWAQpEYWlzeSBCb3c &
pid=$!
wait_for 60 grep -q "newer version of Zorvex (code version 7)" "$ZORVEX_MESSAGE_LOG" \
  || { kill -KILL $pid; fail "no message for a code of version 7: $(cat "$ZORVEX_MESSAGE_LOG" 2>/dev/null)"; }
grep -q "The outfit was left as it is." "$ZORVEX_MESSAGE_LOG" || fail "the message does not end as it should"
kill -TERM $pid
status=0; wait $pid || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# A good code (female: Daisy Bow, Snorkel), then F1 and Enter under Xvfb.
export ZORVEX_MESSAGE_LOG="$work/worn.log"
cat > "$work/run.sh" <<'INNER'
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
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh" "$program" || fail "the run with a good code ended with an error"
expected=$(printf 'Daisy Bow,Armor,Snorkel,Accessories\r\n 1 \r\nDaisy Bow\r\nArmor\r\nSnorkel\r\nAccessories\r\n')
[ "$(cat "$work/Zorvex/data/save01.dat")" = "$expected" ] \
  || fail "slot 1 holds: $(cat -A "$work/Zorvex/data/save01.dat")"
[ ! -s "$ZORVEX_MESSAGE_LOG" ] || fail "messages were shown: $(cat "$ZORVEX_MESSAGE_LOG")"
echo "a refused code was told once the main window was up; a good one was worn"
