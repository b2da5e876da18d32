#!/usr/bin/env bash
# Builds the libFuzzer targets (preset `fuzz`, clang with AddressSanitizer and UBSan) and runs
# each one for a bounded time, starting from its checked-in seeds in fuzz/corpus/<target>.
# Exits non-zero when any target finds a crash, a sanitizer report, a broken property or a
# hang (any single input over 50 ms, checked inside the targets; -timeout is only a backstop).
#
#   scripts/fuzz-smoke.sh                          ~20 s per target, as CI runs it
#   FUZZ_SECONDS=3600 scripts/fuzz-smoke.sh        a longer run
#   FUZZ_TARGETS="stats" FUZZ_SECONDS=600 scripts/fuzz-smoke.sh
#   FUZZ_CORPUS=build/fuzz/corpus scripts/fuzz-smoke.sh   keep what the runs learn between runs
#
# New inputs go to a scratch folder (or FUZZ_CORPUS), never into the checked-in seeds. A failing
# input is kept in build/fuzz/artifacts/; replay it with build/fuzz/fuzz/<target>_fuzz <file>.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-20}
targets=${FUZZ_TARGETS:-"parse stats calculate import"}
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
corpus_root=${FUZZ_CORPUS:-$scratch/corpus}
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

max_len() {
  case "$1" in
    parse) echo 2048 ;;     # past the 800 significant digits the conversion keeps
    stats) echo 20 ;;       # five 4-byte numbers
    import) echo 8192 ;;    # room for a short report with its ModelFinder table
    *) echo 4096 ;;
  esac
}

status=0
for target in $targets; do
  binary=build/fuzz/fuzz/${target}_fuzz
  log=$scratch/$target.log
  mkdir -p "$corpus_root/$target"
  echo "== $target: ${seconds}s"
  if "$binary" "$corpus_root/$target" "fuzz/corpus/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$target")" \
      -artifact_prefix="$artifacts/$target-" -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | sed 's/^/   /'
  else
    status=1
    echo "!! $target failed; last lines of its log:" >&2
    tail -n 60 "$log" >&2
  fi
done

if [ "$status" -ne 0 ]; then
  echo "fuzz smoke FAILED (inputs kept in $artifacts)" >&2
else
  echo "fuzz smoke passed"
fi
exit "$status"
