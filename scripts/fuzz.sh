#!/usr/bin/env bash
# Runs every fuzzer for MINUTES minutes (default 10), one after the other, on a corpus kept
# outside the source tree that grows from run to run, and prints each one's executions and
# findings. Exits 1 when a fuzzer found something, 2 on wrong usage.
# Usage: scripts/fuzz.sh [MINUTES]
# The work folder is $SORABELL_FUZZ_WORK, or ~/.cache/sorabell-fuzz.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

minutes=${1:-10}
if [[ $# -gt 1 || ! $minutes =~ ^[0-9]+$ || $minutes -eq 0 ]]; then
    echo "usage: scripts/fuzz.sh [MINUTES]" >&2
    exit 2
fi
work=${SORABELL_FUZZ_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/sorabell-fuzz}
bin=build/native/bin

cmake --preset native >/dev/null
cmake --build --preset native -j2
mkdir -p "$work/seeds" "$work/corpus" "$work/findings" "$work/logs"
# The seeds are made afresh each time; what the fuzzers found to be new stays in the corpus.
rm -rf "$work/seeds"
"$bin/sorabell_fuzz_seeds" "$work/seeds"

found=0
printf '%-14s %14s %9s %8s\n' fuzzer executions findings corpus
for program in "$bin"/fuzz_*; do
    name=${program##*/fuzz_}
    corpus=$work/corpus/$name findings=$work/findings/$name log=$work/logs/$name.log
    mkdir -p "$corpus" "$findings"
    before=$(find "$findings" -type f | wc -l)
    # A finding ends the fuzzer's run; its exit status is told by the findings count.
    "$program" -max_total_time=$((minutes * 60)) -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "$work/seeds/$name" >"$log" 2>&1 || true
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    new=$(($(find "$findings" -type f | wc -l) - before))
    printf '%-14s %14s %9d %8d\n' "$name" "${executions:-?}" "$new" "$(find "$corpus" -type f | wc -l)"
    if [[ $new -gt 0 || -z $executions ]]; then
        found=1
        echo "  see $log and $findings/" >&2
    fi
done
exit "$found"
