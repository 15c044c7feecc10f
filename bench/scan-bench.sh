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

# Seconds from one line of `times`: "0m0.046s 0m0.010s" gives 0.056.
# shellcheck disable=SC2016  # an awk program
cpu_awk='function seconds(t) { split(t, p, /[ms]/); return p[1] * 60 + p[2] }
    FNR == 2 { total = seconds($1) + seconds($2) }'

once() {  # command... -> "wall cpu": seconds of one run on the clock and on the processors
    local before="$corpus/times-before.txt" after="$corpus/times-after.txt" start end
    times >"$before"  # the shell's own line, then its children's
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 </dev/null || true
    end=$EPOCHREALTIME
    times >"$after"
    awk -v s="$start" -v e="$end" "$cpu_awk"'
        FILENAME == ARGV[1] && FNR == 2 { was = total }
        END { printf "%.6f %.6f", e - s, total - was }' "$before" "$after"
}

median() {  # numbers on standard input -> their median
    sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}

echo
echo "Corpus $dir: $jpgs .jpg files (every reader opens each), $listed listed by the scan,"
echo "$((bytes / 1024 / 1024)) MiB, $(nproc) cores; median of $runs warm runs taken in turns."
echo "Load before: $(cut -d' ' -f1-3 /proc/loadavg)"

declare -A walls cpus
for i in "${!commands[@]}"; do
    # shellcheck disable=SC2086  # the commands are words on purpose
    once ${commands[$i]} "$dir" >/dev/null  # warms the cache
done
for ((round = 0; round < runs; ++round)); do
    for i in "${!commands[@]}"; do
        # shellcheck disable=SC2086
        read -r wall cpu <<<"$(once ${commands[$i]} "$dir")"
        walls[$i]+="$wall "
        cpus[$i]+="$cpu "
    done
done
echo "Load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

declare -A wall_median cpu_median
for i in "${!commands[@]}"; do
    wall_median[$i]=$(tr ' ' '\n' <<<"${walls[$i]}" | grep . | median)
    cpu_median[$i]=$(tr ' ' '\n' <<<"${cpus[$i]}" | grep . | median)
done
read -r _ t_inproc _ < <("$harness" "$dir" "$runs")

# The processor time counts only what each reader itself did, so it moves
# less with the load of other programs on the machine than the wall time.
row() {  # name wall-seconds [cpu-seconds]
    awk -v n="$1" -v t="$2" -v c="${3:-0}" -v f="$jpgs" -v o="${wall_median[0]}" \
        -v oc="${cpu_median[0]}" 'BEGIN{
        printf "%-40s %7.3f s %8.0f files/s  this/ours %6.2f", n, t, f / t, t / o
        if (c > 0) printf "   %7.3f s  this/ours %6.2f", c, c / oc
        printf "\n"}'
}
printf '%-40s %9s %16s  %16s   %9s  %s\n' "reader" "wall" "rate" "wall ratio" "processor" \
    "ratio"
for i in "${!commands[@]}"; do row "${names[$i]}" "${wall_median[$i]}" "${cpu_median[$i]}"; done
row "scanSource in process (best of $runs)" "$t_inproc"
echo "(this/ours above 1: ours is faster)"
for kind in wall cpu; do
    declare -n m="${kind}_median"
    awk -v k="$kind" -v o="${m[0]}" -v f="${m[1]}" -v l="${m[2]}" 'BEGIN{
        printf "goals (%s): libexif / ours %.2f (at least 1.20); ours / floor %.2f (at most 1.20)\n",
            k, l / o, o / f}'
done

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
    read -r n _ rss_in _ < <("$harness" "$1" 1)
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
