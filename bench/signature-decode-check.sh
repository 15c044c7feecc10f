#!/usr/bin/env bash
# The duplicate signature of pictures taken from their files (no embedded
# thumbnail), decoded three ways: reduced (libjpeg's scaling to at least
# 64 x 64), whole, and sampled (full scale, only the sampled rows worked out,
# what the analysis does). Prints per corpus how far the signature values and
# the pairwise distances move between the reduced and the whole decode, how
# many duplicate decisions and groups change, whether the sampled decode gives
# exactly the whole decode's work picture, and the time per picture of each.
#   bench/signature-decode-check.sh [CORPUS_FOLDER [JPEG...]]
# CORPUS_FOLDER defaults to /tmp/lumora-signature-decode. JPEG files given
# after it (pictures found on the machine) form one more corpus, "found",
# and their near-copies another. Corpora: the default sample set, 100 plain
# 640 x 480 pictures, 40 camera-sized ones, 4 pictures at each of 13 sizes,
# and near-copies (re-encoded, retouched) of some of them. RUNS (3) timed
# runs after a warm-up; BUILD_LOCK names a lock file to hold while building.
# Never run by the tests.
set -euo pipefail

corpus=${1:-/tmp/lumora-signature-decode}
shift || true
found=("$@")
runs=${RUNS:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build-bench-sig}

# shellcheck source=bench/common.sh
source "$here/bench/common.sh"
if [[ -n ${BUILD_LOCK:-} ]]; then
    exec 9>"$BUILD_LOCK"
    flock 9
fi
build_targets signature-decode-check
if [[ -n ${BUILD_LOCK:-} ]]; then flock -u 9; fi
tool="$build/bench/signature-decode-check"

mkdir -p "$corpus"
generate samples
generate plain --count 100 --no-thumbnails --distinct
generate camera --count 40 --camera-size --no-thumbnails --distinct
sizes=(80x60 100x80 150x100 200x150 333x250 640x480 1024x768 1600x1200 2048x1536 3000x2000
    4000x2667 4032x3024 6000x4000)
seed=1
for size in "${sizes[@]}"; do
    generate "sizes/$size" --count 4 --no-thumbnails --distinct --flat --size "$size" --seed "$seed"
    seed=$((seed + 1))
done

# near NAME FILE...: near-copies of the files, written once.
near() {
    local folder="$corpus/$1"
    shift
    if [[ -f "$folder.stamp" && "$(cat "$folder.stamp")" == "$*" ]]; then return; fi
    rm -rf "$folder" "$folder.stamp"
    "$tool" near-duplicates "$folder" "$@"
    echo "$*" >"$folder.stamp"
}
mapfile -t plain < <(find "$corpus/plain" -iname '*.jpg' | LC_ALL=C sort | head -6)
mapfile -t camera < <(find "$corpus/camera" -iname '*.jpg' | LC_ALL=C sort | head -4)
near near-plain "${plain[@]}"
near near-camera "${camera[@]}"

corpora=(--corpus samples "$corpus/samples" --corpus plain "$corpus/plain"
    --corpus camera "$corpus/camera" --corpus sizes "$corpus/sizes")
if ((${#found[@]} > 0)); then
    near near-found "${found[@]}"
    corpora+=(--corpus found "${found[@]}")
fi
corpora+=(--corpus near-plain "$corpus/near-plain" --corpus near-camera "$corpus/near-camera")
if ((${#found[@]} > 0)); then corpora+=(--corpus near-found "$corpus/near-found"); fi

"$tool" measure --runs "$runs" "${corpora[@]}"
