#!/usr/bin/env bash
# What the journal of a processing run costs, and what its undo takes, side by
# side with cp -r and rm -r of the same files on the same disk; every timing
# ends with a sync and reads a warm cache.
#   bench/undo-bench.sh [WORK_FOLDER]     (default /tmp/lumora-undo-bench)
# Builds a Release build in build-bench-process, generates the corpus once
# (COUNT camera-size pictures, less those the scan does not list), then RUNS
# times: cp -r, rm -r, a copy run without and with the journal, the undo of
# the journaled run; a move run without and with the journal and the undo of
# that one, which must give the corpus back byte for byte; and the journal's
# own work alone (every picture announced and confirmed, nothing copied), whose
# share of a run is less at the mercy of a busy machine than the difference of
# two runs. Prints each time and the medians. Never run by the tests.
set -euo pipefail

work=${1:-/tmp/lumora-undo-bench}
runs=${RUNS:-3}
count=${COUNT:-2000}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench-process"

echo "== building (Release, $build)" >&2
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMORA_BENCH=ON \
    -DLUMORA_TESTS=OFF >/dev/null
nice cmake --build "$build" -j2 --target lumora-cli process-harness >/dev/null
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
files=$(find "$corpus" -type f -iname '*.jpg' | wc -l)
bytes=$(find "$corpus" -type f -iname '*.jpg' -printf '%s\n' | awk '{s+=$1} END{print s}')
echo "corpus: $files files, $bytes bytes" >&2
find "$corpus" -type f -exec cat {} + >/dev/null

elapsed() { awk -v s="$1" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.6f", e - s}'; }
median() { sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
timed() { local start=$EPOCHREALTIME; "$@"; sync; elapsed "$start"; }
run() { "$harness" "$@" 2>/dev/null | awk '{print $3}'; }
undo() { "$harness" --undo "$1" 2>/dev/null | awk '{print $2}'; }
alone() { "$harness" --journal-only "$1" "$2" 2>/dev/null | awk '{print $2}'; }

declare -a cp_t rm_t copy_t copyj_t undoc_t move_t movej_t undom_t alone_t
for ((i = 0; i < runs; ++i)); do
    rm -rf "$work/out" "$work/src"
    sync
    cp_t+=("$(timed cp -r "$corpus" "$work/out")")
    rm_t+=("$(timed rm -r "$work/out")")

    mkdir -p "$work/out"; sync
    copy_t+=("$(run "$corpus" "$work/out")")
    rm -rf "$work/out"; mkdir -p "$work/out"; sync
    copyj_t+=("$(run "$corpus" "$work/out" --journal)")
    undoc_t+=("$(undo "$work/out")")
    rm -rf "$work/out"; mkdir -p "$work/out"; sync
    alone_t+=("$(alone "$corpus" "$work/out")")
    rm -rf "$work/out"

    cp -r "$corpus" "$work/src"; mkdir -p "$work/out"; sync
    move_t+=("$(run "$work/src" "$work/out" --move)")
    rm -rf "$work/src" "$work/out"
    cp -r "$corpus" "$work/src"; mkdir -p "$work/out"; sync
    movej_t+=("$(run "$work/src" "$work/out" --move --journal)")
    undom_t+=("$(undo "$work/out")")
    diff -r "$corpus" "$work/src" >/dev/null || { echo "the undo did not give the corpus back" >&2; exit 1; }
    echo "run $((i + 1)): cp -r ${cp_t[-1]}, rm -r ${rm_t[-1]}, copy ${copy_t[-1]} / journaled" \
        "${copyj_t[-1]}, its undo ${undoc_t[-1]}; move ${move_t[-1]} / journaled ${movej_t[-1]}," \
        "its undo ${undom_t[-1]}; the journal alone ${alone_t[-1]} s" >&2
done
rm -rf "$work/src" "$work/out"

m() { printf '%s\n' "$@" | median; }
awk -v n="$files" -v b="$bytes" -v cp="$(m "${cp_t[@]}")" -v rm="$(m "${rm_t[@]}")" \
    -v c="$(m "${copy_t[@]}")" -v cj="$(m "${copyj_t[@]}")" -v uc="$(m "${undoc_t[@]}")" \
    -v mv="$(m "${move_t[@]}")" -v mj="$(m "${movej_t[@]}")" -v um="$(m "${undom_t[@]}")" \
    -v ja="$(m "${alone_t[@]}")" 'BEGIN{
    printf "%d pictures, %.1f MB; medians, each with its sync:\n", n, b / 1048576
    printf "cp -r:                       %8.3f s\n", cp
    printf "rm -r:                       %8.3f s\n", rm
    printf "copy run, no journal:        %8.3f s\n", c
    printf "copy run, journal:           %8.3f s   journal %+.1f%% of the run\n", cj, (cj - c) / c * 100
    printf "undo of the copy run:        %8.3f s   (%.2f x rm -r)\n", uc, uc / rm
    printf "move run, no journal:        %8.3f s\n", mv
    printf "move run, journal:           %8.3f s   journal %+.1f%% of the run\n", mj, (mj - mv) / mv * 100
    printf "undo of the move run:        %8.3f s\n", um
    printf "the journal alone:           %8.3f s   %.1f%% of the copy run, %.1f%% of the move run\n", ja, ja / c * 100, ja / mv * 100
}'
