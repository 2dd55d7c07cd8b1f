#!/usr/bin/env bash
# Makes the Advance Scan's images into the folder given, from the images
# already there (make_fat_images.sh, make_ntfs_images.sh): volumes
# quick-formatted again over their old contents, FAT32 with the same and
# with another cluster size, NTFS with the same.
set -euo pipefail
out=${1:?usage: make_advance_images.sh OUTDIR}
stamp="$out/.advance-images-$(sha1sum "$0" | cut -c1-12)"
if [ -f "$stamp" ] && [ "$stamp" -nt "$out/fat32_s8.img" ] &&
   { [ ! -f "$out/ntfs_c4k.img" ] || [ "$stamp" -nt "$out/ntfs_c4k.img" ]; }; then
  exit 0
fi

reformat() { # source name command...
  local source=$1 name=$2
  shift 2
  cp --sparse=always "$out/$source.img" "$out/$name.tmp"
  "$@" "$out/$name.tmp" >/dev/null 2>&1
  mv "$out/$name.tmp" "$out/$name.img"
}

reformat fat32_s8 fat32_reformatted mkfs.fat -F 32 -s 8 -n FORMATTED
reformat fat32_s8 fat32_reformatted_s16 mkfs.fat -F 32 -s 16 -n FORMATTED
# Without NTFS images the NTFS tests skip (see make_ntfs_images.sh).
if [ -f "$out/ntfs_c4k.img" ] && command -v mkntfs >/dev/null; then
  reformat ntfs_c4k ntfs_reformatted mkntfs -F -Q -c 4096 -L FORMATTED
fi

rm -f "$out"/.advance-images-*
touch "$stamp"
