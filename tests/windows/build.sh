#!/usr/bin/env bash
# Configures and builds one Windows preset for the tests that need it;
# 77 when its tools are not installed.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: build.sh PRESET" >&2; exit 2; }
for tool in clang++ lld-link llvm-dlltool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
cd "$(dirname "$0")/../.."
cmake --preset "$1" >/dev/null
cmake --build --preset "$1" -j"$(nproc)"
