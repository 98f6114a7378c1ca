#!/usr/bin/env bash
# The installed program, as a package or `cmake --install` lays it out.
#   install_test.sh layout BUILD_DIR PROGRAM_DIR
#       install into a temporary prefix: the layout, the link bin/zorvex, the icon sizes; the
#       desktop entry and the AppStream description validate
#   install_test.sh user-files BUILD_DIR PROGRAM_DIR
#       under Xvfb, two runs of a player's session (load a slot, save it under a new name, type
#       calculator figures; then load what was saved and save it again): the installed program,
#       from a read-only prefix and as an ordinary user (nobody, when the test runs as root, who
#       may write anywhere), keeps everything in the user's XDG folders and leaves the prefix
#       byte for byte as installed; a portable program folder gets the very same files in its
#       own data folder and touches no user folder
#   install_test.sh package BUILD_DIR PROGRAM_DIR
#       the Debian package of this build: its dependencies are computed, and the program unpacked
#       from it (dpkg-deb -x) starts offscreen, seeds the user's settings and ends cleanly
set -euo pipefail
mode=$1
build=$2
assembled=$3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
source "$source_dir/tests/support/program_session.sh"
app_id=example.zorvex_planner.Zorvex

work=$(mktemp -d)
chmod 755 "$work" # an ordinary user must reach the prefix inside
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=dummy

install_prefix() { # prefix
  cmake --install "$build" --prefix "$1" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
}

# Width and height of a PNG file, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }

# Straight to the main window, without the splash.
no_splash() { sed -i -e $'s/^Splashscreen=.*\r$/Splashscreen=0\r/' -e $'s/^ShowSplash=.*\r$/ShowSplash=1\r/' "$1"; }

