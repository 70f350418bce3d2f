#!/bin/bash
# Fuzzes a database codec with libFuzzer and AddressSanitizer for a bounded time.
#   scripts/fuzz.sh adb|kordon [seconds]     (default 60)
#     adb     the adware database codec (Purvex.adb)
#     kordon  the ActiveX block list codec (Kordon.adb)
# Builds build/fuzz with clang, seeds the corpus with the shipped database and
# a few damaged files, and prints the executions run and any crash found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-}
seconds=${2:-60}
build="$root/build/fuzz"
case $which in
  adb) fuzzer=adb/adb_fuzz tool=adb/adbtool source=purvex-signatures.txt ;;
  kordon) fuzzer=kordon/kadb_fuzz tool=kordon/kadbtool source=kordon-blocklist.txt ;;
  *) echo "usage: $0 adb|kordon [seconds]" >&2; exit 2 ;;
esac
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "$(basename "$fuzzer")" "$(basename "$tool")" >/dev/null

corpus="$build/$which-corpus"
artifacts="$build/$which-artifacts"
mkdir -p "$corpus" "$artifacts"
"$build/$tool" compile "$root/signatures/$source" "$corpus/shipped.adb" >/dev/null
if [ "$which" = adb ]; then
  printf 'ADB\x00\x94\x35\x77' > "$corpus/huge-count.adb"        # 2,000,000,000 records, no bytes
  printf 'adb\x01\x00\x00\x00\x07\x00\x00\x00\x00\xff' > "$corpus/lying-items.adb"
  printf 'AD\nB' > "$corpus/line-feed.adb"
else
  printf 'KADB\x01\x00\x00\x00\x00' > "$corpus/empty.adb"
  printf 'KADB\x01\xff\xff\xff\x7f\x03n\x00c\x00\x00' > "$corpus/lying-count.adb"
  printf 'KADB\x01\x01\x00\x00\x00\x00nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn' > "$corpus/no-terminator.adb"
fi

log="$build/$which-fuzz.log"
set +e
"$build/$fuzzer" "$corpus" -artifact_prefix="$artifacts/" -max_total_time="$seconds" \
  -max_len=4096 -rss_limit_mb=1024 -print_final_stats=1 >"$log" 2>&1
status=$?
set -e
execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
crashes=$(find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' -o -name 'timeout-*' \) | wc -l)
echo "$(basename "$fuzzer"): ${seconds}s, executions: $execs, crash artifacts: $crashes, exit status: $status (log: $log)"
[ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]
