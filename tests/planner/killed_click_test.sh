#!/usr/bin/env bash
# A program killed outright in the middle of clicking through the item lists leaves no decoded
# picture anywhere: not in its private temporary folder, not in the program folder, not in the
# temporary folders it could reach.
#   killed_click_test.sh CLICK_DRIVER PROGRAM_DIR
set -euo pipefail
driver=$1
assembled=$2

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp -a "$assembled" "$work/Zorvex"
mkdir -m 700 -p "$work/run" "$work/tmp"
export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp" ZORVEX_INSTANCE_LOCK="$work/zorvex.lock"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

# Every GIF picture there is before: the plain artwork the program folder ships.
gifs() { find "$work" -type f -exec sh -c 'head -c 4 "$1" | grep -q "^GIF8" && echo "$1"' _ {} \; | sort; }
gifs > "$work/before.txt"

"$driver" "$work/Zorvex" > "$work/driver.out" 2> "$work/driver.err" &
pid=$!
for _ in $(seq 1 600); do
  grep -q clicking "$work/driver.out" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the driver ended: $(cat "$work/driver.err")"
  sleep 0.1
done
grep -q clicking "$work/driver.out" || fail "the clicks never began"
sleep 1
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=

[ -n "$(find "$work/run" -maxdepth 1 -name 'zorvex-*')" ] || fail "the driver made no private temporary folder"
gifs | grep -v -x -F -f "$work/before.txt" > "$work/new.txt" || true
[ ! -s "$work/new.txt" ] || fail "decoded pictures left behind: $(cat "$work/new.txt")"
echo "killed while clicking: no decoded picture anywhere"
