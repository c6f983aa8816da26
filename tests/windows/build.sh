#!/usr/bin/env bash
# Builds one architecture's Windows stand-in (x86 or x64): the module and
# Orbiter.exe in the simulator's ABI (preset windows-ARCH, clang) and the host
# core vitals-host.dll (preset windows-host-ARCH, MinGW), and assembles them in
# build/windows-ARCH/run. 77 when the tools are not installed.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: build.sh x86|x64" >&2; exit 2; }
case "$1" in
  x86) mingw=i686-w64-mingw32-g++-win32 ;;
  x64) mingw=x86_64-w64-mingw32-g++-win32 ;;
  *) echo "unknown architecture $1" >&2; exit 2 ;;
esac
for tool in clang++ lld-link llvm-dlltool "$mingw"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
cd "$(dirname "$0")/../.."
for preset in "windows-$1" "windows-host-$1"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
done
run=build/windows-$1/run
rm -rf "$run"
mkdir -p "$run"
cp "build/windows-$1/bin/Orbiter.exe" "build/windows-$1/bin/Vitals.dll" "build/windows-host-$1/bin/vitals-host.dll" "$run/"
