#!/usr/bin/env bash
# Makes the Advance Scan's FAT images into the folder given, from the FAT
# images already there (make_fat_images.sh): volumes quick-formatted again
# over their old contents, with the same and with another cluster size.
set -euo pipefail
out=${1:?usage: make_advance_images.sh OUTDIR}
stamp="$out/.advance-images-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && [ "$stamp" -nt "$out/fat32_s8.img" ] && exit 0

reformat() { # source name sectors-per-cluster
  local source=$1 name=$2 spc=$3
  cp --sparse=always "$out/$source.img" "$out/$name.tmp"
  mkfs.fat -F 32 -s "$spc" -n FORMATTED "$out/$name.tmp" >/dev/null 2>&1
  mv "$out/$name.tmp" "$out/$name.img"
}

reformat fat32_s8 fat32_reformatted 8
reformat fat32_s8 fat32_reformatted_s16 16

rm -f "$out"/.advance-images-*
touch "$stamp"
