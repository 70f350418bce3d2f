#!/bin/bash
# Fuzzes a parser with libFuzzer and AddressSanitizer for a bounded time.
#   scripts/fuzz.sh adb|kordon|update [seconds]     (default 60)
#     adb     the adware database codec (Purvex.adb)
#     kordon  the ActiveX block list codec (Kordon.adb)
#     update  the signed version file and its signature (Purvex_Ver.txt, .sig)
# Builds build/fuzz with clang, seeds the corpus with the shipped database (or
# a version file) and a few damaged files, and prints the executions run and
# any crash found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-}
seconds=${2:-60}
build="$root/build/fuzz"
case $which in
  adb) fuzzer=adb/adb_fuzz tool=adb/adbtool source=purvex-signatures.txt ;;
  kordon) fuzzer=kordon/kadb_fuzz tool=kordon/kadbtool source=kordon-blocklist.txt ;;
  update) fuzzer=updater/verify/version_file_fuzz tool= source= ;;
  *) echo "usage: $0 adb|kordon|update [seconds]" >&2; exit 2 ;;
esac
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "$(basename "$fuzzer")" ${tool:+"$(basename "$tool")"} >/dev/null

corpus="$build/$which-corpus"
artifacts="$build/$which-artifacts"
mkdir -p "$corpus" "$artifacts"
if [ -n "$tool" ]; then "$build/$tool" compile "$root/signatures/$source" "$corpus/shipped.adb" >/dev/null; fi
if [ "$which" = update ]; then
  cp "$root/tests/updater/data/version-file.txt" "$corpus/signed.txt"
  printf '[PURVEXEXE]\nVER=1\nSHA256=%064d\nSIZE=4294967296\n[UPDATE]\nSERIAL=0\nEXPIRES=2024-02-30\n' 0 > "$corpus/bad-numbers.txt"
  printf '[update\r\n=\r\n["]\r\nVER="\r\n' > "$corpus/half-lines.txt"
  head -c 384 /dev/zero > "$corpus/zero-signature.sig"
elif [ "$which" = adb ]; then
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
