#!/bin/sh
# short-run.sh <fuzzer> <corpus> <work dir> -runs=<n> [libFuzzer options]
# Replays the committed corpus, then fuzzes from it for a fixed number of runs with a fixed seed,
# so that the suite's run is the same every time (a slow machine stops after 40 seconds). New
# inputs go to <work dir>/new, which starts empty; an input that fails is written to <work dir>/
# (crash-*, timeout-*, leak-*).
set -eu
fuzzer=$1 corpus=$2 work=$3
shift 3
rm -rf "$work/new"
mkdir -p "$work/new"
"$fuzzer" -seed=1 -max_total_time=40 -timeout=5 \
  -artifact_prefix="$work/" "$@" "$work/new" "$corpus"
