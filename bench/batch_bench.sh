#!/usr/bin/env bash
# Batch benchmark: feeds the program the answers for many trials on standard
# input, with its standard output going into a pipe, and prints the time per
# trial and the peak memory. Not part of the test suite.
#
#   bench/batch_bench.sh [path/to/ballast] [trials ...]
#
# With no trial counts it runs 20 000, 200 000 and 2 000 000 trials, so the
# peak memory can be seen not to grow with the number of trials.
set -euo pipefail

program=${1:-build/ballast}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(20000 200000 2000000)
runs=5

[ -x "$program" ] || { echo "batch_bench: no program at $program (build it first)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "batch_bench: /usr/bin/time is needed (Debian package time)" >&2; exit 2; }
source "$(dirname "$0")/measure.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$(realpath "$program")

for trials in "${counts[@]}"; do
    answers="$work/answers-$trials"
    {
        printf '120\n1.2\n60\n4\n2\n1\n2000\n'
        # Gaps that vary, each followed by "try again".
        awk -v n="$trials" 'BEGIN { for (i = 1; i < n; i++) printf "%.4f\n1\n", 0.01 + (i % 997) * 0.0003; print "0.1"; print "0" }'
    } > "$answers"

    one_run() { (cd "$work" && /usr/bin/time -f '%M' -o "$work/rss" "$program" < "$answers" | cat > /dev/null); }
    measure trial "$trials" "$runs"
done
