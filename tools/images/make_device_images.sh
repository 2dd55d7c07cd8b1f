#!/usr/bin/env bash
# Makes disk images to present as image devices (removable USB disks) into
# the folder given, from the FAT images of make_fat_images.sh in that folder:
#   usb_fat32_mbr.img   partition table, one FAT32 partition at sector 2048
#   usb_fat16_whole.img a FAT16 volume without partition table
#   usb_fat12.img       a FAT12 volume without partition table
#   usb_exfat.img       partition table, one partition with an exFAT boot sector
#   usb_empty.img       no bytes: a card reader without card
set -euo pipefail
out=${1:?usage: make_device_images.sh OUTDIR}
stamp="$out/.device-images-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
[ -f "$out/fat32_s1.img" ] && [ -f "$out/fat16_s1.img" ] ||
  { echo "make_fat_images.sh must run first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

le32() { # value -> 4 little-endian bytes as printf escapes
  local v=$1
  printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255))
}

put_bytes() { # file offset printf-escaped-bytes
  printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# A disk image with a partition table whose one entry of `type` holds the
# volume image at sector 2048.
with_table() { # disk volume type
  local disk=$1 volume=$2 type=$3 start=2048
  local sectors=$(( $(stat -c %s "$volume") / 512 ))
  truncate -s $((start * 512)) "$disk"
  put_bytes "$disk" 446 "\\x00\\x00\\x00\\x00\\x$type\\x00\\x00\\x00$(le32 $start)$(le32 $sectors)"
  put_bytes "$disk" 510 '\x55\xaa'
  cat "$volume" >> "$disk"
  # The volume's hidden sectors tell where it starts.
  if [ "$(dd if="$disk" bs=1 skip=$((start * 512 + 82)) count=5 status=none | tr -d '\0')" = FAT32 ]; then
    put_bytes "$disk" $((start * 512 + 28)) "$(le32 $start)"
  fi
}

with_table "$work/usb_fat32_mbr.img" "$out/fat32_s1.img" 0c
cp "$out/fat16_s1.img" "$work/usb_fat16_whole.img"

truncate -s 8M "$work/usb_fat12.img"
mkfs.fat -F 12 -n TWELVE "$work/usb_fat12.img" >/dev/null

truncate -s 16M "$work/exfat_volume.img"
put_bytes "$work/exfat_volume.img" 0 '\xeb\x76\x90EXFAT   '
put_bytes "$work/exfat_volume.img" 108 '\x09\x03'  # 512-byte sectors, 8 per cluster
put_bytes "$work/exfat_volume.img" 510 '\x55\xaa'
with_table "$work/usb_exfat.img" "$work/exfat_volume.img" 07

: > "$work/usb_empty.img"

mv "$work"/usb_*.img "$out/"
rm -f "$out"/.device-images-*
touch "$stamp"
