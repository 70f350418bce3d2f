#!/bin/bash
# Fuzzes the ADB codec with libFuzzer and AddressSanitizer for a bounded time.
#   scripts/fuzz-adb.sh [seconds]     (default 60)
# Builds build/fuzz with clang, seeds the corpus with the shipped database and
# a few damaged files, and prints the executions run and any crash found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target adb_fuzz adbtool >/dev/null

corpus="$build/corpus"
artifacts="$build/artifacts"
mkdir -p "$corpus" "$artifacts"
"$build/adb/adbtool" compile "$root/signatures/purvex-signatures.txt" "$corpus/shipped.adb" >/dev/null
printf 'ADB\x00\x94\x35\x77' > "$corpus/huge-count.adb"        # 2,000,000,000 records, no bytes
printf 'adb\x01\x00\x00\x00\x07\x00\x00\x00\x00\xff' > "$corpus/lying-items.adb"
printf 'AD\nB' > "$corpus/line-feed.adb"

log="$build/fuzz.log"
set +e
"$build/adb/adb_fuzz" "$corpus" -artifact_prefix="$artifacts/" -max_total_time="$seconds" \
  -max_len=4096 -rss_limit_mb=1024 -print_final_stats=1 >"$log" 2>&1
status=$?
set -e
execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
crashes=$(find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' -o -name 'timeout-*' \) | wc -l)
echo "adb_fuzz: ${seconds}s, executions: $execs, crash artifacts: $crashes, exit status: $status (log: $log)"
[ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]
