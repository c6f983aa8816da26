#!/usr/bin/env bash
# Checks the 32-bit module's export and import tables as the simulator's
# loader sees them:
#   check_exports.sh DLL          reads the tables with i686-w64-mingw32-objdump -p
#   check_exports.sh --dump FILE  reads a saved objdump -p listing
# Exit 0 when the module is a 32-bit DLL with an entry routine that exports the
# five entry points by their undecorated names and nothing of its own beside
# them, and that needs no MinGW runtime DLL; 1 with every problem listed
# otherwise; 77 when the cross tools are not installed.
set -uo pipefail

objdump=i686-w64-mingw32-objdump
if [ "${1:-}" = "--dump" ] && [ $# -eq 2 ]; then
  [ -r "$2" ] || { echo "cannot read $2" >&2; exit 2; }
  listing=$(cat "$2")
elif [ $# -eq 1 ]; then
  command -v "$objdump" >/dev/null || { echo "SKIP: $objdump not installed"; exit 77; }
  [ -f "$1" ] || { echo "$1: not found (the windows-x86 build did not run?)" >&2; exit 1; }
  listing=$("$objdump" -p "$1") || { echo "$objdump cannot read $1" >&2; exit 1; }
else
  echo "usage: check_exports.sh DLL | --dump FILE" >&2
  exit 2
fi

problems=()
problem() { problems+=("$1"); }

grep -q 'file format pei-i386' <<<"$listing" || problem "not a 32-bit Windows image (pei-i386)"
grep -q '^Magic.*(PE32)' <<<"$listing" || problem "optional header is not PE32"
# The DLL flag sits in the indented list under the Characteristics line.
awk '/^Characteristics/ {inside = 1; next} inside && /^[^\t]/ {inside = 0} inside && $1 == "DLL" {found = 1} END {exit !found}' \
  <<<"$listing" || problem "image is not marked as a DLL"
entry=$(awk '$1 == "AddressOfEntryPoint" {print $2}' <<<"$listing")
[[ "$entry" =~ ^0*$ ]] && problem "no library entry routine (AddressOfEntryPoint is ${entry:-missing})"

# Exported names: the lines after "[Ordinal/Name Pointer] Table" up to the blank line.
mapfile -t exports < <(awk '/^\[Ordinal\/Name Pointer\] Table/ {inside = 1; next}
                            inside && /^[[:space:]]*$/ {inside = 0}
                            inside {sub(/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]*/, ""); print}' <<<"$listing")
required=(opcDLLInit opcDLLExit opcOpenRenderViewport opcCloseRenderViewport GetModuleVersion)
for name in "${required[@]}"; do
  printf '%s\n' "${exports[@]}" | grep -qx -- "$name" || problem "entry point $name not exported by that name"
done
for name in "${exports[@]}"; do
  [ -z "$name" ] && continue
  printf '%s\n' "${required[@]}" | grep -qx -- "$name" && continue
  base=${name#_}; base=${base%@*}
  if printf '%s\n' "${required[@]}" | grep -qx -- "$base"; then
    problem "decorated export $name"
  # Copy and assignment operations and virtual tables of the host's exported
  # classes may come along with their declarations; nothing else may.
  elif [[ "$name" =~ ^_ZN(3MFD|8GraphMFD|6VESSEL)(aSE|C[12]E)(RKS_|OS_)$ || "$name" =~ ^_ZTV(3MFD|8GraphMFD|6VESSEL)$ ]]; then
    :
  else
    problem "extra export $name"
  fi
done

mapfile -t imports < <(awk '$1 == "DLL" && $2 == "Name:" {print $3}' <<<"$listing")
for dll in "${imports[@]}"; do
  case "${dll,,}" in
    libgcc_s*|libstdc++*|libwinpthread*|libssp*|libatomic*) problem "needs the MinGW runtime $dll" ;;
  esac
done
printf '%s\n' "${imports[@]}" | grep -qix 'vitals-sim.exe' || problem "does not import the host operations from vitals-sim.exe"

echo "exports: ${exports[*]:-none}"
echo "imports: ${imports[*]:-none}"
if [ ${#problems[@]} -gt 0 ]; then
  printf 'FAIL: %s\n' "${problems[@]}"
  exit 1
fi
echo "OK: ${#required[@]} entry points exported undecorated, entry routine present, no runtime DLLs"
