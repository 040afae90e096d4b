# Sourced by the benchmarks: times repeated runs of the caller's `one_run`,
# which must leave its peak memory (from /usr/bin/time -f '%M') in
# "$work/rss", and prints the best and median time per unit and the peak.
#
#   measure UNIT COUNT RUNS    e.g. measure trial 200000 5

measure() {
    local unit=$1 count=$2 runs=$3
    local best="" peak=0 times=() start end ns rss median r
    for ((r = 0; r < runs; r++)); do
        start=$(date +%s%N)
        one_run
        end=$(date +%s%N)
        ns=$(( (end - start) / count ))
        times+=("$ns")
        rss=$(tail -n 1 "$work/rss")
        (( rss > peak )) && peak=$rss
        if [ -z "$best" ] || (( ns < best )); then best=$ns; fi
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    printf '%s %9d: %5d ns per %s (best of %d), %5d ns median, peak memory %6d KiB\n' \
        "${unit}s" "$count" "$best" "$unit" "$runs" "$median" "$peak"
}
