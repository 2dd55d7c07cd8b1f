#!/usr/bin/env bash
# Times the Raw Scan of a 1 GiB image (half random bytes, half zeros, with
# the sample files of every carved type planted every 8 MiB) with the full
# type list of "Raw.dat", beside a plain sequential read of the same image.
# Prints both rates in MB/s (medians of RUNS runs, 7 by default) and their
# ratio.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
bash tools/images/make_raw_images.sh "$work/images" >/dev/null
img="$work/bench.img"
head -c 512M /dev/urandom > "$img"
truncate -s 1G "$img"
offset=0
for sample in "$work"/images/raw-samples/*; do
  for _ in 1 2 3 4 5; do
    dd if="$sample" of="$img" bs=512 seek=$((offset / 512)) conv=notrunc status=none
    offset=$((offset + 8 * 1024 * 1024))
  done
done

seconds() { # command...
  local start end
  start=$(date +%s.%N)
  "$@" > "$work/out.txt"
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The machine may be shared: both are timed in turns, and the medians count.
runs=${RUNS:-7}
cat "$img" > /dev/null  # both read from the page cache
read_times=() raw_times=()
for _ in $(seq "$runs"); do
  read_times+=("$(seconds dd if="$img" of=/dev/null bs=1M status=none)")
  raw_times+=("$(seconds build/native-release/tools/mulvara-harness raw "$img" --size 1)")
done
read_time=$(median "${read_times[@]}")
raw_time=$(median "${raw_times[@]}")
hits=$(grep -c '^carved' "$work/out.txt")
awk -v r="$read_time" -v s="$raw_time" -v hits="$hits" -v runs="$runs" 'BEGIN {
  printf "medians of %d runs\n", runs
  printf "sequential read: %.0f MB/s (%.3f s)\n", 1024 / r, r
  printf "raw scan, all types: %.0f MB/s (%.3f s), %d files carved\n", 1024 / s, s, hits
  printf "raw scan / read: %.2f\n", r / s
}'
