#!/usr/bin/env bash
# The two ways into the project:
#   scripts/quillet.sh run    install what is missing, build and start Quillet
#   scripts/quillet.sh test   install what is missing, build and run every test
#                             (normal build, then AddressSanitizer + UBSan build, then a short
#                             run of each fuzz target, then the Debian package installed,
#                             started and removed, then the page in a real browser)
#   scripts/quillet.sh web    install what is missing, build the page into build/web and
#                             print the path of its index.html
# The Windows core under Wine is a script of its own, scripts/windows-core.sh, which CI runs
# after this one: both together take longer than a test command should.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

stages=""
stage_start=$SECONDS
done_stage() {  # name: notes how long the stage just ended took
  stages+=" $1 $((SECONDS - stage_start)),"
  stage_start=$SECONDS
}

build() {  # preset
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

case "${1:-}" in
  web)
    bash scripts/install-deps.sh web
    cmake --preset web >/dev/null
    cmake --build --preset web -j "$jobs" --target quillet_page
    echo "$PWD/build/web/index.html"
    ;;
  run)
    bash scripts/install-deps.sh
    build release
    exec build/release/ui/qt/quillet
    ;;
  test)
    bash scripts/install-deps.sh
    done_stage deps
    log=$(mktemp)
    trap 'rm -f "$log" "$log.web"' EXIT
    build release
    ctest --preset release -j "$jobs" | tee "$log"
    done_stage release
    build sanitize
    ctest --preset sanitize -j "$jobs" | tee -a "$log"
    done_stage sanitize
    if [ -f fuzz/CMakeLists.txt ] && [ -x scripts/fuzz-smoke.sh ]; then
      scripts/fuzz-smoke.sh
      done_stage fuzz
    fi
    bash scripts/package-check.sh build/release
    done_stage package
    # The page: the core as WebAssembly with its platform suite under Node.js, then the page
    # opened from disk in Chromium and checked against the release build's quillet-lrt.
    bash scripts/install-deps.sh web
    npm ci --prefix web --no-audit --no-fund --silent  # playwright-core, as the lockfile pins it
    build web
    ctest --preset web -j "$jobs" | tee -a "$log"
    QUILLET_LRT=$PWD/build/release/cli/quillet-lrt node --test web/tests/ | tee "$log.web"
    done_stage web
    echo "seconds per stage:${stages%,}"
    # Every CTest pass must have run tests; a failure has already stopped the script.
    passed=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" |
      awk '{ n += $1 } END { print n + 0 }')
    passed=$((passed + $(sed -n 's/^# pass \([0-9]*\)$/\1/p' "$log.web" | awk '{ n += $1 } END { print n + 0 }')))
    if [ "$passed" -eq 0 ]; then
      echo "no test ran" >&2
      exit 1
    fi
    echo "quillet: $passed passed, 0 failed"
    ;;
  *)
    echo "usage: $0 run|test|web" >&2
    exit 2
    ;;
esac