case "$mode" in
layout)
  prefix="$work/prefix"
  install_prefix "$prefix"
  [ -L "$prefix/bin/zorvex" ] || fail "bin/zorvex is not a link"
  [ "$(readlink -f "$prefix/bin/zorvex")" = "$(readlink -f "$prefix/lib/zorvex/zorvex")" ] || fail "bin/zorvex does not lead to lib/zorvex/zorvex"
  [ -x "$prefix/lib/zorvex/zorvex" ] || fail "no executable in the program folder"
  for f in data/settings.ini data/save01.dat data/male01.dat graphics/splash.gif whatsnew.txt KV-Intro.mp3 installed.txt; do
    [ -f "$prefix/lib/zorvex/$f" ] || fail "the program folder lacks $f"
  done
  # The user files are the pristine ones, whatever a run of the build's own folder wrote.
  for f in "$source_dir"/assets/userdata/*; do
    cmp -s "$f" "$prefix/lib/zorvex/data/$(basename "$f")" || fail "data/$(basename "$f") is not the shipped one"
  done
  [ -z "$(find "$prefix/lib/zorvex/data" -name 'wardrobe*' -o -name '.zorvex-tmp-*')" ] || fail "a user's wardrobe or temporary file was installed"
  for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$icon" ] || fail "no $size pixel icon"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "the $size pixel icon is $(png_size "$icon")"
  done
  desktop="$prefix/share/applications/$app_id.desktop"
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
  grep -q "^Icon=$app_id\$" "$desktop" || fail "the desktop entry names another icon"
  grep -q '^Exec=zorvex$' "$desktop" || fail "the desktop entry starts something else"
  appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "the AppStream description does not validate"
  echo "installed layout complete; desktop entry and AppStream description valid"
  ;;

user-files)
  # Both program folders start from the same installed files.
  prefix="$work/prefix"
  install_prefix "$prefix"
  no_splash "$prefix/lib/zorvex/data/settings.ini"
  rm -f "$prefix/lib/zorvex/installed.txt" # read-only alone must be enough
  portable="$work/Portable"
  cp -a "$prefix/lib/zorvex" "$portable"
  cp -a "$prefix" "$work/prefix.before"
  chmod -R a-w "$prefix"
  cp "$source_dir/tests/lsan.supp" "$work/lsan.supp"
  chmod 644 "$work/lsan.supp"

  # One user's folders, owned by whoever runs the program.
  runner=()
  if [ "$(id -u)" -eq 0 ]; then
    runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  make_home() { # folder
    mkdir -p "$1/config" "$1/data" "$1/run" "$1/home"
    chmod 700 "$1/run"
    if [ "$(id -u)" -eq 0 ]; then chown -R nobody:nogroup "$1"; fi
  }
  make_home "$work/user"
  make_home "$work/portable-user"
  # A portable folder is the user's own.
  if [ "$(id -u)" -eq 0 ]; then chown -R nobody:nogroup "$portable"; fi

  cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
# session.sh RUN PROGRAM USER-FOLDER RUNNER...: one run of the program under this X server.
set -euo pipefail
run=$1 program=$2 user=$3; shift 3
source "$ZVTEST_SESSION"
# The lock lies in the user's runtime folder, as the user's own program would keep it apart.
start_program env -i PATH="$PATH" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
  HOME="$user/home" XDG_CONFIG_HOME="$user/config" XDG_DATA_HOME="$user/data" \
  XDG_RUNTIME_DIR="$user/run" ZORVEX_MESSAGE_LOG="$user/run/messages.log" \
  ZORVEX_INSTANCE_LOCK="$user/run/zorvex.lock" \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
  LSAN_OPTIONS="suppressions=$LSAN_SUPP:print_suppressions=0" \
  "$@" "$program"
main=$(await_window "$MAIN_WINDOW") || fail "the main window never mapped"
save_into() { # slot key, description to type (empty: keep the proposal)
  focus "$main"
  xdotool key "$1"
  dialog=$(await_window '^Save Description$') || fail "$1 opened no description dialog"
  wait_for 60 has_focus "$dialog" || fail "the description dialog did not take the focus"
  if [ -n "$2" ]; then xdotool type --delay 40 "$2"; fi
  xdotool key Return
  wait_for 120 window_gone '^Save Description$' || fail "Enter did not close the description dialog"
}
calculator() { # figures to type, if any
  open_menu "$pid" "$main" alt+t
  xdotool key b
  calc=$(await_window '^Basic Time Calculation$') || fail "the menu did not open the calculator"
  # The program gives the calculator the focus as it opens.
  wait_for 60 has_focus "$calc" || fail "the calculator did not take the focus"
  for figure in "$@"; do xdotool type --delay 40 "$figure"; xdotool key Tab; done
}
focus "$main"
if [ "$run" = 1 ]; then
  xdotool key ctrl+F2          # the female outfit of slot 2
  save_into F1 "Run one"       # ... into slot 1, named anew
  calculator 52.5 100 50 10
else
  xdotool key ctrl+F1          # what the first run saved
  save_into F3 ""              # ... into slot 3, under the proposed name
  calculator                   # closing it stores what it brought back
fi
# Everything typed has been handled before the program is asked to end.
settle "$pid" "$main"
end_program
SESSION
  chmod 755 "$work/session.sh"
  export LSAN_SUPP="$work/lsan.supp"
  run() { # run number, program, user folder
    local status=0
    with_display "$work/session.sh" "$@" "${runner[@]}" || status=$?
    [ "$status" -eq 0 ] || fail "run $1 of $2 ended with status $status"
  }
  run 1 "$prefix/bin/zorvex" "$work/user"
  run 2 "$prefix/bin/zorvex" "$work/user"
  run 1 "$portable/zorvex" "$work/portable-user"
  run 2 "$portable/zorvex" "$work/portable-user"

  # What the two runs must have written, byte for byte.
  expected="$work/expected"
  mkdir "$expected"
  { printf 'Run one\r\n'; tail -n +2 "$work/prefix.before/lib/zorvex/data/save02.dat"; } > "$expected/save01.dat"
  { printf 'Moonlight Bow,Moon Robe,Starlet Stars,Moon Flag\r\n'; tail -n +2 "$work/prefix.before/lib/zorvex/data/save02.dat"; } > "$expected/save03.dat"
  sed -e $'s/^GameTime=.*\r$/GameTime=10\r/' -e $'s/^WinRate=.*\r$/WinRate=52.5\r/' \
      -e $'s/^GoldPerWin=.*\r$/GoldPerWin=100\r/' -e $'s/^GoldPerLoss=.*\r$/GoldPerLoss=50\r/' \
      "$work/prefix.before/lib/zorvex/data/settings.ini" > "$expected/settings.ini"

  mine_config="$work/user/config/Zorvex"
  mine_data="$work/user/data/Zorvex"
  cmp "$expected/settings.ini" "$mine_config/settings.ini" || fail "the installed program's settings: $(diff "$expected/settings.ini" "$mine_config/settings.ini" | tr -d '\r')"
  for f in save01.dat save03.dat; do
    cmp "$expected/$f" "$mine_data/$f" || fail "the installed program's $f: $(tr -d '\r' < "$mine_data/$f")"
  done
  cmp "$work/prefix.before/lib/zorvex/data/save05.dat" "$mine_data/save05.dat" || fail "slot 5 was not seeded from the installation"
  chmod -R u+w "$prefix"
  diff -r --no-dereference "$work/prefix.before" "$prefix" || fail "the installed program changed its prefix"

  for f in settings.ini save01.dat save03.dat; do
    cmp "$expected/$f" "$portable/data/$f" || fail "the portable program's $f differs: $(diff "$expected/$f" "$portable/data/$f" | tr -d '\r')"
  done
  for f in save02.dat save04.dat save05.dat; do
    cmp "$work/prefix.before/lib/zorvex/data/$f" "$portable/data/$f" || fail "the portable program changed $f"
  done
  [ -z "$(find "$work/portable-user/config" "$work/portable-user/data" -mindepth 1)" ] || fail "the portable program wrote into the user's folders: $(find "$work/portable-user" -mindepth 2)"
  echo "installed: user files in the XDG folders, prefix unchanged; portable: the same files in its own folder"
  ;;

package)
  # The package of this build, made the way scripts/package makes it.
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pack" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
  deb=$(ls "$work/pack"/*.deb)
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libqt6widgets6 libsdl2-mixer-2.0-0 libc6; do
    grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
  done
  dpkg-deb -c "$deb" > "$work/contents"
  grep -q ' ./usr/bin/zorvex -> ../lib/zorvex/zorvex$' "$work/contents" || fail "no /usr/bin/zorvex link in the package"
  root="$work/root"
  dpkg-deb -x "$deb" "$root"
  mkdir -p "$work/config" "$work/data" "$work/run"
  chmod 700 "$work/run"
  XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" \
    ZORVEX_INSTANCE_LOCK="$work/run/zorvex.lock" QT_QPA_PLATFORM=offscreen "$root/usr/bin/zorvex" &
  pid=$!
  pids+=("$pid")
  wait_for 120 grep -qa $'^Splashscreen=2\r$' "$work/config/Zorvex/settings.ini" 2>/dev/null \
    || fail "the unpacked program did not count its splash down in the user's settings"
  cmp -s "$source_dir/assets/userdata/settings.ini" "$root/usr/lib/zorvex/data/settings.ini" || fail "the unpacked program changed its own settings"
  kill -TERM "$pid"
  status=0; wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the unpacked program ended with status $status"
  echo "package built with computed dependencies; unpacked program started and ended cleanly"
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
