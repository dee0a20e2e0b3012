#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the three presets,
# runs the portable core's tests natively and the Windows tests under Wine
# (x86_64), and inspects the built files of both Windows targets.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
. scripts/wine-session.sh
zarvo_install_deps

scripts/build.sh win64 win32 native || { echo "build failed"; exit 1; }

status=0
echo "== native: portable core"
(cd build/native && ctest --output-on-failure -j "$(nproc)") || status=1

echo "== win32 (i686): the release package and the built files, inspected"
(cd build/win32 && cpack -G ZIP >/dev/null && ctest --output-on-failure -L inspect) || status=1

trap zarvo_wine_stop EXIT
zarvo_wine_start
echo "== win64 (x86_64) under Wine"
(cd build/win64 && ctest --output-on-failure --timeout 300 ${ZARVO_CTEST_ARGS:-}) || status=1

# The same suite on the i686 build, where this machine can run 32-bit code.
probe=$(mktemp)
if ZARVO_RECORD_FILE=$(winepath -w "$probe" 2>/dev/null) timeout 60 \
     wine build/win32/tools/recording_client/recclient.exe </dev/null >/dev/null 2>&1 \
   && [ -s "$probe" ]; then
  echo "== win32 (i686) under Wine"
  cmake -S . -B build/win32 -DZARVO_RUN_32BIT=ON >/dev/null && scripts/build.sh win32 >/dev/null
  (cd build/win32 && ctest --output-on-failure --timeout 300 -LE inspect ${ZARVO_CTEST_ARGS:-}) || status=1
else
  echo "== win32 (i686) tests built but not run: this machine cannot run 32-bit"
  echo "   Windows code (Wine has no 32-bit part here); every test above ran on x86_64"
fi
rm -f "$probe"

# The reliability figures, as the tests above measured them in this run:
# each of those tests prints one line beginning "FIGURES". A test that
# crashed or hung printed none, and its failure is reported above.
echo "== Reliability figures of this run (README.md, \"Reliability\", says how to repeat each)"
for name in fuzz soak stress hostile-links; do
  lines=$(cat build/native/Testing/Temporary/LastTest.log build/win64/Testing/Temporary/LastTest.log \
            2>/dev/null | grep -a "^FIGURES $name[ :]" | sed 's/^FIGURES /   /')
  if [ -n "$lines" ]; then
    echo "$lines"
  else
    echo "   $name: no figures: its test did not run or did not finish (see above)"
  fi
done

[ $status -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit $status
