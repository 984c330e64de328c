#!/usr/bin/env bash
# Runs every libFuzzer target in the given folder for a bounded time each; any crash fails.
# Usage: scripts/run-fuzzers.sh BIN_DIR SECONDS
set -euo pipefail
bin=$1; seconds=$2
shopt -s nullglob
targets=("$bin"/fuzz_*)
[ ${#targets[@]} -gt 0 ] || { echo "Brak celów fuzzingu w $bin." >&2; exit 1; }
for t in "${targets[@]}"; do
    name=$(basename "$t")
    corpus=$(mktemp -d)
    seeds="fuzz/corpus/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "-- $name (${seconds}s)"
    (cd "$bin" && "./$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 "$corpus" 2>&1 | tail -n 5)
    rm -rf "$corpus"
done
