#!/usr/bin/env bash
# The scale benchmark: every step of a session over generated libraries of
# 2,000 and 20,000 files, each step's time and peak memory, and how each step
# grows from the small library to the large one.
#   bench/scale-bench.sh [FOLDER]     (default /tmp/lumora-scale)
# Builds a Release build in build-scale, writes the libraries once (kept for
# later runs), then runs the harness RUNS times per library (default 2) and
# keeps the faster run of each step. Never run by the tests.
set -euo pipefail

folder=${1:-/tmp/lumora-scale}
runs=${RUNS:-2}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-scale"

echo "== building (Release, $build)" >&2
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMORA_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target scale-harness >/dev/null
harness="$build/bench/scale-harness"

mkdir -p "$folder"
for count in 2000 20000; do
    library="$folder/lib-$count"
    if [[ ! -f "$library.done" ]]; then
        echo "== writing $library" >&2
        rm -rf "$library"
        "$harness" generate "$library" "$count" >&2
        touch "$library.done"
    fi
    for ((run = 1; run <= runs; ++run)); do
        echo "== $library, run $run" >&2
        rm -rf "$folder/work-$count/target"
        sync
        "$harness" run "$library" "$folder/work-$count" >"$folder/run-$count-$run.txt"
        rm -rf "$folder/work-$count/target" "$folder/cp-$count"
        # The peer of processing by copy: cp -r of the same library, neither
        # followed by sync, from the same clean start.
        sync
        start=$EPOCHREALTIME
        cp -r "$library" "$folder/cp-$count"
        awk -v s="$start" -v e="$EPOCHREALTIME" -v n="$count" \
            'BEGIN { printf "cp-r           %7d %9.3f\n", n, e - s }' >>"$folder/run-$count-$run.txt"
        rm -rf "$folder/cp-$count"
        sync
    done
done

# best COUNT: per step, the line of the faster run.
best() {
    cat "$folder"/run-"$1"-*.txt | awk '$1 ~ /^(scan|thumb|anal|comp|sess|proc|cp-r)/ {
        if (!($1 in t) || $3 < t[$1]) { t[$1] = $3; line[$1] = $0 }
        if (!($1 in order)) { order[$1] = ++n; names[n] = $1 }
    } END { for (i = 1; i <= n; ++i) print line[names[i]] }'
}

for count in 2000 20000; do
    echo "== $count files (faster of $runs runs)"
    head -1 "$folder/run-$count-1.txt"
    best "$count"
    grep '^whole-run' "$folder/run-$count-1.txt"
    best "$count" | awk '$1 == "process-copy" { p = $3 } $1 == "cp-r" { c = $3 }
        END { if (c > 0) printf "process-copy / cp -r: %.2f\n", p / c }'
done

echo "== growth from 2,000 to 20,000 files: time per picture, large over small (1.0 = linear)"
join <(best 2000 | awk '{print $1, $2, $3, ($6 == "" ? 0 : $6)}' | sort) \
     <(best 20000 | awk '{print $1, $2, $3, ($6 == "" ? 0 : $6)}' | sort) |
    awk '{ small = $3 / $2; large = $6 / $5;
           printf "%-14s %6.2f   beyond-thumbnails MiB %7.1f -> %7.1f\n", $1,
                  (small > 0 ? large / small : 0), $4, $7 }'
