#!/usr/bin/env bash
# The main job: builds what is missing and shows Marlock at work under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
. scripts/wine-session.sh
zarvo_install_deps
scripts/build.sh win64 >/dev/null || { echo "build failed"; exit 1; }

trap zarvo_wine_stop EXIT
zarvo_wine_start >/dev/null
bin=build/win64
echo "Starting Marlock.exe with an empty command line, as a user double-clicking it would:"
wine "$bin/marlock/Marlock.exe" </dev/null >/dev/null 2>&1 &
wine "$bin/tools/uidriver/uidriver.exe" msgbox 15000
wine "$bin/tools/uidriver/uidriver.exe" press-msgbox 1 >/dev/null
wait
