#!/usr/bin/env bash
# The assembled program run twice under Xvfb, as a player would: the figures typed into the basic
# calculator are stored when the program ends and are back in both calculators after a restart.
#   restart_test.sh PROGRAM_DIR
set -euo pipefail
assembled=$1
source "$(dirname "$0")/../support/program_session.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a "$assembled" "$work/Zorvex"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# A lock of its own: tests running side by side (and a program the user runs) never meet.
export ZORVEX_INSTANCE_LOCK="$work/zorvex.lock"
export SDL_AUDIODRIVER=dummy
settings="$work/Zorvex/data/settings.ini"

# The figures are kept only when the settings ask for it; the splash is not part of this.
grep -q $'^SaveLoad=1\r$' "$settings" || fail "the installed settings do not keep calculator figures"
sed -i -e $'s/^Splashscreen=.*\r$/Splashscreen=0\r/' -e $'s/^ShowSplash=.*\r$/ShowSplash=1\r/' "$settings"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
# session.sh PROGRAM MENU-KEYS... -- TYPED-KEYS...: opens the calculators through the menu with
# the keyboard, types into the one opened last, then ends the program with a termination request.
set -euo pipefail
program=$1; shift
source "$ZVTEST_SESSION"
export QT_QPA_PLATFORM=xcb
start_program "$program"
main=$(await_window "$MAIN_WINDOW") || fail "the main window never mapped"
calc=
while [ "$1" != "--" ]; do
  open_menu "$pid" "$main" alt+t
  xdotool key "$1"
  case "$1" in
    b) title='^Basic Time Calculation$' ;;
    a) title='^Advanced Time Calculation$' ;;
  esac
  calc=$(await_window "$title") || fail "the menu did not open \"$title\""
  # The program gives a calculator the focus as it opens; only then is the main window's again
  # for the next menu.
  wait_for 60 has_focus "$calc" || fail "the calculator \"$title\" did not take the focus"
  shift
done
shift
for key in "$@"; do
  case "$key" in
    Tab|Return) xdotool key "$key" ;;
    *) xdotool type --delay 40 "$key" ;;
  esac
done
# Everything typed has been handled before the program is asked to end.
settle "$pid" "$main"
end_program
SESSION
chmod +x "$work/session.sh"

run() {
  local status=0
  with_display "$work/session.sh" "$work/Zorvex/zorvex" "$@" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# First run: type into the basic calculator (its first input has the focus) and end the program.
run b -- 52.5 Tab 100 Tab 50 Tab 10 Return
for entry in WinRate=52.5 GoldPerWin=100 GoldPerLoss=50 GameTime=10; do
  grep -q "^$entry"$'\r$' "$settings" || fail "not stored: $entry"
done
cp "$settings" "$work/after-first"

# Second run: both calculators open and close without a key typed. Had either of them not brought
# the figures back, closing it would store its empty boxes.
run b a --
cmp -s "$work/after-first" "$settings" || fail "the figures did not survive the restart: $(diff "$work/after-first" "$settings" | tr -d '\r')"
echo "figures stored at the end of the program and restored after a restart"
