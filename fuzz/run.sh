#!/usr/bin/env bash
# Runs each fuzz target in turn for the given number of seconds (default 600), one
# process each. New inputs go to the build folder; the committed seeds are only read.
#   fuzz/run.sh [SECONDS] [TARGET...]      TARGET: huffman_decode, unwrap, gif_decode
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(huffman_decode unwrap gif_decode)

build="$root/build-fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORVEX_FUZZ=ON
fi
cmake --build "$build" -j2

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  mkdir -p "$work" "$build/crashes/$t"
  echo "== fuzz_$t for ${seconds}s"
  "$build/fuzz/fuzz_$t" "$work" "$root/fuzz/corpus/$t" -max_total_time="$seconds" \
    -print_final_stats=1 -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/crashes/$t/" 2>&1 | tee "$build/fuzz_$t.log" | grep -E "^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::|==[0-9]+==|SUMMARY)" || true
  echo "   crashes: $(find "$build/crashes/$t" -type f | wc -l)"
done
