#!/usr/bin/env bash
# Times the Standard Scan of a 1 GiB FAT32 image holding about 1,500 files in
# 30 folders, half of them deleted. Prints MB/s (of the volume) and files/s.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
img="$work/bench.img"
mkdir -p "$work/tree"
for d in $(seq -w 1 30); do
  mkdir -p "$work/tree/Folder $d"
  for f in $(seq -w 1 50); do
    head -c $((4096 + 10#$f * 512)) /dev/zero > "$work/tree/Folder $d/Recording number $f of the set.wav"
  done
done
fat32_image "$img"
# Every other file of every folder is deleted.
for d in $(seq -w 1 30); do
  names=()
  for f in $(seq -w 1 2 50); do names+=("::/Folder $d/Recording number $f of the set.wav"); done
  mdel -i "$img" "${names[@]}"
done

runs=5
start=$(date +%s.%N)
for _ in $(seq $runs); do
  build/native-release/tools/mulvara-harness scan "$img" > "$work/out.txt"
done
end=$(date +%s.%N)
files=$(grep -c '^file' "$work/out.txt")
deleted=$(awk -F'\t' '$1=="file" && $4=="1"' "$work/out.txt" | wc -l)
awk -v s="$start" -v e="$end" -v runs="$runs" -v files="$files" -v deleted="$deleted" 'BEGIN {
  t = (e - s) / runs
  printf "Standard Scan of a 1 GiB FAT32 volume: %.3f s per scan\n", t
  printf "  %.0f MB/s of volume, %.0f files/s (%d files found, %d deleted)\n", 1024 / t, files / t, files, deleted
}'
