#!/usr/bin/env bash
# Orbiter.exe modules under wine: a simulator folder whose Modules/Plugin holds
# the module, a DLL without a string table and a file that is no DLL, listed
# as the Launchpad lists them.
#   launchpad.sh RUN OUT PREFIX
# RUN holds Orbiter.exe, vitals-host.dll and Vitals.dll of one architecture;
# PREFIX is the wine prefix (wine_prefix.sh). Exit 0 when the listing is the
# one expected, 1 otherwise, 77 when ARCH's programs cannot run here.
set -uo pipefail
[ $# -eq 3 ] || { echo "usage: launchpad.sh RUN OUT PREFIX" >&2; exit 2; }
run=$(realpath -m "$1") out=$(realpath -m "$2")
. "$(dirname "$0")/wine_prefix.sh"
arch=$(wine_arch "$run/Orbiter.exe") || exit 1
use_wine_prefix "$3" "$arch" || exit
rm -rf "$out"
mkdir -p "$out/orbiter/Modules/Plugin" || exit 1
cp "$run/Vitals.dll" "$out/orbiter/Modules/Plugin/"
cp "$run/vitals-host.dll" "$out/orbiter/Modules/Plugin/Plain.dll"
echo "not a library" >"$out/orbiter/Modules/Plugin/Notes.dll"

(cd "$out" && timeout 600 "$(wine_loader "$arch")" "$run/Orbiter.exe" modules orbiter >listing.txt 2>errors.txt)
status=$?
cat "$out/listing.txt"
expected="MFD modes
  Vitals
    VITALS MFD:

    A display mode showing the focus vessel's thrusters, control surfaces, wheel brakes and mode lines over a plan view of a winged vessel. Select it as Vitals (key F) on any cockpit display.
Miscellaneous
  Plain"
failed=0
[ $status -eq 0 ] || { echo "FAIL: Orbiter.exe modules exited with $status: $(cat "$out/errors.txt")"; failed=1; }
[ "$(tr -d '\r' <"$out/listing.txt")" = "$expected" ] || { echo "FAIL: the listing is not the one expected:"; diff <(echo "$expected") <(tr -d '\r' <"$out/listing.txt"); failed=1; }
grep -q "Notes.dll: cannot be opened" "$out/errors.txt" || { echo "FAIL: Notes.dll not reported: $(cat "$out/errors.txt")"; failed=1; }
exit $failed
