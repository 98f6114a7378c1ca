#!/usr/bin/env bash
# The wardrobe window of the real program, under Xvfb: it opens where the settings file says,
# and where the user moved it is where it opens after the program is started again.
#   wardrobe_position_test.sh PROGRAM_DIR
set -euo pipefail
assembled=$1
source "$(dirname "$0")/../support/program_session.sh"

work=$(mktemp -d)
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

cp -a "$assembled" "$work/Zorvex"
# Straight to the main window, without the splash.
sed -i -e 's/^Splashscreen=.*\r$/Splashscreen=0\r/' -e 's/^ShowSplash=.*\r$/ShowSplash=1\r/' \
  "$work/Zorvex/data/settings.ini"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# A lock of its own: tests running side by side (and a program the user runs) never meet.
export ZORVEX_INSTANCE_LOCK="$work/zorvex.lock"
export SDL_AUDIODRIVER=dummy
export ZORVEX_MESSAGE_LOG="$work/messages.log"

setting() { # key: the value of the key in section [Wardrobe]
  awk -v key="$1" 'BEGIN { RS = "\r\n" } /^\[/ { in_section = ($0 == "[Wardrobe]") }
    in_section && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' \
    "$work/Zorvex/data/settings.ini"
}

# One run of the program: load slot 1 (it chooses a gender), open the wardrobe from the menu
# bar, print its position, move it when asked, end the program with a termination request.
cat > "$work/run.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1; moveTo=${2:-}
source "$ZVTEST_SESSION"
export QT_QPA_PLATFORM=xcb
start_program "$program"
main=$(await_window "$MAIN_WINDOW") || fail "the main window never mapped"
focus "$main"
xdotool key ctrl+F1
open_menu "$pid" "$main" alt+w
xdotool key Return
wardrobe=$(await_window '^Wardrobe$') || fail "the wardrobe never opened"
xdotool getwindowgeometry --shell "$wardrobe" | grep -E '^(X|Y)='
if [ -n "$moveTo" ]; then
  xdotool windowmove --sync "$wardrobe" ${moveTo/,/ }
  # The program has seen the move before it is asked to end.
  settle "$pid" "$main"
fi
end_program
INNER
chmod +x "$work/run.sh"
run() {
  with_display "$work/run.sh" "$work/Zorvex/zorvex" "$@"
}

# Installed: 1500 twips each way, 100 pixels.
[ "$(setting PosX)" = 1500 ] && [ "$(setting PosY)" = 1500 ] || fail "unexpected installed position"
first=$(run 300,220) || fail "the first run ended with an error"
[ "$(echo $first)" = "X=100 Y=100" ] || fail "the wardrobe opened at $(echo $first), not at 100,100"
[ "$(setting PosX)" = 4500 ] || fail "PosX is $(setting PosX) after moving the wardrobe to x 300"
[ "$(setting PosY)" = 3300 ] || fail "PosY is $(setting PosY) after moving the wardrobe to y 220"

second=$(run) || fail "the second run ended with an error"
[ "$(echo $second)" = "X=300 Y=220" ] || fail "after a restart the wardrobe opened at $(echo $second)"
[ ! -s "$ZORVEX_MESSAGE_LOG" ] || fail "messages were shown: $(cat "$ZORVEX_MESSAGE_LOG")"
echo "the wardrobe opened where it was stored and, after a restart, where it was moved"
