#!/usr/bin/env bash
# Makes a 1 GiB NTFS image with 6,000 files in 60 folders, a third of them
# deleted, written through an ntfs-3g mount (needs root), and prints how fast
# the harness's Standard Scan reads its MFT and how fast recovery writes the
# files out.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
mnt="$work/mnt"
img="$work/ntfs.img"
truncate -s 1G "$img"
mkntfs -F -Q -L BENCH "$img" >/dev/null 2>&1
mount_ntfs "$img"
head -c 65536 /dev/urandom > "$work/data"
for d in $(seq 1 60); do
  mkdir "$mnt/folder $d"
  for f in $(seq 1 100); do head -c $(( (f * 997) % 65536 + 1 )) "$work/data" > "$mnt/folder $d/file $f.bin"; done
  if [ $((d % 3)) -eq 0 ]; then rm -r "$mnt/folder $d"; fi
done
unmount_ntfs

start=$(date +%s.%N)
"$harness" scan "$img" > "$work/listing"
end=$(date +%s.%N)
mft=$(awk -F'\t' '$1 == "file" && $2 == "/$MFT" { print $3 }' "$work/listing")
awk -v s="$start" -v e="$end" -v b="$mft" -v n="$(tail -1 "$work/listing")" 'BEGIN {
  t = e - s; printf "scan: %s, MFT %.1f MB in %.2f s: %.1f MB/s\n", n, b / 1e6, t, b / 1e6 / t }'

mkdir "$work/out"
start=$(date +%s.%N)
"$harness" recover "$img" "$work/out" > "$work/recovered"
end=$(date +%s.%N)
bytes=$(du -sb "$work/out" | cut -f1)
awk -v s="$start" -v e="$end" -v b="$bytes" -v n="$(tail -1 "$work/recovered")" 'BEGIN {
  t = e - s; printf "recover: %s, %.1f MB in %.2f s: %.1f MB/s\n", n, b / 1e6, t, b / 1e6 / t }'
