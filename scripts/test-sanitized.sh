#!/usr/bin/env bash
# Builds with AddressSanitizer, UndefinedBehaviorSanitizer and leak detection into
# ./build-sanitize and runs every test there. Any report fails the run, including
# reports from programs the tests start (they are collected from a report folder,
# since a test need not look at its children's exit codes).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSKELDA_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)"

supp="$PWD/scripts/sanitizers"
reports="$(mktemp -d)"
# The package test runs the program as another user: it must be able to write here.
chmod 1777 "$reports"
trap 'rm -rf "$reports"' EXIT

export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0:halt_on_error=1:check_initialization_order=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp:log_path=$reports/ubsan"

status=0
ctest --test-dir build-sanitize --output-on-failure -j1 --timeout 1800 || status=$?

shopt -s nullglob
found=("$reports"/*)
if [ ${#found[@]} -gt 0 ]; then
  for f in "${found[@]}"; do
    echo "---- sanitizer report $(basename "$f")"
    cat "$f"
  done
  echo "FAILED: ${#found[@]} sanitizer report(s)"
  status=1
fi
exit "$status"
