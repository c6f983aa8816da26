#!/usr/bin/env bash
# Configures and builds one Windows preset (windows-x86 or windows-x64) for the
# tests that need it; 77 when its cross compiler is not installed.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: build.sh PRESET" >&2; exit 2; }
case "$1" in
  windows-x86) compiler=i686-w64-mingw32-g++-win32 ;;
  windows-x64) compiler=x86_64-w64-mingw32-g++-win32 ;;
  *) echo "unknown preset $1" >&2; exit 2 ;;
esac
command -v "$compiler" >/dev/null || { echo "SKIP: $compiler not installed"; exit 77; }
cd "$(dirname "$0")/../.."
cmake --preset "$1" >/dev/null
cmake --build --preset "$1" -j"$(nproc)"
