#!/usr/bin/env bash
# Draws the raster unit cases with the real GDI: the 64-bit raster_cases.exe
# (built by the windows-host-x64 preset) under wine64, in the wine prefix PREFIX.
#   raster_cases.sh EXE PREFIX
# Exit 0 when GDI draws every case's picture, 1 otherwise, 77 when wine64 is missing.
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: raster_cases.sh EXE PREFIX" >&2; exit 2; }
exe=$(realpath -m "$1") prefix=$(realpath -m "$2")
[ -f "$exe" ] || { echo "$exe: not found (did the windows-x64 build run?)" >&2; exit 1; }
. "$(dirname "$0")/wine_prefix.sh"
use_wine_prefix "$prefix" x64 || exit
timeout 120 "$(wine_loader x64)" "$exe" </dev/null
