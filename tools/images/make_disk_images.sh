#!/usr/bin/env bash
# Makes a partitioned 64 MiB disk image into the folder given: an MBR and a
# chain of two extended boot records written byte by byte, FAT volumes placed
# with mkfs.fat --offset and filled with mtools, and a small NTFS volume.
#
#   MBR entry 1  type 0x06  sectors   2048 + 32768   FAT16 (4 sectors per cluster)
#   MBR entry 2  type 0x07  sectors  34816 +  6144   NTFS (never listed)
#   MBR entry 3  type 0x0F  sectors  40960 + 90112   extended partition
#     EBR at  40960: type 0x0B at +2048 (43008) + 69632   FAT32; link to +73728
#     EBR at 114688: type 0x06 at +2048 (116736) + 14336  FAT16 (2 sectors per cluster)
#
# Content of every file: lines "PATH NNNNNNNN" cut to its size; every file's
# modification date is 15 June 2009.
set -euo pipefail
out=${1:?usage: make_disk_images.sh OUTDIR}
mkdir -p "$out"
stamp="$out/.disk-images-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0

export MTOOLS_SKIP_CHECK=1 LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
img="$work/disk.img"

le32() { # value: four little-endian bytes as printf escapes
  local v=$1
  printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255))
}

# entry SECTOR INDEX TYPE FIRST COUNT: one 16-byte table entry.
entry() {
  local at=$(( $1 * 512 + 446 + $2 * 16 ))
  printf "\\x00\\xfe\\xff\\xff\\x$(printf %02x "$3")\\xfe\\xff\\xff$(le32 "$4")$(le32 "$5")" |
    dd of="$img" bs=1 seek="$at" conv=notrunc status=none
}

signature() { # SECTOR
  printf '\x55\xaa' | dd of="$img" bs=1 seek=$(( $1 * 512 + 510 )) conv=notrunc status=none
}

put() { # volume-offset-in-bytes path size
  local size=$3 lines=$(( $3 / 10 + 1 ))
  mkdir -p "$work/src"
  { seq -f "$2 %08g" 1 "$lines" 2>/dev/null || true; } | head -c "$size" > "$work/src/data"
  touch -d '2009-06-15 10:20:30' "$work/src/data"
  mcopy -m -o -i "$img@@$1" "$work/src/data" "::$2"
}

fill() { # volume-offset-in-bytes
  local at=$1
  mmd -i "$img@@$at" ::/Music ::/Documents ::/Old
  put "$at" /small.txt 300
  put "$at" /empty.txt 0
  put "$at" "/A long name with spaces.txt" 5000
  put "$at" /Music/same.txt 1111
  put "$at" /Documents/same.txt 2222
  # A fragmented file: it fills the hole a deleted one left, then goes on.
  put "$at" /Documents/gap.bin 4096
  put "$at" /Documents/after.bin 4096
  mdel -i "$img@@$at" ::/Documents/gap.bin
  put "$at" /Documents/fragmented.bin 30000
  # Deleted files: mdel clears their FAT chains.
  put "$at" /contig.bin 20000
  put "$at" /Old/photo.jpg 9000
  mdel -i "$img@@$at" ::/contig.bin
  mdeltree -i "$img@@$at" ::/Old
}

truncate -s 64M "$img"
entry 0 0 0x06 2048 32768
entry 0 1 0x07 34816 6144
entry 0 2 0x0F 40960 90112
signature 0
entry 40960 0 0x0B 2048 69632
entry 40960 1 0x05 73728 16384
signature 40960
entry 114688 0 0x06 2048 14336
signature 114688

mkfs.fat -F 16 -s 4 -n FIRST --offset 2048 "$img" $((32768 / 2)) >/dev/null 2>&1
mkfs.fat -F 32 -s 1 -n SECOND --offset 43008 "$img" $((69632 / 2)) >/dev/null 2>&1
mkfs.fat -F 16 -s 2 -n THIRD --offset 116736 "$img" $((14336 / 2)) >/dev/null 2>&1
fill $((2048 * 512))
fill $((43008 * 512))
fill $((116736 * 512))

if command -v mkntfs >/dev/null; then
  truncate -s $((6144 * 512)) "$work/ntfs.img"
  mkntfs -F -Q -p 34816 -H 255 -S 63 -L FOURTH "$work/ntfs.img" >/dev/null 2>&1
  dd if="$work/ntfs.img" of="$img" bs=512 seek=34816 conv=notrunc status=none
fi

mv "$img" "$out/disk.img"
rm -f "$out"/.disk-images-*
touch "$stamp"
