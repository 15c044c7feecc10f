#!/usr/bin/env bash
# Companion files: organize of the camera corpus with a RAW (a few MB) beside
# every other picture, side by side with cp -r of the same files, and the
# scan of that corpus against the same pictures without the RAWs.
#   bench/companions-bench.sh [WORK_FOLDER]   (default /tmp/lumora-companions-bench)
# Builds a Release build in build-bench, generates the corpus once (COUNT
# camera-size pictures, of which the scan lists about 5/6; only those are
# kept), adds RAW_MB megabytes of RAW beside every other one in a second tree
# whose pictures are hard links to the first, then:
#   - RUNS rounds of: cp -r + sync, lumora-cli organize + sync (a warm cache,
#     scan included), and the median of each;
#   - SCAN_RUNS scans of each tree taken in turns, each in a fresh process,
#     and the median processor and wall time of each.
# RUNS=0 measures the scans alone. Never run by the tests.
set -euo pipefail

work=${1:-/tmp/lumora-companions-bench}
runs=${RUNS:-5}
scan_runs=${SCAN_RUNS:-41}
count=${COUNT:-2400}
raw_mb=${RAW_MB:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench"

# shellcheck source=bench/common.sh
source "$here/bench/common.sh"
build_targets scan-harness
harness="$build/bench/scan-harness"

plain="$work/plain"
paired="$work/paired"
stamp="$count $raw_mb"
if [[ ! -f "$work/corpus.stamp" || "$(cat "$work/corpus.stamp")" != "$stamp" ]]; then
    echo "== generating $count pictures, a ${raw_mb} MB RAW beside every other one" >&2
    rm -rf "$plain" "$paired" "$work/corpus.stamp"
    mkdir -p "$work"
    "$cli" samples --camera-size --count "$count" "$plain" >/dev/null
    # Only what the scan lists is processed: cp gets exactly those files.
    "$cli" scan --yes "$plain" 2>/dev/null | awk -F'\t' 'NF >= 5 {print $1}' | sort >"$work/listed"
    find "$plain" -type f | sort | comm -23 - "$work/listed" | xargs -r -d '\n' rm -f
    cp -al "$plain" "$paired"
    head -c $((raw_mb * 1048576)) /dev/urandom >"$work/raw.bin"
    sed -n '1~2p' "$work/listed" | sed "s|^$plain|$paired|" | while read -r picture; do
        cp "$work/raw.bin" "${picture%.*}.CR2"
    done
    echo "$stamp" >"$work/corpus.stamp"
fi
pictures=$(find "$paired" -type f -iname '*.jpg' | wc -l)
raws=$(find "$paired" -type f -iname '*.cr2' | wc -l)
bytes=$(du -sbL "$paired" | cut -f1)
echo "corpus: $pictures pictures, $raws RAW companions, $bytes bytes" >&2
find "$paired" -type f -exec cat {} + >/dev/null

elapsed() { awk -v s="$1" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.6f", e - s}'; }
median() { sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }

cp_times=()
organize_times=()
for ((i = 0; i < runs; ++i)); do
    rm -rf "$work/cp" "$work/organize"
    sync
    start=$EPOCHREALTIME
    cp -r "$paired" "$work/cp"
    sync
    cp_times+=("$(elapsed "$start")")
    rm -rf "$work/cp"
    mkdir -p "$work/organize"
    sync
    start=$EPOCHREALTIME
    "$cli" organize --yes -q "$paired" "$work/organize" >"$work/organize.out" 2>&1
    sync
    organize_times+=("$(elapsed "$start")")
    echo "run $((i + 1)): cp -r ${cp_times[-1]} s, organize ${organize_times[-1]} s" >&2
done
arrived_raws=$( (find "$work/organize" -type f -iname '*.cr2' 2>/dev/null || true) | wc -l)
arrived_pictures=$( (find "$work/organize" -type f -iname '*.jpg' 2>/dev/null || true) | wc -l)
grep -h 'companion' "$work/organize.out" >&2 || true
rm -rf "$work/organize"

# The scan as the program meets it: once, in a fresh process, on an empty
# heap. The two trees in turns, SCAN_RUNS times each; the medians of the
# scan's processor time (user and system, which other work on the machine
# disturbs far less than the wall time) and of its wall time.
plain_cpu=()
paired_cpu=()
plain_wall=()
paired_wall=()
for ((i = 0; i < scan_runs; ++i)); do
    read -r n_plain t_plain _ c_plain < <("$harness" "$plain" 1)
    read -r n_paired t_paired _ c_paired < <("$harness" "$paired" 1)
    plain_cpu+=("$c_plain")
    paired_cpu+=("$c_paired")
    plain_wall+=("$t_plain")
    paired_wall+=("$t_paired")
done

cp_median=$(printf '%s\n' "${cp_times[@]}" | median)
organize_median=$(printf '%s\n' "${organize_times[@]}" | median)
plain_median=$(printf '%s\n' "${plain_cpu[@]}" | median)
paired_median=$(printf '%s\n' "${paired_cpu[@]}" | median)
plain_wall_median=$(printf '%s\n' "${plain_wall[@]}" | median)
paired_wall_median=$(printf '%s\n' "${paired_wall[@]}" | median)
echo
echo "$pictures pictures ($n_plain listed / $n_paired listed), $raws RAWs of $raw_mb MB;" \
    "organize wrote $arrived_pictures pictures and $arrived_raws RAWs; median of $runs runs"
awk -v b="$bytes" -v c="$cp_median" -v o="$organize_median" -v p="$plain_median" \
    -v q="$paired_median" -v pw="$plain_wall_median" -v qw="$paired_wall_median" \
    -v n="$scan_runs" 'BEGIN{
    mb = b / 1048576
    if (c > 0) {
        printf "cp -r + sync:                 %8.3f s  %7.1f MB/s\n", c, mb / c
        printf "lumora-cli organize + sync:   %8.3f s  %7.1f MB/s (scan included)\n", o, mb / o
        printf "ratio (organize / cp):        %8.3f\n", o / c
    }
    printf "one scan, median of %d fresh processes each, processor time (wall time):\n", n
    printf "scan without companions:      %8.4f s  (%.4f s)\n", p, pw
    printf "scan with a RAW beside half:  %8.4f s  (%.4f s)  %+.1f%% (%+.1f%%), goal under 5%%\n", q, qw, (q / p - 1) * 100, (qw / pw - 1) * 100
}'
