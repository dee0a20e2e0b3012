#!/usr/bin/env bash
# Builds the release package: the i686 Marlock.exe, Tibbet.exe and
# Quennel.dll with INSTALL.txt, as build/win32/Zarvo-AddOns-1.0-win32.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
zarvo_install_deps
scripts/build.sh win32
(cd build/win32 && cpack -G ZIP >/dev/null)
ls -l build/win32/Zarvo-AddOns-1.0-win32.zip
