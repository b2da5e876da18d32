#!/usr/bin/env bash
# The two ways into the project:
#   scripts/quillet.sh run    install what is missing, build and start Quillet
#   scripts/quillet.sh test   install what is missing, build and run every test
#                             (normal build, then AddressSanitizer + UBSan build, then a short
#                             run of each fuzz target)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

build() {  # preset
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

case "${1:-}" in
  run)
    bash scripts/install-deps.sh
    build release
    exec build/release/ui/qt/quillet
    ;;
  test)
    bash scripts/install-deps.sh
    build release
    ctest --preset release -j "$jobs"
    build sanitize
    ctest --preset sanitize -j "$jobs"
    if [ -f fuzz/CMakeLists.txt ] && [ -x scripts/fuzz-smoke.sh ]; then
      scripts/fuzz-smoke.sh
    fi
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
