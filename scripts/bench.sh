#!/usr/bin/env bash
# Builds the benchmarks in a Release build and runs them all.
source "$(dirname "$0")/common.sh"
install_missing
build build-rel -DCMAKE_BUILD_TYPE=Release -DREMONT_APPS=OFF
# bench_search scans a generated 10,000-page manual. Generating it takes a while, so it is kept
# between runs; it is written under another name first, so an interrupted run leaves no half manual.
export REMONT_SOURCE_DIR="$ROOT"
export REMONT_BIG_MANUAL="$ROOT/build-rel/manual-10k"
if [ ! -d "$REMONT_BIG_MANUAL" ]; then
  rm -rf "$REMONT_BIG_MANUAL.part"
  python3 "$ROOT/bench/gen_manual.py" "$REMONT_BIG_MANUAL.part"
  mv "$REMONT_BIG_MANUAL.part" "$REMONT_BIG_MANUAL"
fi
for b in "$ROOT"/build-rel/bin/bench_*; do
  echo "== $(basename "$b")"
  "$b" "$@"
done
