#!/usr/bin/env bash
# The scan, side by side with other EXIF readers on the same generated corpus.
#   bench/scan-bench.sh [CORPUS_FOLDER]     (default /tmp/lumora-bench)
# Builds a Release build in build-bench, generates the corpora once (kept for
# later runs), then times every reader on a warm cache: one run first, then
# the median of RUNS runs. Prints pictures per second, ratios and memory.
# Never run by the tests.
set -euo pipefail

corpus=${1:-/tmp/lumora-bench}
runs=${RUNS:-5}
camera_count=${CAMERA_COUNT:-2400}  # files; the scan lists about 5/6 of them
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench"

# shellcheck source=bench/common.sh
source "$here/bench/common.sh"
build_targets scan-harness exif-dates-libexif read-floor
harness="$build/bench/scan-harness"
libexif_peer="$build/bench/exif-dates-libexif"
floor="$build/bench/read-floor"

mkdir -p "$corpus"
generate camera --count "$camera_count" --camera-size
generate small-2000 --count 2000 --size 160x120
generate small-20000 --count 20000 --size 160x120

exiv2_all() {
    find "$1" -type f -iname '*.jpg' -print0 |
        xargs -0 exiv2 -q -g Exif.Photo.DateTimeOriginal pr
}

dir="$corpus/camera"
jpgs=$(find "$dir" -type f -iname '*.jpg' | wc -l)
read -r listed _ < <("$harness" "$dir" 1)
bytes=$(du -sb "$dir" | cut -f1)
echo
echo "Corpus $dir: $jpgs .jpg files (the peers read each), $listed listed by the scan,"
echo "$((bytes / 1024 / 1024)) MiB, $(nproc) cores; median of $runs warm runs."
echo

t_ours=$(seconds "$cli" scan --yes "$dir")
read -r _ t_inproc _ < <("$harness" "$dir" "$runs")
t_floor=$(seconds "$floor" "$dir")
t_libexif=$(seconds "$libexif_peer" "$dir")
t_exiftool=$(seconds exiftool -fast2 -DateTimeOriginal -r "$dir")
t_exiv2=$(seconds exiv2_all "$dir")

row() {  # name seconds
    awk -v n="$1" -v t="$2" -v f="$jpgs" -v o="$t_ours" \
        'BEGIN{printf "%-44s %9.3f s %10.0f pictures/s   ours/this %6.2f\n", n, t, f / t, t / o}'
}
printf '%-44s %11s %21s   %s\n' "reader" "time" "rate" "speed ratio"
row "lumora-cli scan DIR > /dev/null" "$t_ours"
row "scanSource in process (best of $runs)" "$t_inproc"
row "floor: open, read 64 KiB, close" "$t_floor"
row "libexif (C program)" "$t_libexif"
row "exiftool -fast2 -DateTimeOriginal -r" "$t_exiftool"
row "exiv2 -q -g Exif.Photo.DateTimeOriginal pr" "$t_exiv2"
echo "(ours/this above 1: ours is faster; the floor's ratio should stay above 0.5)"

echo
echo "Memory: peak resident set of the scan (small bodies, 160 x 120)"
mem() {  # folder -> "listed rss_kib_cli rss_kib_inprocess"
    local n rss_in
    /usr/bin/time -f %M -o "$corpus/rss.txt" "$cli" scan --yes "$1" >/dev/null 2>&1 </dev/null
    read -r n _ rss_in < <("$harness" "$1" 1)
    echo "$n $(tail -1 "$corpus/rss.txt") $rss_in"
}
read -r n2 cli2 in2 < <(mem "$corpus/small-2000")
read -r n20 cli20 in20 < <(mem "$corpus/small-20000")
printf '%-28s %10s %14s %14s\n' "corpus" "listed" "lumora-cli KiB" "in-process KiB"
printf '%-28s %10d %14d %14d\n' "small-2000" "$n2" "$cli2" "$in2"
printf '%-28s %10d %14d %14d\n' "small-20000" "$n20" "$cli20" "$in20"
awk -v a="$cli2" -v b="$cli20" -v c="$in2" -v d="$in20" -v m="$n2" -v n="$n20" 'BEGIN{
    printf "slope: %.0f bytes per picture (lumora-cli), %.0f (in process); goal under 4096\n",
        (b - a) * 1024 / (n - m), (d - c) * 1024 / (n - m)}'
