#!/usr/bin/env bash
# Processing into albums, side by side with cp -r of the same files on the
# same disk; both followed by sync, both reading a warm cache.
#   bench/process-bench.sh [WORK_FOLDER]     (default /tmp/lumora-process-bench)
# Builds a Release build in build-bench-process, generates the corpus once
# (COUNT camera-size pictures of about 1 MB, less those the scan does not list), then alternates the two copies
# RUNS times and prints each time, the medians, MB/s and the ratio. The
# organize line times the whole command (scan included) once. Never run by the tests.
set -euo pipefail

work=${1:-/tmp/lumora-process-bench}
runs=${RUNS:-3}
count=${COUNT:-1300}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench-process"

echo "== building (Release, $build)" >&2
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMORA_BENCH=ON \
    -DLUMORA_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target lumora-cli process-harness >/dev/null
cli="$build/cli/lumora-cli"
harness="$build/bench/process-harness"

corpus="$work/corpus"
if [[ ! -f "$corpus.stamp" || "$(cat "$corpus.stamp")" != "$count" ]]; then
    echo "== generating $count pictures in $corpus" >&2
    rm -rf "$corpus"
    mkdir -p "$work"
    "$cli" samples --camera-size --count "$count" "$corpus" >/dev/null
    # Only what the scan lists is processed: cp gets exactly those files.
    "$cli" scan --yes "$corpus" 2>/dev/null | awk -F'\t' 'NF >= 5 {print $1}' | sort >"$work/listed"
    find "$corpus" -type f | sort | comm -23 - "$work/listed" | xargs -r -d '\n' rm -f
    echo "$count" >"$corpus.stamp"
fi
bytes=$(find "$corpus" -type f -iname '*.jpg' -printf '%s\n' | awk '{s+=$1} END{print s}')
echo "corpus: $(find "$corpus" -type f -iname '*.jpg' | wc -l) files, $bytes bytes" >&2
find "$corpus" -type f -exec cat {} + >/dev/null

elapsed() { awk -v s="$1" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.6f", e - s}'; }
median() { sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }

cp_times=()
lumora_times=()
for ((i = 0; i < runs; ++i)); do
    rm -rf "$work/cp" "$work/lumora"
    sync
    start=$EPOCHREALTIME
    cp -r "$corpus" "$work/cp"
    sync
    cp_times+=("$(elapsed "$start")")

    rm -rf "$work/cp"
    mkdir -p "$work/lumora"
    sync
    line=$("$harness" "$corpus" "$work/lumora" 2>/dev/null)
    lumora_times+=("$(echo "$line" | awk '{print $3}')")
    echo "run $((i + 1)): cp -r ${cp_times[-1]} s, processAlbums ${lumora_times[-1]} s" >&2
done

rm -rf "$work/lumora"
mkdir -p "$work/organize"
sync
start=$EPOCHREALTIME
"$cli" organize "$corpus" "$work/organize" --yes >/dev/null 2>&1
sync
organize_time=$(elapsed "$start")
rm -rf "$work/organize"

cp_median=$(printf '%s\n' "${cp_times[@]}" | median)
lumora_median=$(printf '%s\n' "${lumora_times[@]}" | median)
awk -v b="$bytes" -v c="$cp_median" -v l="$lumora_median" -v o="$organize_time" 'BEGIN{
    mb = b / 1048576
    printf "cp -r + sync:            %8.3f s  %7.1f MB/s\n", c, mb / c
    printf "processAlbums + sync:    %8.3f s  %7.1f MB/s\n", l, mb / l
    printf "ratio (lumora / cp):     %8.3f\n", l / c
    printf "lumora-cli organize:     %8.3f s  %7.1f MB/s (scan included)\n", o, mb / o
}'
