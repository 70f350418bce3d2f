#!/bin/bash
# Fuzzes the Kordon.adb codec with libFuzzer and AddressSanitizer for a bounded time.
#   scripts/fuzz-kordon.sh [seconds]     (default 60)
# Builds build/fuzz with clang, seeds the corpus with the shipped block list and
# a few damaged files, and prints the executions run and any crash found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target kadb_fuzz kadbtool >/dev/null

corpus="$build/kordon-corpus"
artifacts="$build/kordon-artifacts"
mkdir -p "$corpus" "$artifacts"
"$build/kordon/kadbtool" compile "$root/signatures/kordon-blocklist.txt" "$corpus/shipped.adb" >/dev/null
printf 'KADB\x01\x00\x00\x00\x00' > "$corpus/empty.adb"
printf 'KADB\x01\xff\xff\xff\x7f\x03n\x00c\x00\x00' > "$corpus/lying-count.adb"
printf 'KADB\x01\x01\x00\x00\x00\x00nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn' > "$corpus/no-terminator.adb"

log="$build/kordon-fuzz.log"
set +e
"$build/kordon/kadb_fuzz" "$corpus" -artifact_prefix="$artifacts/" -max_total_time="$seconds" \
  -max_len=4096 -rss_limit_mb=1024 -print_final_stats=1 >"$log" 2>&1
status=$?
set -e
execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
crashes=$(find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' -o -name 'timeout-*' \) | wc -l)
echo "kadb_fuzz: ${seconds}s, executions: $execs, crash artifacts: $crashes, exit status: $status (log: $log)"
[ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]
