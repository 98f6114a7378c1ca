# Helpers for the tests that run the assembled program as a real process and drive it with
# xdotool on a private X server. Sourced by those test scripts and, through $ZVTEST_SESSION, by
# the scripts they run on the X server.
#
# Nothing here relies on the program having been quick enough: every step waits, up to a deadline
# far beyond any real run, for something that can be seen (a window mapped or focused, a pop-up
# menu shown, a file's content). A machine under load makes a test slower, never red.

ZVTEST_SESSION=${ZVTEST_SESSION:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/program_session.sh}
export ZVTEST_SESSION

# Ends the script with a message; on an X server it also lists the windows on the screen.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    xwininfo -root -children 2>/dev/null | grep -E '^ +0x' | grep -v '(has no name)' >&2 || true
  fi
  exit 1
}

# wait_for SECONDS COMMAND...: runs the command every tenth of a second until it succeeds; false
# when it has not succeeded within the time.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# with_display COMMAND...: runs the command on an X server of its own (1024 x 768, 24 bits).
# A number is free while no lock file names it; a server takes its lock before it touches
# anything else, so of two starts on one number one ends at once and the next number is tried.
# (Letting the server search a free number itself is no good: it tries numbers that are taken
# and, in passing, removes the socket file of the server that runs on them.)
with_display() {
  local dir number=${ZVTEST_DISPLAY_BASE:-20} xvfb status=0 tries=0
  dir=$(mktemp -d)
  server_up() { [ "$(wc -l <"$dir/display")" -ge 1 ] || ! kill -0 "$xvfb" 2>/dev/null; }
  while :; do
    while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
    : >"$dir/display"
    # The number is written, with its line end, once the server takes connections.
    Xvfb ":$number" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac \
      3>"$dir/display" >"$dir/log" 2>&1 &
    xvfb=$!
    wait_for 120 server_up || true
    [ "$(wc -l <"$dir/display")" -ge 1 ] && break
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    tries=$((tries + 1))
    if [ "$tries" -ge 50 ]; then
      echo "FAIL: no X server would start: $(cat "$dir/log")" >&2
      rm -rf "$dir"
      return 1
    fi
    number=$((number + 1))
  done
  DISPLAY=":$number" XAUTHORITY=/dev/null "$@" || status=$?
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$dir"
  return "$status"
}

# The main window's title, as a pattern for await_window.
MAIN_WINDOW='^Zorvex \[RC 1\.2b\]$'

# start_program COMMAND...: starts the command in the background as $pid; a script that ends
# before end_program takes the process with it.
start_program() {
  "$@" &
  pid=$!
  trap 'kill -KILL $pid 2>/dev/null || true' EXIT
}

# end_program: asks the process of start_program to end (a termination request) and ends the
# script with the process's exit status.
end_program() {
  local status=0
  kill -TERM "$pid"
  wait "$pid" || status=$?
  trap - EXIT
  exit "$status"
}

# The id of a viewable window whose name matches the extended regular expression, or nothing.
# (xdotool can fail while windows come and go; that counts as not found yet.)
window_named() {
  local ids
  ids=$(xdotool search --onlyvisible --name "$1" 2>/dev/null) || true
  printf '%s' "${ids%%$'\n'*}"
}

# await_window NAME [SECONDS]: prints the id of the window once it is viewable.
await_window() {
  local deadline=$((SECONDS + ${2:-120})) id
  while :; do
    id=$(window_named "$1")
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

window_gone() { [ -z "$(window_named "$1")" ]; }

# The window that has the keyboard focus.
focused_window() { xdotool getwindowfocus 2>/dev/null || true; }
has_focus() { [ "$(focused_window)" = "$1" ]; }

# focus WINDOW: gives the window the keyboard focus and waits until the X server says it has it.
# A window the program gives the focus to as it opens is waited for with has_focus instead: were
# the focus taken from it first, the program's own request could still come after and take it
# back.
focus() {
  local window=$1
  take_focus() {
    has_focus "$window" && return 0
    xdotool windowfocus "$window" 2>/dev/null || true
    return 1
  }
  wait_for 60 take_focus || fail "window $window never took the keyboard focus"
}

# Whether process PID shows a pop-up menu: a window of its own placed by the program itself
# (override-redirect), as menus are. (Their window type is no guide: a menu shown again keeps
# the type of a normal window.)
popup_shown() {
  local ids window info
  ids=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null) || return 1
  for window in $ids; do
    info=$(xwininfo -id "$window" 2>/dev/null) || continue
    [[ $info == *"Map State: IsViewable"* && $info == *"Override Redirect State: yes"* ]] &&
      return 0
  done
  return 1
}
no_popup() { ! popup_shown "$1"; }

# open_menu PID WINDOW KEY: opens a menu of the window with its key (alt+letter) and waits until it
# shows. The next key goes to the menu.
open_menu() {
  wait_for 60 no_popup "$1" || fail "a menu was open already"
  focus "$2"
  xdotool key "$3"
  wait_for 120 popup_shown "$1" || fail "$3 opened no menu"
}

# settle PID MAIN-WINDOW: returns once the program has handled every key and window change sent
# to it so far. X hands a client its events in order, so the File menu that Alt+F opens shows only
# after everything before it has been handled; Escape closes it again.
settle() {
  open_menu "$1" "$2" alt+f
  xdotool key Escape
  wait_for 120 no_popup "$1" || fail "Escape did not close the menu"
}
