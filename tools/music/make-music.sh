#!/usr/bin/env bash
# Synthesises the program's two tunes with sox and encodes them with lame:
#   KV-Intro.mp3           a short fanfare played once with the splash window
#   KV-ShopTilYouDrop.mp3  an eight-bar shop tune, exactly 16 s, that loops without a seam
# Usage: tools/music/make-music.sh [output folder]   (default: assets/music)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../assets/music}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rate=44100
n=0

hz() { awk -v m="$1" 'BEGIN { printf "%.3f", 440 * 2 ^ ((m - 69) / 12) }'; }

# tone FILE SECONDS VOICE MIDI VOLUME: one note that has died away before its slot ends, so
# joined notes (and the loop's end to its start) never click.
tone() {
  if [ "$4" = "-" ]; then
    sox -n -r $rate -c 1 -b 16 "$1" trim 0 "$2"
  else
    sox -n -r $rate -c 1 -b 16 "$1" synth "$2" "$3" "$(hz "$4")" vol "$5" fade q 0.004 "$2" 0.05
  fi
}

# voice NAME VOICE VOLUME STEP "midi:steps ..." -> $work/NAME.wav
voice() {
  local name=$1 kind=$2 vol=$3 step=$4 list=() item midi steps len
  for item in $5; do
    midi=${item%%:*}
    steps=${item##*:}
    len=$(awk -v s="$steps" -v t="$step" 'BEGIN { printf "%.4f", s * t }')
    n=$((n + 1))
    tone "$work/n$n.wav" "$len" "$kind" "$midi" "$vol"
    list+=("$work/n$n.wav")
  done
  sox "${list[@]}" "$work/$name.wav"
}

# The loop: 120 beats a minute, eighth notes of 0.25 s, 64 of them.
voice melody pluck 0.55 0.25 "
  76:1 79:1 84:2 83:1 79:1 76:2
  77:1 81:1 84:2 81:1 77:1 74:2
  76:1 79:1 84:1 88:1 86:2 84:2
  83:2 79:2 81:1 83:1 84:2
  81:1 79:1 77:2 76:1 77:1 79:2
  76:1 74:1 72:2 76:1 79:1 81:2
  77:1 81:1 79:1 76:1 74:2 67:2
  72:3 -:1 67:1 69:1 71:2"
voice bass square 0.16 0.25 "
  48:2 55:2 52:2 55:2  41:2 48:2 45:2 48:2
  48:2 55:2 52:2 55:2  43:2 50:2 47:2 50:2
  41:2 48:2 45:2 48:2  48:2 55:2 52:2 55:2
  50:2 57:2 43:2 50:2  48:2 55:2 43:2 47:2"
hats=()
for i in $(seq 1 32); do
  n=$((n + 1))
  sox -n -r $rate -c 1 -b 16 "$work/h$n.wav" synth 0.05 noise vol 0.06 fade q 0.002 0.05 0.04 pad 0 0.20
  n=$((n + 1))
  sox -n -r $rate -c 1 -b 16 "$work/h$n.wav" trim 0 0.25
  hats+=("$work/h$((n - 1)).wav" "$work/h$n.wav")
done
# Off-beats: a rest first, then the hat.
sox "${hats[@]:1}" "${hats[0]}" "$work/hats.wav"
sox -m "$work/melody.wav" "$work/bass.wav" "$work/hats.wav" "$work/loop.wav" gain -n -3 trim 0 16

# The intro: a rising call and a held chord, 150 beats a minute.
voice call pluck 0.6 0.2 "67:1 72:1 76:1 79:1 -:12"
voice top pluck 0.5 0.2 "-:4 84:12"
voice mid triangle 0.25 0.2 "-:4 76:12"
voice low square 0.12 0.2 "-:4 48:12"
sox -m "$work/call.wav" "$work/top.wav" "$work/mid.wav" "$work/low.wav" "$work/intro.wav" \
  gain -n -3 fade q 0 3.2 1.2

lame --quiet -m m -b 96 --noreplaygain "$work/intro.wav" "$out/KV-Intro.mp3"
lame --quiet -m m -b 96 --noreplaygain "$work/loop.wav" "$out/KV-ShopTilYouDrop.mp3"
echo "wrote $out/KV-Intro.mp3 and $out/KV-ShopTilYouDrop.mp3"
