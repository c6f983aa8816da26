#!/usr/bin/env bash
# Memory and time of vitals-sim play on large inputs, from /usr/bin/time -v:
# 64 MiB recordings (one-word events at one time; an ENG line per distinct
# time), an empty one, and GIFs of the largest display, 201 and 401 frames.
#   play_memory.sh VITALS_SIM
# Goals: 64 MiB in at most 150 MB, empty in at most 20 MB, a GIF's memory
# the same whatever its length.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: play_memory.sh VITALS_SIM" >&2; exit 2; }
sim=$(realpath "$1")
[ -x /usr/bin/time ] || { echo "SKIP: /usr/bin/time not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'PY'
size = 64 << 20
with open('words.atc', 'wb') as f:
    f.write(b'0 X\n' * (size // 4))
with open('eng.atc', 'w') as f:
    n, i = 0, 0
    while n < size - 40:
        line = '%d ENG 0:%d\n' % (i, i % 2)
        f.write(line)
        n, i = n + len(line), i + 1
open('empty.atc', 'w').close()
for name, frames in (('gif201.atc', 200), ('gif401.atc', 400)):
    with open(name, 'w') as f:
        for i in range(frames):
            f.write('%.1f ENG %d:%.2f\n' % (i * 0.5 + 0.1, i % 3, (i % 10) / 10))
open('huge.json', 'w').write('{"display": {"width": 4096, "height": 4096}}')
PY
measure() {
  local label=$1
  shift
  /usr/bin/time -v "$sim" play "$@" >out 2>err || { cat err; exit 1; }
  awk -v l="$label" '/Maximum resident/ {rss = $NF} /Elapsed/ {t = $NF} END {printf "%-34s %7.1f MB  %s\n", l, rss / 1024, t}' err
}
measure "64 MiB of '0 X'" --flight words.atc
measure "64 MiB of 'T ENG 0:L', T distinct" --flight eng.atc --to 10
measure "empty recording" --flight empty.atc
measure "GIF 4096 x 4096, 201 frames" --state huge.json --flight gif201.atc --gif g.gif
measure "GIF 4096 x 4096, 401 frames" --state huge.json --flight gif401.atc --gif g.gif
