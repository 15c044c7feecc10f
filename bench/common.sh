# Helpers shared by the benchmark scripts; sourced, not run. Callers set
# `here` (the source tree), `build` (the build folder), `corpus` (where the
# generated pictures go) and `runs`.

# build_targets TARGET...: a Release build with the benchmarks, of just these
# targets. Sets `cli` to the lumora-cli it built.
build_targets() {
    echo "== building (Release, $build)" >&2
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMORA_BENCH=ON \
        -DLUMORA_TESTS=OFF >/dev/null
    nice cmake --build "$build" -j2 --target lumora-cli "$@" >/dev/null
    cli="$build/cli/lumora-cli"
}

# generate NAME ARGS...: writes the corpus $corpus/NAME once with
# `lumora-cli samples ARGS`; a stamp records the arguments, so a later run
# with other arguments writes it anew.
generate() {
    local name=$1
    shift
    local folder="$corpus/$name"
    if [[ -f "$folder.stamp" && "$(cat "$folder.stamp")" == "$*" ]]; then return; fi
    echo "== generating $folder ($*)" >&2
    rm -rf "$folder" "$folder.stamp"
    local start=$EPOCHREALTIME
    "$cli" samples "$@" "$folder" >/dev/null
    echo "   $(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.1f", e - s}') s" >&2
    echo "$*" >"$folder.stamp"
}

# seconds CMD...: one warm-up run, then the median wall time of $runs runs.
seconds() {
    "$@" >/dev/null 2>&1 </dev/null || true
    local times=()
    for ((i = 0; i < runs; ++i)); do
        local start=$EPOCHREALTIME
        "$@" >/dev/null 2>&1 </dev/null || true
        times+=("$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.6f", e - s}')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}
