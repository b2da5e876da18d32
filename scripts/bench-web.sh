#!/usr/bin/env bash
# The page's size and speed, each beside quillet-lrt doing the same work on this machine. A
# benchmark, not a test: it measures time, and these machines are shared.
#
#   scripts/bench-web.sh      BENCH_RUNS (9) runs a measure, BENCH_LOCI (2000) loci, BENCH_DIR
#                             to keep the generated files between runs
#
# Measures: the built page's size, raw and gzipped; the time from opening the page to its
# first answer (quillet-lrt: starting and printing its version); a 26 KB IQ-TREE report read,
# its values applied and the test of models calculated (quillet-lrt: the same file with
# --variant, --tsv); BENCH_LOCI generated reports as loci (quillet-lrt --each on both cores).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-9}
loci=${BENCH_LOCI:-2000}

bash scripts/install-deps.sh web
cmake --preset release >/dev/null && cmake --build --preset release --target quillet_lrt >/dev/null
cmake --preset web >/dev/null && cmake --build --preset web --target quillet_page >/dev/null
[ -d web/node_modules/playwright-core ] || npm ci --prefix web --no-audit --no-fund --silent
lrt=$PWD/build/release/cli/quillet-lrt

dir=${BENCH_DIR:-}
if [ -z "$dir" ]; then
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
fi
if [ "$(find "$dir/loci" -type f 2>/dev/null | wc -l)" -ne "$loci" ]; then
  rm -rf "$dir/loci"
  python3 bench/generate_iqtree_reports.py "$dir/loci" "$loci" --seed 5
fi
# The report of 26 KB: the generated one nearest that size.
iqtree=$(find "$dir/loci" -type f -printf '%s %p\n' |
  awk '{ d = $1 - 26624; if (d < 0) d = -d; if (best == "" || d < min) { min = d; best = $2 } }
       END { print best }')

# Median wall time in milliseconds of a command run $2 times.
median_ms() {
  local command=$1 n=$2 times=()
  for ((i = 0; i < n; ++i)); do
    local start=$(date +%s%N)
    eval "$command" >/dev/null 2>&1 || true
    times+=($((($(date +%s%N) - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

raw=$(find build/web -type f -printf '%s\n' | awk '{ n += $1 } END { print n }')
gzipped=$(for f in build/web/*; do gzip -9c "$f" | wc -c; done | awk '{ n += $1 } END { print n }')
lrt_bytes=$(strip -o "$dir/quillet-lrt" "$lrt" && stat -c %s "$dir/quillet-lrt")  # without debug data

page=$(node web/tools/page-bench.mjs "$PWD/build/web/index.html" "$iqtree" "$dir/loci" "$runs")
page_ms() { awk -F'\t' -v name="$1" '$1 == name { print $2 }' <<<"$page"; }

lrt_start=$(median_ms "'$lrt' --version" "$runs")
lrt_file=$(median_ms "'$lrt' --variant +I+G --tsv '$iqtree'" "$runs")
lrt_loci=$(median_ms "'$lrt' --each --variant +I+G --gamma-pair GTR+I+G,GTR+G '$dir/loci'" 3)

echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg); medians of $runs runs (3 for the loci)"
printf '%-42s %-22s %s\n' "measure" "page" "quillet-lrt"
printf '%-42s %-22s %s\n' "size (bytes)" "$raw ($gzipped gzipped)" "$lrt_bytes (the program, stripped)"
printf '%-42s %-22s %s\n' "opened to interactive (ms)" "$(page_ms interactive)" "$lrt_start (start, --version)"
printf '%-42s %-22s %s\n' "$(stat -c %s "$iqtree")-byte .iqtree read and tested (ms)" \
  "$(page_ms 'iqtree read, applied and tested')" "$lrt_file (whole process)"
printf '%-42s %-22s %s\n' "$loci loci (ms)" "$(page_ms "$loci loci")" "$lrt_loci (--each)"
