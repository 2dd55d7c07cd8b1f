#!/usr/bin/env bash
# Times the Advance Scan of 1 GiB FAT32 and NTFS images holding about 2,000
# folders: once with the boot sector (the volume comes from it) and once with
# the boot sectors wiped (the volume is solved from the folders). Prints the
# sweep's MB/s and the reconstruction's time.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
img="$work/bench.img"
mkdir -p "$work/tree"
for d in $(seq -w 1 40); do
  for s in $(seq -w 1 49); do
    mkdir -p "$work/tree/Album $d/Disc $s"
    head -c 2000 /dev/zero > "$work/tree/Album $d/Disc $s/Track.wav"
  done
done
fat32_image "$img"

run() { # label image type
  local out
  out=$(build/native-release/tools/mulvara-harness advance "$2" --type "$3" --timing --volume 1)
  awk -F'\t' -v label="$1" '
    $1 == "timing" { split($2, s, " "); split($3, a, " "); split($4, n, " ") }
    $1 == "folder" { folders++ }
    END {
      printf "Advance Scan, %s: sweep %.3f s (%.0f MB/s), reconstruction %.3f s, %d folders listed\n",
             label, s[2], n[2] * 512 / 1048576 / s[2], a[2], folders
    }' <<< "$out"
}

cat "$img" > /dev/null  # both runs read from the page cache
run "FAT32, boot sector intact" "$img" fat32
dd if=/dev/zero of="$img" bs=512 count=1 conv=notrunc status=none
dd if=/dev/zero of="$img" bs=512 seek=6 count=1 conv=notrunc status=none
run "FAT32, boot sectors wiped" "$img" fat32

# The same tree on NTFS, where the volume is solved from the folders' index
# buffers once the boot sectors are gone. Needs root for the ntfs-3g mount.
if [ "$(id -u)" -eq 0 ] && command -v mkntfs >/dev/null && command -v ntfs-3g >/dev/null; then
  nimg="$work/bench_ntfs.img"
  truncate -s 1G "$nimg"
  mkntfs -F -Q -c 4096 "$nimg" >/dev/null 2>&1
  mount_ntfs "$nimg"
  cp -r "$work/tree/"* "$work/mnt/"
  unmount_ntfs
  cat "$nimg" > /dev/null
  run "NTFS, boot sector intact" "$nimg" ntfs
  dd if=/dev/zero of="$nimg" bs=512 count=1 conv=notrunc status=none
  dd if=/dev/zero of="$nimg" bs=512 seek=$((2 * 1024 * 1024 - 1)) count=1 conv=notrunc status=none
  run "NTFS, boot sectors wiped" "$nimg" ntfs
fi
