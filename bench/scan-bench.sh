#!/usr/bin/env bash
# The scan, side by side with other EXIF readers on the same generated corpus.
#   bench/scan-bench.sh [CORPUS_FOLDER]     (default /tmp/lumora-bench)
# Builds a Release build in build-bench, generates the corpora once (kept for
# later runs), then times every reader on a warm cache: one run of each
# first, then RUNS rounds (default 11) in which each reader runs once in
# turn, so that a change in the machine's load falls on all of them alike;
# the median of each reader's runs is shown. Then counts the system calls of
# one run of each with strace, and measures memory. Never run by the tests.
#   BASELINE=/path/to/lumora-cli   also times that build of the program (say,
#                                  of an earlier commit), in the same rounds
set -euo pipefail

corpus=${1:-/tmp/lumora-bench}
runs=${RUNS:-11}
camera_count=${CAMERA_COUNT:-2400}  # files; the scan lists about 5/6 of them
baseline=${BASELINE:-}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench"

# shellcheck source=bench/common.sh
source "$here/bench/common.sh"
"$here/scripts/install-deps" --bench
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

# The readers: a name for the table and the command, run with the folder.
names=("lumora-cli scan DIR" "floor: open, read 64 KiB, close" "libexif (C program)"
    "exiftool -fast2 -DateTimeOriginal -r")
commands=("$cli scan --yes" "$floor" "$libexif_peer" "exiftool -fast2 -DateTimeOriginal -r")
if [[ -n "$baseline" ]]; then
    names+=("baseline lumora-cli scan DIR")
    commands+=("$baseline scan --yes")
fi
if command -v exiv2 >/dev/null; then
    names+=("exiv2 -q -g Exif.Photo.DateTimeOriginal pr")
    commands+=("exiv2_all")
fi

once() {  # command... -> wall seconds of one run
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 </dev/null || true
    awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN{printf "%.6f", e - s}'
}

median() {  # numbers on standard input -> their median
    sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}

echo
echo "Corpus $dir: $jpgs .jpg files (every reader opens each), $listed listed by the scan,"
echo "$((bytes / 1024 / 1024)) MiB, $(nproc) cores; median of $runs warm runs taken in turns."
echo "Load before: $(cut -d' ' -f1-3 /proc/loadavg)"

declare -A times
for i in "${!commands[@]}"; do
    # shellcheck disable=SC2086  # the commands are words on purpose
    once ${commands[$i]} "$dir" >/dev/null  # warms the cache
done
for ((round = 0; round < runs; ++round)); do
    for i in "${!commands[@]}"; do
        # shellcheck disable=SC2086
        times[$i]+="$(once ${commands[$i]} "$dir") "
    done
done
echo "Load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

declare -A medians
for i in "${!commands[@]}"; do
    medians[$i]=$(tr ' ' '\n' <<<"${times[$i]}" | grep . | median)
done
t_ours=${medians[0]}
t_floor=${medians[1]}
read -r _ t_inproc _ < <("$harness" "$dir" "$runs")

row() {  # name seconds
    awk -v n="$1" -v t="$2" -v f="$jpgs" -v o="$t_ours" \
        'BEGIN{printf "%-44s %9.3f s %10.0f files/s   this/ours %6.2f\n", n, t, f / t, t / o}'
}
printf '%-44s %11s %19s   %s\n' "reader" "time" "rate" "time ratio"
for i in "${!commands[@]}"; do row "${names[$i]}" "${medians[$i]}"; done
row "scanSource in process (best of $runs)" "$t_inproc"
t_libexif=${medians[2]}
echo "(this/ours above 1: ours is faster)"
awk -v o="$t_ours" -v f="$t_floor" -v l="$t_libexif" 'BEGIN{
    printf "goals: libexif time / ours %.2f (at least 1.20); ours / floor time %.2f (at most 1.20)\n",
        l / o, o / f}'

echo
echo "System calls of one run (strace -c -f), per .jpg file, the start of each program included;"
echo "goal for the scan: at most 4 a picture plus the folder listings"
# A reader's calls: "total" then "name count" for each call made at least
# once per file on average.
syscalls() {
    local log="$corpus/strace.txt"
    # shellcheck disable=SC2086
    strace -c -f -o "$log" $1 "$dir" >/dev/null 2>&1 </dev/null || true
    awk -v f="$jpgs" '
        $NF == "total" { total = $4 }
        $1 ~ /^[0-9.]+$/ && $NF != "total" && $4 >= f / 2 { busy = busy sprintf(" %s %.2f", $NF, $4 / f) }
        END { printf "%.2f %s\n", total / f, busy }' "$log"
}
printf '%-44s %9s   %s\n' "reader" "per file" "the calls made about once a file or more"
if command -v strace >/dev/null; then
    for i in "${!commands[@]}"; do
        [[ ${commands[$i]} == exiv2_all ]] && continue  # a pipeline of programs
        read -r per busy < <(syscalls "${commands[$i]}")
        printf '%-44s %9.2f  %s\n' "${names[$i]}" "$per" "$busy"
    done
else
    echo "(strace is not installed)"
fi

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
