#!/usr/bin/env bash
# Builds everything and runs every test: a plain build, the same tests built
# with AddressSanitizer and UBSan, and the Windows build of the core run
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --with-tests
jobs=$(nproc)
# Each step says when it starts, so a slow step shows in the log.
step() { echo "== $* (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }

# The plain test build is lightly optimised: -O2 with debug info would double
# the compile time for no gain in what the tests find.
step "plain build and tests"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG"
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"

step "Debian package: build, lintian, install, installed programs, remove"
bash packaging/check-package.sh build-test

step "AddressSanitizer and UBSan build and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DKOLIBRA_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

step "fuzz targets, a few seconds each on their corpus (ASan and UBSan)"
bash scripts/run-fuzz.sh

# The Windows programs and core tests, built with MinGW-w64 and run under
# Wine against the plain build's k2term and programs.
step "Windows build and tests"
bash scripts/windows-tests.sh build-test/bin
step "all tests passed"
