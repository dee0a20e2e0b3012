#!/usr/bin/env bash
# A fuzzing campaign on Marlock's link parser, scrambler and launch
# decision: scripts/fuzz.sh [SECONDS] [libFuzzer options...]
# Builds the native preset's fuzz target (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) when needed, then runs it from the seed links
# for SECONDS (default 600) and prints its figures: inputs tried, crashes,
# hangs. Stops on the first crash or hang and names the input.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift $(( $# >= 1 ? 1 : 0 ))
scripts/build.sh native >/dev/null
fuzzer=build/native/fuzz/clang/fuzz_marlock
[ -x "$fuzzer" ] || fuzzer=build/native/fuzz/fuzz_marlock
[ -x "$fuzzer" ] || { echo "no fuzz target built (is clang installed? scripts/deps.sh)"; exit 1; }
exec bash fuzz/run.sh "$fuzzer" "$seconds" "$@"
