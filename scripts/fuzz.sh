#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, starting from its seeds and from the
# corpus kept in fuzz/corpus (what longer runs reached), both read only.
#   bash scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-20}
status=0
for target in "$build"/fuzz/fuzz-*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    for folder in fuzz/seeds/"${name#fuzz-}" fuzz/corpus/"${name#fuzz-}"; do
        [ -d "$folder" ] && seeds+=("$folder")
    done
    if "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}" \
        >"$build/$name.log" 2>&1; then
        echo "$name: $(grep -m1 stat::number_of_executed_units "$build/$name.log" | awk '{print $2}') runs, no failure"
    else
        echo "$name: FAILED (see $build/$name.log)"
        tail -30 "$build/$name.log"
        status=1
    fi
done
exit $status
