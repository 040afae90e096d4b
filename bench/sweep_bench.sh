#!/usr/bin/env bash
# Sweep benchmark: the command line computes a sweep of gaps and writes it as
# csv into a pipe; prints the time per row and the peak memory at each size,
# so that the memory can be seen not to grow with the sweep. Not part of the
# test suite.
#
#   bench/sweep_bench.sh [path/to/ballast] [rows ...]
#
# With no row counts it runs 100 000 and 1 000 000 rows.
set -euo pipefail

program=${1:-build/ballast}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(100000 1000000)
runs=5

[ -x "$program" ] || { echo "sweep_bench: no program at $program (build it first)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "sweep_bench: /usr/bin/time is needed (Debian package time)" >&2; exit 2; }
source "$(dirname "$0")/measure.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for rows in "${counts[@]}"; do
    # Gaps 0.000001 in apart from 0.000001 in on, `rows` of them.
    sweep="0.000001:$(awk -v n="$rows" 'BEGIN { printf "%.6f", n / 1000000 }'):0.000001"
    one_run() {
        /usr/bin/time -f '%M' -o "$work/rss" "$program" -V 120 -I 1.2 -f 60 --outside 4 --inside 2 -A 1 -u 2000 \
            --sweep="$sweep" --format=csv | wc -l > "$work/lines"
        local got=$(( $(cat "$work/lines") - 1 ))
        [ "$got" -eq "$rows" ] || { echo "sweep_bench: $got rows, not $rows" >&2; exit 1; }
    }
    measure row "$rows" "$runs"
done
