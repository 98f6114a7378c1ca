#!/usr/bin/env bash
# Runs the assembled program as a real process, in a private copy of its program folder.
#   program_test.sh second-instance PROGRAM_DIR
#       a second start, from an environment with other runtime and temporary folders, is
#       refused with the message and ends; the first one runs on
#   program_test.sh xvfb-smoke PROGRAM_DIR
#       under Xvfb: the main window maps, a screenshot is taken, the program closes cleanly
#   program_test.sh splash-countdown PROGRAM_DIR
#       under Xvfb, start after start: the splash shows while its countdown runs or while it is
#       switched on, the main window opens directly otherwise; the settings file counts down
#   program_test.sh foreign-folder-name PROGRAM_DIR
#       from a program folder whose name is not valid UTF-8 (Latin-1 byte 0xFC), started in
#       another working folder: it finds its files, complains about nothing, writes nothing there
#   program_test.sh stale-temp PROGRAM_DIR
#       a run killed outright leaves its private temporary folder; the next start removes it
#   program_test.sh quiet-start PROGRAM_DIR
#       without the splash and with the music off, the started program has loaded neither the
#       sound library nor the network library; with the music on it has the sound library
#   program_test.sh tray PROGRAM_DIR TRAY_HOST
#       on a private session bus with a StatusNotifier notification area (TRAY_HOST), under Xvfb
#       with a window manager: minimising puts the window into the notification area, the
#       host's activation brings it back, and so do the icon's menu entries Restore and Exit
#   program_test.sh outfit-argument PROGRAM_DIR
#       "--outfit CODE": a code that cannot be put on is told once the main window is up; under
#       Xvfb a good one is worn, so saving into slot 1 (F1, Enter) stores its items
# Each run names its own single-instance lock, so that tests running side by side (and a
# program the user runs meanwhile) never meet.
set -euo pipefail
mode=$1
assembled=$2
host=${3:-}
source "$(dirname "$0")/../support/program_session.sh"

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
export ZORVEX_INSTANCE_LOCK="$work/zorvex.lock"
export SDL_AUDIODRIVER=dummy
program="$work/Zorvex/zorvex"

settings="$work/Zorvex/data/settings.ini"
# Sets "Splashscreen" and "ShowSplash" in the settings file, keeping its CR LF line ends.
set_splash() {
  sed -i -e "s/^Splashscreen=.*\r\$/Splashscreen=$1\r/" -e "s/^ShowSplash=.*\r\$/ShowSplash=$2\r/" "$settings"
}

# Starts the program with the message log $work/messages.log (the command and its arguments
# given) and waits until its main window is built; sets $pid.
start_logged() {
  ZORVEX_MESSAGE_LOG="$work/messages.log" "$@" &
  pid=$!
  pids+=("$pid")
  wait_for 120 lock_held_by "$pid" || fail "the program never took its lock"
  wait_for 120 has_temp_folder "$pid" || fail "the main window was never built"
}

# Ends the program with a termination request and expects an orderly exit (status 0).
stop_cleanly() {
  local pid=$1
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status after a termination request"
}

# Whether the lock file names process $1 (its first line is the owner's process id).
lock_held_by() { [ "$(head -n 1 "$ZORVEX_INSTANCE_LOCK" 2>/dev/null)" = "$1" ]; }

# The private temporary folder of process $1 (the main window makes it as it is built).
temp_folder_of() { find "$XDG_RUNTIME_DIR" -maxdepth 1 -name "zorvex-$1-*"; }
has_temp_folder() { [ -n "$(temp_folder_of "$1")" ]; }

case "$mode" in
second-instance)
  export QT_QPA_PLATFORM=offscreen
  set_splash 0 1
  ZORVEX_MESSAGE_LOG="$work/first.log" "$program" &
  first=$!
  pids+=("$first")
  wait_for 120 lock_held_by "$first" || fail "the first instance never took its lock"
  # Past its own splash decision once its main window is built; from then on only the second
  # start could count the splash down, had it got past the check.
  wait_for 120 has_temp_folder "$first" || fail "the first instance never built its main window"
  set_splash 3 1
  cp "$work/Zorvex/data/settings.ini" "$work/settings.before"

  # As if started from a shell whose runtime and temporary folders differ from the desktop's.
  mkdir -m 700 -p "$work/run2" "$work/tmp2"
  status=0
  XDG_RUNTIME_DIR="$work/run2" TMPDIR="$work/tmp2" ZORVEX_MESSAGE_LOG="$work/second.log" \
    timeout 120 "$program" || status=$?
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
source "$ZVTEST_SESSION"
export QT_QPA_PLATFORM=xcb
start_program "$program"
await_window "$MAIN_WINDOW" >/dev/null || fail "the main window never mapped"
xwd -root -silent -out "$shot"
end_program
INNER
  chmod +x "$work/inner.sh"
  status=0
  with_display "$work/inner.sh" "$program" "$work/screen.xwd" || status=$?
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
source "$ZVTEST_SESSION"
export QT_QPA_PLATFORM=xcb
splash='^Zorvex 1\.1b$'; main='^Zorvex \[RC 1\.2b\]$'
if [ "$expect" = splash ]; then first=$splash; other=$main; else first=$main; other=$splash; fi
start_program "$program"
await_window "$first" >/dev/null || fail "no $expect window"
# (Mapped or not: neither window is made before it is to be shown.)
if [ -n "$(xdotool search --name "$other" 2>/dev/null)" ]; then
  fail "another window came up with the $expect window"
