#!/usr/bin/env bash
# The same page drawn N times, by the Linux stand-in's raster surface and by
# wine's GDI on a memory device context (Orbiter.exe), each in one session
# with tracing off: pages per second for each, and their ratio.
#   gdi_speed.sh LINUX_SIM LINUX_MODULE RUN STATE N PREFIX
# RUN holds Orbiter.exe, vitals-host.dll and Vitals.dll of one architecture;
# PREFIX is the wine prefix (see tests/windows/wine_prefix.sh). Exit 0 when
# both ran, 1 otherwise, 77 when Orbiter.exe's architecture cannot run here.
set -uo pipefail
[ $# -eq 6 ] || { echo "usage: gdi_speed.sh LINUX_SIM LINUX_MODULE RUN STATE N PREFIX" >&2; exit 2; }
linux_sim=$1 linux_module=$2 run=$(realpath -m "$3") state=$(realpath -m "$4") n=$5
. "$(dirname "$0")/../tests/windows/wine_prefix.sh"
arch=$(wine_arch "$run/Orbiter.exe") || exit 1
use_wine_prefix "$6" "$arch" || exit
log=$(mktemp -d) || exit 1
trap 'rm -rf "$log"; wine_done' EXIT

# "N refreshes of a WxH page in T s: P pages per second" -> P
pages() { awk '/pages per second/ {print $(NF - 3)}' "$1"; }
"$linux_sim" render --state "$state" --module "$linux_module" --refreshes "$n" >"$log/raster" 2>&1 &&
  (cd "$log" && run_wine "$arch" "$run/Orbiter.exe" render --state "$state" --refreshes "$n" >gdi 2>&1) ||
  { cat "$log/raster" "$log/gdi" 2>/dev/null; exit 1; }
raster=$(pages "$log/raster") gdi=$(pages "$log/gdi")
echo "raster surface: $(cat "$log/raster")"
echo "wine GDI:       $(tr -d '\r' <"$log/gdi")"
awk -v r="$raster" -v g="$gdi" 'BEGIN {printf "raster / GDI: %.2f\n", r / g}'
