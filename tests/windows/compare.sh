#!/usr/bin/env bash
# Renders situations with the Linux vitals-sim, each in its own run, and with
# Orbiter.exe under wine, all in one run (a wine start is slow where 32-bit
# programs are emulated), and compares their whole traces line for line and
# their pages pixel by pixel, texts included.
#   compare.sh LINUX_SIM LINUX_MODULE RUN PAGE_DIFF EXAMPLES OUT PREFIX
# RUN holds Orbiter.exe, vitals-host.dll and Vitals.dll of one architecture;
# PREFIX is the wine prefix (wine_prefix.sh). Situations: every
# EXAMPLES/*.json, and a generated set over cockpit modes 1 to 3, legend and
# log scale on and off, with levels beyond their nominal ranges. Results and
# diff images go to OUT. Exit 0 when every situation matches, 1 otherwise,
# 77 when Orbiter.exe's architecture cannot run here (wine_prefix.sh).
set -uo pipefail
[ $# -eq 7 ] || { echo "usage: compare.sh LINUX_SIM LINUX_MODULE RUN PAGE_DIFF EXAMPLES OUT PREFIX" >&2; exit 2; }
linux_sim=$(realpath -m "$1") linux_module=$(realpath -m "$2") run=$(realpath -m "$3") page_diff=$(realpath -m "$4")
examples=$(realpath -m "$5") out=$(realpath -m "$6")
for f in "$linux_sim" "$linux_module" "$run/Orbiter.exe" "$run/vitals-host.dll" "$run/Vitals.dll" "$page_diff"; do
  [ -f "$f" ] || { echo "$f: not found" >&2; exit 1; }
done
. "$(dirname "$0")/wine_prefix.sh"
arch=$(wine_arch "$run/Orbiter.exe") || exit 1
use_wine_prefix "$7" "$arch" || exit
rm -rf "$out"
mkdir -p "$out/situations" || exit 1

# The generated set: situation n has cockpit n / 4 + 1, the legend on bit 1 of
# n, the log scale on bit 0; levels cycle through values beyond their ranges.
levels=(2.5 -3 1e6 '"inf"' '"nan"' 0.5 '"-inf"' 1 -1e6 0.25 1e-300 -0.5)
level() { echo "${levels[$(( $1 % ${#levels[@]} ))]}"; }
for n in $(seq 0 11); do
  keys=()
  ((n & 2)) && keys+=(35)
  ((n & 1)) && keys+=(38)
  groups=""
  for g in $(seq 0 14); do
    list=""
    for k in $(seq 0 $(( g == 2 ? 2 : g >= 13 ? 0 : 1 ))); do list+="${list:+, }$(level $((n + g + k)))"; done
    groups+="${groups:+, }\"$g\": [$list]"
  done
  cat >"$out/situations/cockpit$((n / 4 + 1))-legend$(((n & 2) / 2))-log$((n & 1)).json" <<JSON
{"cockpit_mode": $((n / 4 + 1)), "config": "GenericMFDSize = $((4 + n % 5))\nPanelScale = 1.$n\n",
 "keys": [$(IFS=,; echo "${keys[*]}")],
 "attitude_mode": $((n % 3)), "vessel": {"thrusters": {$groups},
 "control_surfaces": {"0": $(level $n), "1": $(level $((n + 1))), "2": $(level $((n + 2)))},
 "wheel_brakes": {"1": $(level $((n + 3))), "2": $(level $((n + 4)))},
 "navmodes": [$((n % 8))], "adc_mode": $((n % 8)), "flight_status": $((n % 4))}}
JSON
done
cp "$examples"/*.json "$out/situations/"

# Orbiter.exe renders every situation in one run, from OUT.
names=() windows=()
for situation in "$out/situations"/*.json; do
  name=$(basename "$situation" .json)
  names+=("$name")
  mkdir -p "$out/$name" && cp "$situation" "$out/$name/situation.json"
  windows+=(--state "$name/situation.json" --png "$name/windows.png" --trace "$name/windows.trace")
done
started=$SECONDS
(cd "$out" && timeout 600 "$(wine_loader "$arch")" "$run/Orbiter.exe" render "${windows[@]}" >windows.log 2>&1 </dev/null)
status=$?
echo "Orbiter.exe ($arch) rendered ${#names[@]} situations in one run: $((SECONDS - started)) s, exit status $status"
[ $status -eq 0 ] || tail -n 5 "$out/windows.log"

failed=0
for name in "${names[@]}"; do
  dir=$out/$name
  if ! "$linux_sim" render --state "$dir/situation.json" --module "$linux_module" --png "$dir/linux.png" \
      --trace "$dir/linux.trace" >"$dir/linux.log" 2>&1; then
    echo "$name: FAIL: the Linux vitals-sim failed: $(tail -n 3 "$dir/linux.log")"; failed=$((failed + 1)); continue
  fi
  if [ ! -f "$dir/windows.png" ] || [ ! -f "$dir/windows.trace" ]; then
    echo "$name: FAIL: Orbiter.exe wrote no page or trace"; failed=$((failed + 1)); continue
  fi
  # The module's load address differs.
  if ! diff <(sed -E 's/^InitLib 0x[0-9a-f]+$/InitLib/' "$dir/linux.trace") \
      <(sed -E 's/^InitLib 0x[0-9a-f]+$/InitLib/' "$dir/windows.trace") >"$dir/session.diff"; then
    echo "$name: FAIL: the two hosts' traces differ:"; head -n 10 "$dir/session.diff"; failed=$((failed + 1)); continue
  fi
  "$page_diff" "$name" "$dir/linux.png" "$dir/windows.png" "$dir/diff.png" || failed=$((failed + 1))
done
echo "$((${#names[@]} - failed)) of ${#names[@]} situations alike in trace and pixels"
[ $status -eq 0 ] && [ $failed -eq 0 ] && [ ${#names[@]} -gt 0 ]
