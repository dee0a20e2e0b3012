#!/usr/bin/env bash
# Inspects a built Windows file: its machine type, and that it imports only
# Windows' own DLLs (the C and C++ runtimes are linked in statically).
# usage: check_binary.sh FILE OBJDUMP EXPECTED_FORMAT [EXPORT ...]
#   EXPECTED_FORMAT: pei-i386 or pei-x86-64
#   EXPORT: names the file must export, exactly and undecorated (for DLLs)
set -euo pipefail
file=$1 objdump=$2 format=$3
shift 3
fail=0
dump=$("$objdump" -p "$file")
actual=$(echo "$dump" | sed -n 's/.*file format \(.*\)$/\1/p' | head -n1)
if [ "$actual" != "$format" ]; then
  echo "FAIL $file: format $actual, expected $format"; fail=1
else
  echo "ok   $file: $actual"
fi
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|msvcrt|shlwapi|uuid|version|imm32|winmm|rpcrt4)\.dll$'
while read -r dll; do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  if [[ "$lower" =~ $allowed ]]; then
    echo "ok   imports $dll"
  else
    echo "FAIL imports $dll, which is not a Windows system DLL"; fail=1
  fi
done < <(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u)
if [ $# -gt 0 ]; then
  exports=$(echo "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}' | sort)
  expected=$(printf '%s\n' "$@" | sort)
  if [ "$exports" != "$expected" ]; then
    echo "FAIL exports:"; echo "$exports"; echo "expected:"; echo "$expected"; fail=1
  else
    echo "ok   exports exactly: $(echo $exports)"
  fi
fi
exit $fail
