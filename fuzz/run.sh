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
if [ $status -ne 0 ]; then
  echo "FUZZ FAILURE (status $status); the log and the input are in $work"
  exit 1
fi
rm -rf "$work"
