#!/usr/bin/env bash
# Shows that check_exports.sh rejects what it must: faults planted in the real
# module's objdump listing, and the 64-bit module.
#   check_exports_test.sh DLL32 DLL64
set -uo pipefail
here=$(dirname "$0")
objdump=i686-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump not installed"; exit 77; }
[ $# -eq 2 ] || { echo "usage: check_exports_test.sh DLL32 DLL64" >&2; exit 2; }
for f in "$1" "$2"; do [ -f "$f" ] || { echo "$f: not found" >&2; exit 1; }; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$objdump" -p "$1" >"$work/good" || exit 1

failures=0
# expect NAME WANT PATTERN: runs the checker on $work/NAME; WANT is pass or fail;
# a failure must report a line matching PATTERN.
expect() {
  local out rc
  out=$("$here/check_exports.sh" --dump "$work/$1" 2>&1); rc=$?
  if [ "$2" = pass ] && [ $rc -ne 0 ]; then
    echo "FAILED $1: rejected: $out"; failures=$((failures + 1))
  elif [ "$2" = fail ] && { [ $rc -ne 1 ] || ! grep -q -- "$3" <<<"$out"; }; then
    echo "FAILED $1: wanted a rejection matching '$3', got rc=$rc: $out"; failures=$((failures + 1))
  else
    echo "ok $1"
  fi
}
plant() { sed "$2" "$work/good" >"$work/$1"; }

expect good pass
plant underscore 's/^\(\t\[ *[0-9]*\] \)opcDLLInit$/\1_opcDLLInit/';          expect underscore fail 'decorated export _opcDLLInit'
plant stdcall 's/^\(\t\[ *[0-9]*\] \)opcOpenRenderViewport$/\1opcOpenRenderViewport@16/'; expect stdcall fail 'decorated export opcOpenRenderViewport@16'
plant missing '/^\t\[ *[0-9]*\] GetModuleVersion$/d';                        expect missing fail 'GetModuleVersion not exported'
plant own 's/^\(\t\[ *[0-9]*\] \)opcDLLExit$/&\n\1_ZN9VitalsMFD6UpdateEP5HDC__/'; expect own fail 'extra export _ZN9VitalsMFD6UpdateEP5HDC__'
plant dllmain 's/^\(\t\[ *[0-9]*\] \)opcDLLExit$/&\n\1DllMain@12/';           expect dllmain fail 'extra export DllMain@12'
plant hostvtable 's/^\(\t\[ *[0-9]*\] \)opcDLLExit$/&\n\1_ZTV3MFD\n\1_ZN8GraphMFDaSERKS_/'; expect hostvtable pass
plant runtime 's/^\(\tDLL Name: \)msvcrt.dll$/&\n\1libstdc++-6.dll/';       expect runtime fail 'MinGW runtime libstdc++-6.dll'
plant noentry 's/^\(AddressOfEntryPoint\t*\).*/\100000000/';                 expect noentry fail 'no library entry routine'
plant nodll '/^Characteristics/,/^$/{/^\tDLL$/d}';                            expect nodll fail 'not marked as a DLL'
x86_64-w64-mingw32-objdump -p "$2" >"$work/wide" 2>/dev/null || "$objdump" -p "$2" >"$work/wide"
expect wide fail 'not a 32-bit Windows image'

[ $failures -eq 0 ] && echo "all planted faults caught" || { echo "$failures case(s) wrong"; exit 1; }
