#!/usr/bin/env bash
# How often a running Tibbet clock and the baseline wake up, counted from
# outside. Under Wine a thread that waits in GetMessage sleeps on its wait
# pipe and is woken by one 16-byte message from the Wine server, so the
# 16-byte reads of each process are its wake-ups (its requests to the server
# read 64-byte answers and are not counted).
#
#   bench/clock/wakeups.sh [SECONDS]      (default 20)
#
# Needs strace, the win64 build (scripts/build.sh win64) and a Wine session
# with a display (scripts/wine-session.sh: zarvo_wine_start).
set -euo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win64
command -v strace >/dev/null || { echo "strace is needed (apt-get install strace)"; exit 1; }
dir=$(mktemp -d /tmp/clock-wakeups.XXXXXX)
cp "$build/tibbet/Tibbet.exe" "$dir/Tibbet.exe"
cp "$build/bench/clock/clock_baseline.exe" "$dir/baseline.exe"

wine "$dir/Tibbet.exe" -startup >/dev/null 2>&1 &
wine "$dir/baseline.exe" >/dev/null 2>&1 &
sleep 4
tibbet=$(pgrep -f "$dir/Tibbet.exe" | head -n1)
baseline=$(pgrep -f "$dir/baseline.exe" | head -n1)

count() {  # pid output-file
  timeout "$seconds" strace -f -e trace=read -p "$1" -o "$2" 2>/dev/null || true
  grep -cE 'read\([0-9]+, .*, 16\) += 16' "$2" || true
}
count "$tibbet" "$dir/tibbet.trace" > "$dir/tibbet.count" &
counting=$!
count "$baseline" "$dir/baseline.trace" > "$dir/baseline.count"
wait "$counting" || true

for side in tibbet baseline; do
  n=$(cat "$dir/$side.count")
  printf '%-9s %4d wake-ups in %d s: %s a second\n' "$side" "$n" "$seconds" \
    "$(awk -v n="$n" -v s="$seconds" 'BEGIN { printf "%.2f", n / s }')"
done

wine "$dir/Tibbet.exe" -close >/dev/null 2>&1 || true
kill "$baseline" 2>/dev/null || true
rm -rf "$dir"