fi
end_program
INNER
  chmod +x "$work/inner.sh"
  count() { grep -a '^Splashscreen=' "$settings" | tr -d '\r' | cut -d= -f2; }
  start() { # the first window expected, the countdown expected afterwards
    with_display "$work/inner.sh" "$program" "$1" || fail "a start expecting the $1 window"
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
foreign-folder-name)
  export QT_QPA_PLATFORM=offscreen
  set_splash 0 1
  folder="$work/Zorv"$'\xfc'"x"
  mv "$work/Zorvex" "$folder"
  mkdir "$work/elsewhere"
  cd "$work/elsewhere"
  start_logged "$folder/zorvex"
  # Termination requests are handled once the main window's start-up has run: every message it
  # raised is in the log by the time the program has ended.
  stop_cleanly "$pid"
  [ ! -s "$work/messages.log" ] || fail "messages at start-up: $(cat "$work/messages.log")"
  [ -z "$(ls -A "$work/elsewhere")" ] || fail "files written in the working folder: $(ls -A "$work/elsewhere")"
  echo "started from a folder named with byte 0xFC, found its files, wrote nothing elsewhere"
  ;;
stale-temp)
  export QT_QPA_PLATFORM=offscreen
  set_splash 0 1
  "$program" &
  killed=$!
  pids+=("$killed")
  wait_for 120 lock_held_by "$killed" || fail "the first run never took its lock"
  wait_for 120 has_temp_folder "$killed" \
    || fail "the first run has no private temporary folder in $XDG_RUNTIME_DIR"
  left=$(temp_folder_of "$killed")
  kill -KILL "$killed"
  wait "$killed" 2>/dev/null || true
  [ -d "$left" ] || fail "the killed run's folder went away by itself"

  "$program" &
  next=$!
  pids+=("$next")
  wait_for 120 lock_held_by "$next" || fail "the next run never took over the stale lock"
  wait_for 60 test ! -e "$left" || fail "the killed run's folder $left is still there"
  stop_cleanly "$next"
  [ -z "$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'zorvex-*')" ] \
    || fail "folders left behind: $(ls "$XDG_RUNTIME_DIR")"
  echo "the killed run's temporary folder was removed by the next start"
  ;;
quiet-start)
  export QT_QPA_PLATFORM=offscreen
  set_splash 0 1
  sound_on() { sed -i "s/^SoundOn=.*\r\$/SoundOn=$1\r/" "$settings"; }
  # The shared objects a running process has mapped.
  loaded() { grep -c -- "$2" "/proc/$1/maps" || true; }
  for music in 0 1; do
    sound_on "$music"
    start_logged "$program"
    # The load has run once the window's temporary folder is there and a moment has passed.
    sleep 1
    sdl=$(loaded "$pid" libSDL2)
    net=$(loaded "$pid" libQt6Network)
    stop_cleanly "$pid"
    [ "$net" -eq 0 ] || fail "the network library is loaded at start-up (music $music)"
    if [ "$music" = 0 ]; then
      [ "$sdl" -eq 0 ] || fail "the sound library is loaded although the music is off"
    else
      [ "$sdl" -gt 0 ] || fail "the music is on but the sound library is not loaded"
    fi
  done
  [ ! -s "$work/messages.log" ] || fail "messages at start-up: $(cat "$work/messages.log")"
  echo "a quiet start loads neither sound nor network library; music at start loads the sound"
  ;;
tray)
  [ -x "$host" ] || fail "no tray host program given"
  set_splash 0 1
  sed -i 's/^SystemTray=.*/SystemTray=1\r/' "$work/Zorvex/data/settings.ini"
  grep -q $'^SystemTray=1\r$' "$work/Zorvex/data/settings.ini" || fail "cannot switch the setting on"
  # twm iconifies a window when asked (as a user's minimise does); placing windows by itself.
  printf '%s\n' RandomPlacement 'UsePPosition "on"' NoTitle 'TitleFont "fixed"' \
    'ResizeFont "fixed"' 'MenuFont "fixed"' 'IconFont "fixed"' 'IconManagerFont "fixed"' \
    > "$work/twmrc"
  cat > "$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1; host=$2; work=$3
