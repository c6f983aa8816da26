#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a fresh copy of its seed corpus.
# Fails on any crash, sanitizer report, leak, timeout or abort of the target.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: run.sh TARGET SEEDS WORKDIR SECONDS" >&2; exit 2; }
target=$1 seeds=$2 work=$3 seconds=$4
[ -d "$seeds" ] || { echo "no seed corpus at $seeds" >&2; exit 2; }
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp "$seeds"/* "$work/corpus/"
status=0
"$target" "$work/corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" >"$work/log" 2>&1 || status=$?
grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$work/log" || true
echo "corpus: $(find "$work/corpus" -type f | wc -l) inputs ($(find "$seeds" -type f | wc -l) seeds)"
if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
  tail -n 60 "$work/log"
  echo "FAILED: $(basename "$target") exited with $status; inputs kept in $work/artifacts" >&2
  exit 1
fi
