#!/usr/bin/env bash
# The duplicate search, side by side with findimagedupes on the same files.
#   bench/duplicates-bench.sh [CORPUS_FOLDER]     (default /tmp/lumora-dups-bench)
# Builds a Release build in build-bench, generates two camera-size corpora
# (with and without embedded thumbnails) once, then prints signatures per
# second of our analysis pass (alone and with decode-ahead helpers, median of
# RUNS runs after a warm-up) and of findimagedupes fingerprinting the very
# files our scan lists (one run, fresh fingerprint file), and the comparison
# pass for 1,000, 10,000 and 100,000 signatures, grouped against pairwise.
# PAIRWISE_MAX=10000 skips the pairwise pass above that count (it is
# quadratic: about a minute for 100,000). Never run by the tests.
set -euo pipefail

corpus=${1:-/tmp/lumora-dups-bench}
runs=${RUNS:-3}
count=${COUNT:-48}  # files per corpus; the scan lists about 7/8 of them
pairwise_max=${PAIRWISE_MAX:-100000}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build-bench}

# shellcheck source=bench/common.sh
source "$here/bench/common.sh"
build_targets duplicates-harness
harness="$build/bench/duplicates-harness"

mkdir -p "$corpus"
generate thumbnails --count "$count" --camera-size
generate plain --count "$count" --camera-size --no-thumbnails

field() { tr ' ' '\n' | awk -v key="$1" 'found {print; exit} $0 == key {found = 1}'; }

# median_rate CORPUS HELPERS: the median pictures per second of $runs runs.
median_rate() {
    "$harness" signatures "$corpus/$1" "$2" "$corpus/$1.list" >/dev/null
    for ((i = 0; i < runs; ++i)); do
        "$harness" signatures "$corpus/$1" "$2" | field per_second
    done | sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}

peer_rate() {
    local db="$corpus/$1.fingerprints"
    rm -f "$db"
    local pictures start seconds
    pictures=$(wc -l <"$corpus/$1.list")
    start=$EPOCHREALTIME
    findimagedupes -q -n -f "$db" - <"$corpus/$1.list" >/dev/null 2>&1 || true
    seconds=$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.3f", e - s}')
    rm -f "$db"
    awk -v n="$pictures" -v s="$seconds" 'BEGIN{printf "%.2f", n / s}'
}

helpers=$(($(nproc) > 1 ? 1 : 0))
rows=()
for name in thumbnails plain; do
    alone=$(median_rate "$name" 0)
    helped=$(median_rate "$name" "$helpers")
    peer=$(peer_rate "$name")
    rows+=("$(printf '%-12s %8s %10s %12s %14s %14s' "$name" "$(wc -l <"$corpus/$name.list")" \
        "$alone" "$helped" "$peer" \
        "$(awk -v a="$alone" -v h="$helped" -v p="$peer" 'BEGIN{printf "%.1fx / %.1fx", a / p, h / p}')")")
done
echo "== signatures per second (lumora alone, with $helpers decode-ahead helper; findimagedupes)"
printf '%-12s %8s %10s %12s %14s %14s\n' corpus pictures lumora "lumora+$helpers" findimagedupes ratios
printf '%s\n' "${rows[@]}"

echo "== comparison pass (seconds)"
for n in 1000 10000 100000; do
    if ((n <= pairwise_max)); then
        "$harness" compare "$n"
    else
        "$harness" compare "$n" --no-pairwise
    fi
done
