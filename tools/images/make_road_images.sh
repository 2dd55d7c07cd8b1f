#!/usr/bin/env bash
# Makes the road test's disks into the folder given, each with a manifest
# beside it (NAME.manifest) of the files a recovery should bring back:
#   road_standard.manifest  for usb_fat32_mbr.img (make_device_images.sh)
#   road_advance.img        partition table, one FAT32 partition at sector
#                           2048, filled and then quick-formatted again
#   road_raw.img            partition table, one FAT16 partition at sector
#                           2048 holding the Raw Scan samples, some deleted;
#                           boot sector and FATs kept
# A manifest line is "PATH<TAB>SIZE<TAB>STATE<TAB>SHA1": PATH relative to the
# volume's root with "/" between folders, STATE "live" or "deleted" (for the
# reformatted volume, what the file was before the format), SHA1 "-" where
# the image maker gave the file's clusters to another file.
set -euo pipefail
out=${1:?usage: make_road_images.sh OUTDIR}
stamp="$out/.road-images-$(sha1sum "$0" | cut -c1-12)"
if [ -f "$stamp" ] && [ "$stamp" -nt "$out/usb_fat32_mbr.img" ] && [ "$stamp" -nt "$out/raw-samples" ]; then
  exit 0
fi
[ -f "$out/usb_fat32_mbr.img" ] && [ -d "$out/raw-samples" ] ||
  { echo "make_device_images.sh and make_raw_images.sh must run first" >&2; exit 1; }

export MTOOLS_SKIP_CHECK=1 LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=2048

# Manifest lines for every file below a folder.
manifest() { # folder state
  (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z |
    while IFS= read -r -d '' f; do
      printf '%s\t%s\t%s\t%s\n' "${f#./}" "$(stat -c %s "$f")" "$2" "$(sha1sum < "$f" | cut -c1-40)"
    done)
}

# A disk with a one-entry partition table of `type` around a volume of
# `sectors` at sector 2048, the volume made by mkfs.fat with the options.
new_disk() { # image type sectors mkfs-options...
  local img=$1 type=$2 sectors=$3
  shift 3
  truncate -s $(((start + sectors) * 512)) "$img"
  printf "\\x00\\xfe\\xff\\xff\\x$type\\xfe\\xff\\xff\\x00\\x08\\x00\\x00$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' \
    $((sectors & 255)) $((sectors >> 8 & 255)) $((sectors >> 16 & 255)) $((sectors >> 24 & 255)))" |
    dd of="$img" bs=1 seek=446 conv=notrunc status=none
  printf '\x55\xaa' | dd of="$img" bs=1 seek=510 conv=notrunc status=none
  mkfs.fat "$@" --offset $start "$img" $((sectors / 2)) >/dev/null 2>&1
}

# Standard: the device image's live files as they are, its deleted ones as
# make_fat_images.sh wrote them ("yes PATH" cut to the size).
standard="$work/standard"
mkdir -p "$standard/live" "$standard/deleted/Documents" "$standard/deleted/Music/Artist/Album" \
  "$standard/deleted/OldPhotos/Trip"
mcopy -s -n -i "$out/usb_fat32_mbr.img@@$((start * 512))" '::*' "$standard/live/"
deleted() { # path size
  { yes "/$1" 2>/dev/null || true; } | head -c "$2" > "$standard/deleted/$1"
}
deleted DELME.TXT 700
deleted "Music/Artist/Album/Deleted Song.mp3" 30000
deleted OldPhotos/IMG_0001.JPG 20000
deleted OldPhotos/Trip/IMG_0002.JPG 25000
{
  manifest "$standard/live" live
  manifest "$standard/deleted" deleted
  # Deleted before fragmented.bin took its clusters.
  printf 'Documents/gap.bin\t4096\tdeleted\t-\n'
} > "$work/road_standard.manifest"

# Advance: folders of files, one deleted, then the volume formatted again
# with the same cluster size; the old root folder's cluster is cleared, the
# folders below it and the files stay.
advance="$work/advance"
img="$work/road_advance.img"
new_disk "$img" 0c 96256 -F 32 -s 1 -n ROADFILES
at="$img@@$((start * 512))"
mkdir -p "$advance/live/Letters/2009" "$advance/live/Photos" "$advance/live/Music/Album" "$advance/deleted/Letters"
i=0
for f in Letters/to_anna.txt Letters/to_bert.txt Letters/2009/summer.txt Letters/2009/winter.doc \
         Photos/beach.jpg Photos/house.png Music/Album/track01.mp3 Music/Album/track02.mp3 Music/playlist.m3u; do
  i=$((i + 1))
  # Sizes from one sector to several clusters, none a round number.
  { seq -f "$f %08g" 1 100000 || true; } | head -c $((i * i * 1733 + 211)) > "$advance/live/$f"
done
seq -f "Letters/old.txt %08g" 1 800 > "$advance/deleted/Letters/old.txt"
mmd -i "$at" ::/Letters ::/Letters/2009 ::/Photos ::/Music ::/Music/Album
(cd "$advance/deleted" && mcopy -i "$at" Letters/old.txt ::/Letters/old.txt)
(cd "$advance/live" && find . -type f | LC_ALL=C sort | while read -r f; do mcopy -i "$at" "$f" "::/${f#./}"; done)
mdel -i "$at" ::/Letters/old.txt
mkfs.fat -F 32 -s 1 -n FORMATTED --offset $start "$img" $((96256 / 2)) >/dev/null 2>&1
{
  manifest "$advance/live" live
  manifest "$advance/deleted" deleted
} > "$work/road_advance.manifest"

# Raw: the carving samples in the root of a FAT16 volume, four deleted.
raw="$work/raw"
img="$work/road_raw.img"
new_disk "$img" 06 32768 -F 16 -s 4 -n ROADRAW
at="$img@@$((start * 512))"
mkdir -p "$raw/live" "$raw/deleted"
for f in "$out"/raw-samples/*; do
  mcopy -i "$at" "$f" "::$(basename "$f")"
  case $(basename "$f") in
    photo.jpg | tone.wav | archive.zip | page.htm) cp "$f" "$raw/deleted/" ;;
    *) cp "$f" "$raw/live/" ;;
  esac
done
mdel -i "$at" ::photo.jpg ::tone.wav ::archive.zip ::page.htm
{
  manifest "$raw/live" live
  manifest "$raw/deleted" deleted
} > "$work/road_raw.manifest"

mv "$work"/road_*.img "$work"/road_*.manifest "$out/"
rm -f "$out"/.road-images-*
touch "$stamp"
