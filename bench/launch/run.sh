#!/usr/bin/env bash
# Runs the launch benchmark under Wine: bench/launch/run.sh [rounds] [link]
# Builds what is missing (x86_64), uses the Wine session of the calling
# shell when there is one, else starts its own for the run.
set -uo pipefail
cd "$(dirname "$0")/../.."
. scripts/deps.sh
. scripts/wine-session.sh
zarvo_install_deps
scripts/build.sh win64 >/dev/null || { echo "build failed"; exit 1; }
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  trap zarvo_wine_stop EXIT
  zarvo_wine_start >/dev/null
fi
wine build/win64/bench/launch/launch_bench.exe "${1:-30}" ${2:+"$2"} </dev/null
