#!/usr/bin/env bash
# A bounded fuzz run: run.sh FUZZER [SECONDS] [extra libFuzzer options...]
# Starts from the seed links in fuzz/corpus, keeps what it finds in a
# scratch folder, and fails on any crash, hang, leak or sanitizer report
# (the input that caused it is left in the scratch folder and named).
set -euo pipefail
fuzzer=$1
seconds=${2:-20}
shift $(( $# >= 2 ? 2 : 1 ))
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/zarvo-fuzz.XXXXXX)
mkdir -p "$work/corpus"
set +e
"$fuzzer" -max_total_time="$seconds" -timeout=5 -max_len=4096 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$work/" "$@" "$work/corpus" "$here/corpus" \
  >"$work/log" 2>&1
status=$?
set -e
tail -n 12 "$work/log"
# The campaign's figures in one line, which the test command collects:
# inputs tried, and the inputs kept for a crash (or sanitizer report, leak,
# memory exhaustion) or for a hang (an input that ran past the timeout).
tried=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/log" | tail -n 1 | grep -o '[0-9]*$')
crashes=$(find "$work" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
hangs=$(find "$work" -maxdepth 1 -name 'timeout-*' | wc -l)
kept=$(find "$work/corpus" -type f | wc -l)
echo "FIGURES fuzz: ${tried:-unknown} inputs tried in ${seconds} s, $crashes crashes, $hangs hangs" \
     "(corpus grew to $kept inputs; exit status $status)"
if [ $status -ne 0 ]; then
  echo "FUZZ FAILURE (status $status); the log and the input are in $work"
  exit 1
fi
rm -rf "$work"
