#!/usr/bin/env bash
# Checks a Vitals.dll as the simulator's loader and C++ ABI see it:
#   check_dll.sh x86|x64 BUILD_DIR
# BUILD_DIR is the windows-x86 or windows-x64 build. The DLL must be a DLL of
# that architecture with an entry routine; export exactly the five entry
# points, undecorated; import only from Orbiter.exe, KERNEL32, USER32, GDI32
# and msvcrt, and from Orbiter.exe exactly the names of host/windows/
# Orbiter-ARCH.def. Its objects must emit no initialiser (nothing runs before
# DllMain), VitalsMFD's virtual table must hold the host's slots in the
# host's order, and the release archive must hold the DLL and its page in the
# simulator's add-on layout. Exit 0 when all holds, 1 with every problem listed, 77 when
# llvm-objdump is missing.
set -uo pipefail
[ $# -eq 2 ] && [[ "$1" =~ ^x(86|64)$ ]] || { echo "usage: check_dll.sh x86|x64 BUILD_DIR" >&2; exit 2; }
arch=$1 build=$2
here=$(cd "$(dirname "$0")" && pwd)
def=$here/../../host/windows/Orbiter-$arch.def
dll=$build/bin/Vitals.dll
command -v llvm-objdump >/dev/null || { echo "SKIP: llvm-objdump not installed"; exit 77; }
[ -f "$dll" ] || { echo "$dll: not found (did the windows-$arch build run?)" >&2; exit 1; }
listing=$(llvm-objdump -p "$dll") || { echo "llvm-objdump cannot read $dll" >&2; exit 1; }

problems=()
problem() { problems+=("$1"); }
sorted() { printf '%s\n' "$@" | sed '/^$/d' | sort; }

case $arch in
  x86) format=coff-i386 magic='PE32' ;;
  x64) format=coff-x86-64 magic='PE32\+' ;;
esac
grep -q "file format $format\$" <<<"$listing" || problem "not a $format image"
grep -qE "^Magic.*\($magic\)" <<<"$listing" || problem "optional header is not $magic"
characteristics=$(awk '$1 == "Characteristics" {print $2; exit}' <<<"$listing")
(( (${characteristics:-0} & 0x2000) != 0 )) || problem "image is not marked as a DLL"
[[ "$(awk '$1 == "AddressOfEntryPoint" {print $2}' <<<"$listing")" =~ ^0*[1-9a-f] ]] || problem "no entry routine"

mapfile -t exports < <(sed -n '/^Export Table:/,/^$/p' <<<"$listing" | awk 'NF == 3 && $1 ~ /^[0-9]+$/ {print $3}')
want_exports=(GetModuleVersion opcCloseRenderViewport opcDLLExit opcDLLInit opcOpenRenderViewport)
[ "$(sorted "${exports[@]}")" = "$(sorted "${want_exports[@]}")" ] ||
  problem "exports are '${exports[*]}', not exactly '${want_exports[*]}'"

# Imports: "DLL Name: X" starts a block of "0  NAME" lines.
imports=$(awk '/DLL Name:/ {dll = $3; next} /^Export Table:/ {dll = ""} dll != "" && NF == 2 && $1 ~ /^[0-9]+$/ {print dll, $2}' <<<"$listing")
for dll_name in $(cut -d' ' -f1 <<<"$imports" | sort -u); do
  case "${dll_name,,}" in
    orbiter.exe|kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll) ;;
    *) problem "imports from $dll_name" ;;
  esac
done
got=$(awk '$1 == "Orbiter.exe" {print $2}' <<<"$imports" | sort)
want=$(sed -n '/^EXPORTS/,$p' "$def" | sed '1d; /^;/d; /^$/d' | sort)
[ "$got" = "$want" ] || problem "imports from Orbiter.exe differ from $(basename "$def"):
$(diff <(echo "$want") <(echo "$got") | grep '^[<>]')"

# Dynamic initialisers would need a C runtime start-up to run them.
objects=$(find "$build/CMakeFiles/vitals_module.dir" "$build/CMakeFiles/vitals_page.dir" -name '*.obj')
initialisers=$(llvm-objdump -h $objects | grep -E '\.CRT\$X[CIPT]' | sort -u)
[ -z "$initialisers" ] || problem "initialiser sections emitted: $initialisers"

# VitalsMFD's virtual table, slot by slot, from the relocations of its section.
table=$(llvm-objdump -t "$build/CMakeFiles/vitals_page.dir/display/vitals_mfd.cpp.obj" |
  awk '/\?\?_7VitalsMFD@@6B@$/ {match($0, /sec +[0-9]+/); print substr($0, RSTART + 4, RLENGTH - 4) + 0}')
slots=$(llvm-readobj --relocations "$build/CMakeFiles/vitals_page.dir/display/vitals_mfd.cpp.obj" |
  awk -v s="$table" '$1 == "Section" && $2 == "(" s ")" {inside = 1; next} inside && $1 == "}" {inside = 0}
                    inside {print $3}' |
  sed -E 's/^\?\?_G.*/delete/; s/^\?\?_R4.*/rtti/; s/^\?([A-Za-z]+)@.*/\1/' | paste -sd' ')
want_slots="rtti delete Update ConsumeKeyBuffered ConsumeKeyImmediate ConsumeButton ButtonLabel ButtonMenu WriteStatus ReadStatus StoreStatus RecallStatus"
[ "$slots" = "$want_slots" ] || problem "virtual table is '$slots', not '$want_slots'"

# The release archive in the simulator's add-on layout.
archive=$(ls "$build"/Vitals-*-"$arch".zip 2>/dev/null | head -n 1)
entries=$([ -n "$archive" ] && cmake -E tar tf "$archive" | sort | paste -sd' ')
[ "$entries" = "Doc/ Doc/Vitals.txt Modules/ Modules/Plugin/ Modules/Plugin/Vitals.dll" ] ||
  problem "release archive ${archive:-missing} holds '$entries', not Modules/Plugin/Vitals.dll and Doc/Vitals.txt"

echo "exports: ${exports[*]}"
echo "imports: $(cut -d' ' -f1 <<<"$imports" | uniq -c | awk '{printf "%s (%d) ", $2, $1}')"
if [ ${#problems[@]} -gt 0 ]; then
  printf 'FAIL: %s\n' "${problems[@]}"
  exit 1
fi
echo "OK: $arch DLL, five undecorated exports, host imports as $(basename "$def"), no initialisers, host's virtual order, release archive"
