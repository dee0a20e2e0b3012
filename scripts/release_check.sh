#!/usr/bin/env bash
# Checks the release package as a user unpacks it: every deliverable is
# there, is a 32-bit (or, for the test build, 64-bit) image, imports only
# Windows' own DLLs and carries its version resource; Quennel.dll exports
# exactly the four entry points of an in-process server, undecorated, and
# carries its type library.
# usage: release_check.sh PACKAGE.zip OBJDUMP FORMAT
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
zip=$1 objdump=$2 format=$3
[ -f "$zip" ] || { echo "FAIL no package at $zip (run scripts/package.sh)"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 -c "import zipfile,sys; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])" "$zip" "$dir"
fail=0
check_version() {  # file fixed-version file-version-string description-pattern
  local info
  info=$(python3 "$here/peinfo.py" "$1")
  if echo "$info" | grep -qx "fixed_version: $2" && echo "$info" | grep -qx "string: FileVersion=$3"; then
    echo "ok   $(basename "$1"): version $2 ($3)"
  else
    echo "FAIL $(basename "$1"): version resource:"; echo "$info"; fail=1
  fi
}
for f in Marlock.exe Tibbet.exe Quennel.dll INSTALL.txt; do
  [ -f "$dir/$f" ] || { echo "FAIL the package has no $f"; fail=1; }
done
[ -f "$dir/Marlock.exe" ] && { bash "$here/check_binary.sh" "$dir/Marlock.exe" "$objdump" "$format" || fail=1; check_version "$dir/Marlock.exe" 0.71.874.0 0.71.874; }
[ -f "$dir/Tibbet.exe" ] && { bash "$here/check_binary.sh" "$dir/Tibbet.exe" "$objdump" "$format" || fail=1; check_version "$dir/Tibbet.exe" 0.3.128.0 0.3.128; }
if [ -f "$dir/Quennel.dll" ]; then
  bash "$here/check_binary.sh" "$dir/Quennel.dll" "$objdump" "$format" \
    DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer || fail=1
  check_version "$dir/Quennel.dll" 1.0.0.1 "1, 0, 0, 1"
  info=$(python3 "$here/peinfo.py" "$dir/Quennel.dll")
  if echo "$info" | grep -qx "resource: TYPELIB" && echo "$info" | grep -qx "typelib_signature: MSFT"; then
    echo "ok   Quennel.dll carries its type library (TYPELIB)"
  else
    echo "FAIL Quennel.dll has no type library resource"; fail=1
  fi
  if echo "$info" | grep -qx "string: OLESelfRegister="; then
    echo "ok   Quennel.dll says OLESelfRegister"
  else
    echo "FAIL Quennel.dll lacks OLESelfRegister"; fail=1
  fi
fi
exit $fail
