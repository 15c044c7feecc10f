#!/usr/bin/env bash
# Film thumbnails (160 x 120) side by side with vipsthumbnail, ImageMagick and
# libjpeg-turbo's own 1/8 decode, on generated camera-sized pictures (4000 x
# 3000), once for pictures with an embedded EXIF thumbnail and once for
# pictures without one.
#   bench/thumbnail-bench.sh [CORPUS_FOLDER]      (default /tmp/lumora-thumbnail-bench)
# Environment: BUILD (build folder, default build-bench), COUNT (pictures
# without a thumbnail, default 48), EMBEDDED_COUNT (pictures with one, default
# 200: they are so quick that the start of each program would dominate a
# small corpus), RUNS (median of, default 3), IM_COUNT (pictures given to
# ImageMagick, which is slow, default 8).
# Every figure is the median wall time of RUNS runs after one warm-up run.
# Never run by the tests.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
corpus=${1:-/tmp/lumora-thumbnail-bench}
build=${BUILD:-$here/build-bench}
count=${COUNT:-48}
embedded_count=${EMBEDDED_COUNT:-200}
runs=${RUNS:-3}
im_count=${IM_COUNT:-8}

# shellcheck source=bench/common.sh
source "$here/bench/common.sh"
build_targets thumbnail-harness
harness="$build/bench/thumbnail-harness"

mkdir -p "$corpus"
generate embedded --count "$embedded_count" --camera-size --distinct
# The generator leaves a few pictures without a thumbnail in every corpus;
# here they would be timed as full decodes.
"$cli" exif --json "$corpus/embedded" 2>/dev/null |
    sed -n 's/^{"path":"\(.*\)","IsExif".*"ThumbnailSize":0}$/\1/p' |
    while IFS= read -r f; do rm -f -- "$f"; done
generate plain --count "$count" --camera-size --distinct --no-thumbnails

# The pictures the scan lists, one path a line.
pictures_of() {
    "$cli" scan --yes "$1" 2>/dev/null | awk -F '\t' 'NF >= 5 {print $1}'
}

# Outputs go to memory where there is a tmpfs, so that the disk's write-back
# does not decide the figures.
if [[ -d /dev/shm ]]; then out=$(mktemp -d -p /dev/shm); else out=$(mktemp -d); fi
trap 'rm -rf "$out"' EXIT

vips_one() { xargs -d '\n' vipsthumbnail --size '160x120!' -o "$out/vips/%s.jpg" <"$1"; }
vips_two() {
    local lines
    lines=$(wc -l <"$1")
    head -n $(((lines + 1) / 2)) "$1" >"$out/first"
    tail -n +$(((lines + 1) / 2 + 1)) "$1" >"$out/second"
    vips_one "$out/first" &
    vips_one "$out/second" &
    wait
}
magick_each() { while IFS= read -r f; do convert "$f" -thumbnail '160x120!' "$out/im.jpg"; done <"$1"; }
djpeg_each() { while IFS= read -r f; do djpeg -scale 1/8 -bmp "$f" >/dev/null; done <"$1"; }

# row NAME SECONDS PICTURES REFERENCE-MS
row() {
    awk -v n="$1" -v s="$2" -v p="$3" -v r="$4" 'BEGIN{
        ms = s * 1000 / p
        printf "  %-44s %9.2f ms %9.1f /s %9.2fx\n", n, ms, 1000 / ms, ms / r}'
}

for kind in plain embedded; do
    folder="$corpus/$kind"
    list="$out/$kind.list"
    pictures_of "$folder" >"$list"
    n=$(wc -l <"$list")
    head -n "$im_count" "$list" >"$out/$kind.im"
    n_im=$(wc -l <"$out/$kind.im")
    mkdir -p "$out/vips"

    ours2=$(seconds "$cli" thumbnails "$folder" "$out/ours")
    ours1=$(seconds "$cli" thumbnails --workers 1 "$folder" "$out/ours")
    # The routine alone, without the scan and the writing: best of $runs.
    inproc=$("$harness" "$folder" "$runs" 0 | awk '{print $2}')
    inproc2=$("$harness" "$folder" "$runs" 2 | awk '{print $2}')
    v1=$(seconds vips_one "$list")
    v2=$(seconds vips_two "$list")
    dj=$(seconds djpeg_each "$list")
    if command -v convert >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick; then
        im=$(runs=1 seconds magick_each "$out/$kind.im")
    else
        im=""
    fi
    ref=$(awk -v s="$ours2" -v p="$n" 'BEGIN{print s * 1000 / p}')

    echo "== $kind: $n pictures of 4000 x 3000 ($([[ $kind == embedded ]] && echo "with" || echo "without") an embedded thumbnail); ratio = time / lumora-cli with 2 workers"
    row "lumora-cli thumbnails (2 workers)" "$ours2" "$n" "$ref"
    row "lumora-cli thumbnails --workers 1" "$ours1" "$n" "$ref"
    row "thumbnail routine in process, 1 thread" "$inproc" "$n" "$ref"
    row "thumbnail routine in process, 2 workers" "$inproc2" "$n" "$ref"
    row "vipsthumbnail, 1 process" "$v1" "$n" "$ref"
    row "vipsthumbnail, 2 processes" "$v2" "$n" "$ref"
    row "djpeg -scale 1/8, a process each" "$dj" "$n" "$ref"
    if [[ -n $im ]]; then
        row "convert -thumbnail ($n_im pictures, 1 run)" "$im" "$n_im" "$ref"
    else
        echo "  convert -thumbnail: ImageMagick is not installed"
    fi
done
