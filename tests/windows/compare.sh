#!/usr/bin/env bash
# Renders situations with the Linux vitals-sim and with Orbiter.exe under
# wine, and compares their whole traces line for line and their pages pixel
# by pixel, texts included.
#   compare.sh LINUX_SIM LINUX_MODULE RUN PAGE_DIFF EXAMPLES OUT PREFIX
# RUN holds Orbiter.exe, vitals-host.dll and Vitals.dll of one architecture;
# PREFIX is the wine prefix, made on the first run and made afresh when it
# cannot start programs. Situations: every EXAMPLES/*.json, and a generated
# set over cockpit modes 1 to 3, legend and log scale on and off, with levels
# beyond their nominal ranges. Results and diff images go to OUT.
# Exit 0 when every situation matches, 1 otherwise, 77 when wine is missing.
set -uo pipefail
[ $# -eq 7 ] || { echo "usage: compare.sh LINUX_SIM LINUX_MODULE RUN PAGE_DIFF EXAMPLES OUT PREFIX" >&2; exit 2; }
linux_sim=$(realpath -m "$1") linux_module=$(realpath -m "$2") run=$(realpath -m "$3") page_diff=$(realpath -m "$4")
examples=$(realpath -m "$5") out=$(realpath -m "$6")
command -v wine >/dev/null || { echo "SKIP: wine not installed"; exit 77; }
for f in "$linux_sim" "$linux_module" "$run/Orbiter.exe" "$run/vitals-host.dll" "$run/Vitals.dll" "$page_diff"; do
  [ -f "$f" ] || { echo "$f: not found" >&2; exit 1; }
done

. "$(dirname "$0")/wine_prefix.sh"
use_wine_prefix "$7" "$run/Orbiter.exe" "$out.probe.log" || exit 1

rm -rf "$out"
mkdir -p "$out/situations" || exit 1

# The generated set. Levels cycle through values beyond the nominal ranges.
levels=(2.5 -3 1e6 '"inf"' '"nan"' 0.5 '"-inf"' 1 -1e6 0.25 1e-300 -0.5)
level() { echo "${levels[$(( $1 % ${#levels[@]} ))]}"; }
n=0
for cockpit in 1 2 3; do
  for legend in off on; do
    for scale in lin log; do
      keys=()
      [ $legend = on ] && keys+=(35)
      [ $scale = log ] && keys+=(38)
      groups=""
      for g in $(seq 0 14); do
        count=$(( g == 2 ? 3 : g >= 13 ? 1 : 2 ))
        list=""
        for k in $(seq 0 $((count - 1))); do list+="${list:+, }$(level $((n + g + k)))"; done
        groups+="${groups:+, }\"$g\": [$list]"
      done
      cat >"$out/situations/cockpit$cockpit-legend-$legend-$scale.json" <<JSON
{
  "cockpit_mode": $cockpit,
  "config": "GenericMFDSize = $(( 4 + n % 5 ))\nPanelScale = 1.$n\n",
  "keys": [$(IFS=,; echo "${keys[*]}")],
  "attitude_mode": $(( n % 3 )),
  "vessel": {
    "thrusters": {$groups},
    "control_surfaces": {"0": $(level $n), "1": $(level $((n + 1))), "2": $(level $((n + 2)))},
    "wheel_brakes": {"1": $(level $((n + 3))), "2": $(level $((n + 4)))},
    "navmodes": [$(( n % 8 ))],
    "adc_mode": $(( n % 8 )),
    "flight_status": $(( n % 4 ))
  }
}
JSON
      n=$((n + 1))
    done
  done
done
for f in "$examples"/*.json; do
  [ -e "$f" ] && cp "$f" "$out/situations/example-$(basename "$f")"
done

# A trace with the module's load address left out.
session() { sed -E 's/^InitLib 0x[0-9a-f]+$/InitLib PTR/' "$1"; }

total=0 failed=0 same_traces=0 compared_all=0 differing_all=0 in_text_all=0
for situation in "$out/situations"/*.json; do
  name=$(basename "$situation" .json)
  dir="$out/$name"
  mkdir -p "$dir"
  total=$((total + 1))
  if ! "$linux_sim" render --state "$situation" --module "$linux_module" --png "$dir/linux.png" --trace "$dir/linux.trace" \
      >"$dir/linux.log" 2>&1; then
    echo "$name: FAIL: the Linux vitals-sim failed: $(tail -n 3 "$dir/linux.log")"; failed=$((failed + 1)); continue
  fi
  cp "$situation" "$dir/situation.json"
  if ! (cd "$dir" && timeout 120 wine "$run/Orbiter.exe" render --state situation.json --png windows.png \
      --trace windows.trace >windows.log 2>&1); then
    echo "$name: FAIL: Orbiter.exe failed: $(tail -n 3 "$dir/windows.log")"; failed=$((failed + 1)); continue
  fi
  if ! diff <(session "$dir/linux.trace") <(session "$dir/windows.trace") >"$dir/session.diff"; then
    echo "$name: FAIL: the two hosts' traces differ:"; head -n 10 "$dir/session.diff"; failed=$((failed + 1)); continue
  fi
  same_traces=$((same_traces + 1))
  "$page_diff" "$name" "$dir/linux.png" "$dir/windows.png" "$dir/linux.trace" "$dir/diff.png" | tee "$dir/result.txt"
  status=${PIPESTATUS[0]}
  # "NAME: N pixels compared, D differ (T of ... in ... text boxes, O outside)"
  read -r c d t < <(awk '/pixels compared/ {sub(/\(/, "", $7); print $2, $5, $7}' "$dir/result.txt")
  compared_all=$((compared_all + ${c:-0})) differing_all=$((differing_all + ${d:-0})) in_text_all=$((in_text_all + ${t:-0}))
  [ "$status" -eq 0 ] || failed=$((failed + 1))
done

echo "situations: $total, traces equal: $same_traces, pixels compared: $compared_all," \
  "differing: $differing_all ($in_text_all in texts, $((differing_all - in_text_all)) outside)"
echo "$((total - failed)) passed, $failed failed"
[ $failed -eq 0 ] && [ $total -gt 0 ]
