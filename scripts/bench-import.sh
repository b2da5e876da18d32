#!/usr/bin/env bash
# Times `quillet-lrt --each` over many IQ-TREE reports against a plain Python script that
# extracts the same table with regular expressions, in one run on the same files.
#
#   scripts/bench-import.sh                      10,000 generated reports, 7 runs of each
#   BENCH_FILES=2000 BENCH_RUNS=11 scripts/bench-import.sh
#   BENCH_DIR=/tmp/reports scripts/bench-import.sh   keep the reports there between runs
#
# Needs the release build (cmake --preset release && cmake --build --preset release) and
# python3. The reports are made up by bench/generate_iqtree_reports.py (10 to 30 KB each, a
# ModelFinder table of 110 to 230 models). Every command runs once before the timed runs, so
# the page cache is warm; the timed runs take turns, so a busy moment on the machine falls on
# all of them alike. Reported: wall time in seconds, median, fastest and slowest of the runs.
# The machine is shared: quote medians, and run it when the load (uptime) is low.
set -euo pipefail
cd "$(dirname "$0")/.."

files=${BENCH_FILES:-10000}
runs=${BENCH_RUNS:-7}
lrt=${QUILLET_LRT:-build/release/cli/quillet-lrt}
[ -x "$lrt" ] || { echo "no $lrt: build the release preset first" >&2; exit 2; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dir=${BENCH_DIR:-$scratch/reports}
if [ "$(find "$dir" -maxdepth 1 -name '*.iqtree' 2>/dev/null | wc -l)" -ne "$files" ]; then
  # Never into a folder that holds something else: it would be timed along.
  if [ -n "$(ls -A "$dir" 2>/dev/null)" ]; then
    echo "$dir holds other files than $files reports; give an empty or new BENCH_DIR" >&2
    exit 2
  fi
  echo "writing $files reports to $dir ..." >&2
  python3 bench/generate_iqtree_reports.py "$dir" "$files"
fi

names=(each-tests each-criteria each-list python-list)
commands=(
  "$lrt --each $dir --variant +I+G --gamma-pair GTR+I+G,GTR+G"
  "$lrt --each --criteria $dir"
  "$lrt --list --each $dir"
  "python3 scripts/bench-import.py $dir"
)

# The two tables of values must agree line for line, or the comparison means nothing.
$lrt --list --each "$dir" >"$scratch/quillet.tsv"
python3 scripts/bench-import.py "$dir" >"$scratch/python.tsv"
if ! cmp -s "$scratch/quillet.tsv" "$scratch/python.tsv"; then
  echo "quillet-lrt --list --each and the Python script give different tables:" >&2
  diff "$scratch/quillet.tsv" "$scratch/python.tsv" | head >&2
  exit 1
fi
$lrt --each "$dir" --variant +I+G --gamma-pair GTR+I+G,GTR+G >/dev/null
$lrt --each --criteria "$dir" >/dev/null

for ((run = 0; run < runs; run++)); do
  for i in "${!commands[@]}"; do
    start=$EPOCHREALTIME
    ${commands[$i]} >/dev/null
    end=$EPOCHREALTIME
    echo "${names[$i]} $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')" \
      >>"$scratch/times"
  done
done

echo "$files IQ-TREE reports ($(du -sh "$dir" | cut -f1)), $runs runs each, $(nproc) cores," \
  "load $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo '?')"
printf '%-14s %9s %9s %9s %12s\n' command median_s min_s max_s vs_python
python_median=$(awk '$1 == "python-list" { print $2 }' "$scratch/times" | sort -g |
  awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }')
for name in "${names[@]}"; do
  awk -v n="$name" '$1 == n { print $2 }' "$scratch/times" | sort -g |
    awk -v n="$name" -v py="$python_median" '{ a[NR] = $1 }
      END {
        m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2
        printf "%-14s %9.3f %9.3f %9.3f %11.1fx\n", n, m, a[1], a[NR], py / m
      }'
done
echo "each-tests:  $lrt --each DIR --variant +I+G --gamma-pair GTR+I+G,GTR+G (6 tests a locus)"
echo "each-criteria: $lrt --each --criteria DIR (every classic model ranked, a line each)"
echo "each-list:   $lrt --list --each DIR (the table the Python script writes)"
echo "python-list: python3 scripts/bench-import.py DIR"
