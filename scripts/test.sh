#!/usr/bin/env bash
# Installs what the tests need, then builds and runs every test twice: in a normal build and
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" chrony

run_suite() {  # build-folder extra-cmake-args...
  local dir=$1; shift
  echo "== $dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
  ctest --test-dir "$dir" --output-on-failure
}

run_suite build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-sanitize -DHORVANE_SANITIZE=ON
