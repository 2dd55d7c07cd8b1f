#!/usr/bin/env bash
# Makes the FAT test images with mkfs.fat and mtools into the folder given.
# Every image holds the same tree (see fill_tree); the tests check the
# scans' listings against it.
set -euo pipefail
out=${1:?usage: make_fat_images.sh OUTDIR}
mkdir -p "$out"
stamp="$out/.fat-images-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0

export MTOOLS_SKIP_CHECK=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A file of `size` bytes whose content tells its name and offset.
content() { # name size
  local name=$1 size=$2
  { yes "$name" 2>/dev/null || true; } | head -c "$size" > "$work/data"
}

put() { # image path size
  content "$2" "$3"
  mcopy -o -i "$1" "$work/data" "::$2"
}

fill_tree() { # image
  local img=$1
  mmd -i "$img" ::/Music ::/Music/Artist ::/Music/Artist/Album ::/Documents \
      "::/Documents/Reports 2009" ::/OldPhotos ::/OldPhotos/Trip ::/Many
  put "$img" /SHORT.TXT 100
  put "$img" /DELME.TXT 700
  put "$img" "/A Long File Name.txt" 1500
  put "$img" /Thirteen1.txt 20
  put "$img" "/Twenty-six characters!.txt" 3000
  put "$img" "/This is a rather long file name for testing the scanner.dat" 5000
  put "$img" "/Ünïcødé Æble.txt" 42
  put "$img" "/日本語ファイル.txt" 77
  put "$img" "/Music/Artist/Album/Track 01.mp3" 40000
  put "$img" "/Music/Artist/Album/Deleted Song.mp3" 30000
  put "$img" "/Documents/Reports 2009/Summary.doc" 9000
  put "$img" "/Documents/notes.txt" 12
  put "$img" /OldPhotos/IMG_0001.JPG 20000
  put "$img" /OldPhotos/Trip/IMG_0002.JPG 25000
  for i in $(seq -w 1 40); do
    put "$img" "/Many/Entry number $i with a long name.bin" 300
  done
  # A fragmented file: it fills the hole left by a deleted one, then goes on.
  put "$img" /Documents/gap.bin 4096
  put "$img" /Documents/after.bin 4096
  mdel -i "$img" ::/Documents/gap.bin
  put "$img" /Documents/fragmented.bin 20000
  mdel -i "$img" ::/DELME.TXT "::/Music/Artist/Album/Deleted Song.mp3"
  mdeltree -i "$img" ::/OldPhotos
}

make() { # name fat-type sectors-per-cluster size-in-MiB [extra mkfs options]
  local name=$1 fat=$2 spc=$3 mib=$4
  shift 4
  local img="$work/$name.img"
  rm -f "$img"
  truncate -s "${mib}M" "$img"
  mkfs.fat -F "$fat" -s "$spc" -n MULVARA "$@" "$img" >/dev/null
  fill_tree "$img"
  mv "$img" "$out/$name.img"
}

make fat16_s1 16 1 16
make fat16_s4 16 4 32
make fat16_s64 16 64 300
make fat32_s1 32 1 64
make fat32_s8 32 8 300
make fat32_s64 32 64 2100

rm -f "$out"/.fat-images-*
touch "$stamp"