# Whatever this started ends with it, so that nothing holds the test's output open.
trap 'kill -KILL $(jobs -p) 2>/dev/null || true' EXIT
source "$ZVTEST_SESSION"
# (Output is taken whole before it is searched: a search that stops early would end its
# writer with a broken pipe, which pipefail counts as failure.)
viewable() {
  local info
  info=$(xwininfo -id "$win" 2>/dev/null) || return 1
  [[ $info == *"Map State: IsViewable"* ]]
}
hidden() { ! viewable; }
# Whether the window manager has taken the window into a frame of its own.
framed() {
  local info root parent
  info=$(xwininfo -tree -id "$win" 2>/dev/null) || return 1
  root=$(sed -n 's/^ *Root window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
  parent=$(sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
  [ -n "$parent" ] && [ "$parent" != "$root" ]
}
# The icon most lately registered with the notification area, and whether it is there now.
item() { sed -n 's/^registered //p' "$work/host.log" | tail -n 1; }
icon_shown() {
  local name
  name=$(item)
  [ -n "$name" ] && "$host" shown "$name"
}
icon_gone() { ! icon_shown; }
minimise() {
  xdotool windowminimize "$win"
  wait_for 60 icon_shown || fail "minimising did not put the icon into the notification area"
  wait_for 60 hidden || fail "the window stayed on the screen"
}

twm -f "$work/twmrc" >/dev/null 2>&1 &
"$host" watch > "$work/host.log" &
wait_for 60 grep -q '^ready$' "$work/host.log" || fail "the notification area did not start"

export QT_QPA_PLATFORM=xcb
"$program" &
pid=$!
win=$(await_window "$MAIN_WINDOW") || fail "the main window never mapped"
# Minimising is the window manager's work: it must have the window first.
wait_for 60 framed || fail "the window manager never took the main window"

minimise
menu=$("$host" menu "$(item)" | tr '\n' ',')
[ "$menu" = "Restore,Exit," ] || fail "the icon's menu is [$menu]"

# The host's activation (a click on the icon there) restores the window and takes the icon away.
"$host" activate "$(item)" || fail "the icon cannot be activated"
wait_for 60 viewable || fail "activating the icon did not restore the window"
wait_for 60 icon_gone || fail "the icon stayed after the window came back"

minimise
"$host" click "$(item)" Restore || fail "the menu entry Restore cannot be chosen"
wait_for 60 viewable || fail "Restore did not bring the window back"
wait_for 60 icon_gone || fail "the icon stayed after Restore"

minimise
"$host" click "$(item)" Exit || fail "the menu entry Exit cannot be chosen"
status=0
timeout 120 tail --pid="$pid" -f /dev/null || fail "Exit did not end the program"
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status after Exit"
echo "minimised into the notification area, restored by activation and by Restore, ended by Exit"
INNER
  chmod +x "$work/inner.sh"
  status=0
  with_display dbus-run-session -- "$work/inner.sh" "$program" "$host" "$work" || status=$?
  [ "$status" -eq 0 ] || fail "the tray test ended with status $status"
  ;;
outfit-argument)
  set_splash 0 1
  # A code of another version: one message, after the main window has loaded.
  export QT_QPA_PLATFORM=offscreen
  export ZORVEX_MESSAGE_LOG="$work/refused.log"
  "$program" --outfit ZVX7-ABzWAQpEYWlzeSBCb3c &
  pid=$!
  pids+=("$pid")
  wait_for 120 grep -q "newer version of Zorvex (code version 7)" "$ZORVEX_MESSAGE_LOG" \
    || fail "no message for a code of version 7: $(cat "$ZORVEX_MESSAGE_LOG" 2>/dev/null)"
  grep -q "^The outfit was left as it is.$" "$ZORVEX_MESSAGE_LOG" || fail "the message ends otherwise"
  stop_cleanly "$pid"

  # A good code (female: Daisy Bow, Snorkel), then F1 and Enter under Xvfb.
  export ZORVEX_MESSAGE_LOG="$work/worn.log"
  cat > "$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1
source "$ZVTEST_SESSION"
export QT_QPA_PLATFORM=xcb
start_program "$program" --outfit=ZVX1-ABzWAQpEYWlzeSBCb3cACFNub3JrZWwAVo8vkQ
main=$(await_window "$MAIN_WINDOW") || fail "the main window never mapped"
# The code is put on right after the main window has loaded, before any key is handled.
settle "$pid" "$main"
focus "$main"
xdotool key F1
dialog=$(await_window '^Save Description$') || fail "F1 opened no description dialog"
wait_for 60 has_focus "$dialog" || fail "the description dialog did not take the focus"
xdotool key Return
wait_for 120 window_gone '^Save Description$' || fail "Enter did not close the description dialog"
settle "$pid" "$main"
end_program
INNER
  chmod +x "$work/inner.sh"
  with_display "$work/inner.sh" "$program" || fail "the run with a good code ended with an error"
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
