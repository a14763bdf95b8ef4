#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a normal build, once
# built with AddressSanitizer and UndefinedBehaviorSanitizer.
source "$(dirname "$0")/common.sh"
install_missing

echo "== build and test"
build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$ROOT/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

echo "== build and test with AddressSanitizer + UndefinedBehaviorSanitizer"
build build-asan -DCMAKE_BUILD_TYPE=Debug -DREMONT_SANITIZE=ON -DREMONT_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$ROOT/build-asan" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")
