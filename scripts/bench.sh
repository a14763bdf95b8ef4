#!/usr/bin/env bash
# Builds the benchmarks in a Release build and runs them all.
source "$(dirname "$0")/common.sh"
install_missing
build build-rel -DCMAKE_BUILD_TYPE=Release -DREMONT_APPS=OFF
for b in "$ROOT"/build-rel/bin/bench_*; do
  echo "== $(basename "$b")"
  "$b" "$@"
done
