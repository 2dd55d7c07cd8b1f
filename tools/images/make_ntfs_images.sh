#!/usr/bin/env bash
# Makes the NTFS test images with mkntfs, writing the tree through an ntfs-3g
# FUSE mount, into the folder given. Where the mount is refused (no FUSE, not
# root) it writes NTFS-UNAVAILABLE with the reason instead, and the tests that
# need these images skip with that reason.
#
# Content of every file: lines "PATH NNNNNNNN" (seq -f "PATH %08g" 1 ...), cut
# to the file's size, so each cluster of each file is different.
set -euo pipefail
out=${1:?usage: make_ntfs_images.sh OUTDIR}
mkdir -p "$out"
stamp="$out/.ntfs-images-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
rm -f "$out/NTFS-UNAVAILABLE"

export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
work=$(mktemp -d)
mnt="$work/mnt"
mkdir -p "$mnt"
cleanup() {
  mountpoint -q "$mnt" 2>/dev/null && umount "$mnt" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

unavailable() {
  echo "$1" > "$out/NTFS-UNAVAILABLE"
  echo "make_ntfs_images.sh: $1" >&2
  rm -f "$out"/.ntfs-images-*
  touch "$stamp"
  exit 0
}

put() { # path size
  local path=$1 size=$2 lines=$(( $2 / 10 + 1 ))
  { seq -f "$path %08g" 1 "$lines" 2>/dev/null || true; } | head -c "$size" > "$mnt$path"
}

fill_tree() {
  mkdir -p "$mnt/Music/Artist/Album" "$mnt/Documents/Reports 2009" "$mnt/Old/Trip" "$mnt/Fill"
  put /small.txt 300                 # resident in its record
  put /empty.txt 0
  put /medium.bin 12000              # a few clusters
  put "/Ünïcødé Æble.txt" 42
  put "/日本語ファイル.txt" 77
  put "/Documents/notes.txt" 12
  put "/Documents/Reports 2009/Summary.doc" 9000
  put "/Music/Artist/Album/Track 01.mp3" 40000
  put "/Music/Artist/Album/Deleted Song.mp3" 30000
  put /Old/photo.jpg 20000
  put /Old/Trip/tiny.txt 100
  put /Old/Trip/big.jpg 25000
  put /deleted_small.txt 500
  # Fill the volume with small files and delete every other one, so that the
  # next big file has to take the holes: a fragmented run list. Its size is
  # a third of what was freed.
  local i=0
  while put "/Fill/f$(printf %05d $i).bin" 8192 2>/dev/null; do i=$((i + 1)); done
  rm -f "$mnt/Fill/f$(printf %05d $i).bin"
  local n=$i
  for ((i = 0; i < n; i += 2)); do rm "$mnt/Fill/f$(printf %05d $i).bin"; done
  put /Documents/fragmented.bin $(( n / 2 * 8192 / 3 ))
  rm "$mnt/deleted_small.txt" "$mnt/Music/Artist/Album/Deleted Song.mp3"
  rm -r "$mnt/Old"
}

make() { # name cluster-size size-in-MiB
  local name=$1 cluster=$2 mib=$3
  local img="$work/$name.img"
  truncate -s "${mib}M" "$img"
  mkntfs -F -Q -c "$cluster" -L MULVARA "$img" >/dev/null 2>&1
  # The driver stays a child of this script: it writes its last changes to
  # the image after the unmount returns, so the image is ready only once the
  # driver has ended.
  ntfs-3g -o no_detach "$img" "$mnt" >/dev/null 2>"$work/mount.err" &
  local driver=$!
  until mountpoint -q "$mnt"; do
    if ! kill -0 "$driver" 2>/dev/null; then
      unavailable "ntfs-3g could not mount an image: $(grep -v '^\s*$' "$work/mount.err" | tail -c 300)"
    fi
    sleep 0.05
  done
  fill_tree
  umount "$mnt"
  wait "$driver" || true
  mv "$img" "$out/$name.img"
}

if [ "$(id -u)" -ne 0 ]; then unavailable "making NTFS images needs root for the ntfs-3g mount"; fi
command -v mkntfs >/dev/null && command -v ntfs-3g >/dev/null ||
  unavailable "mkntfs and ntfs-3g are not installed (Debian package ntfs-3g)"

make ntfs_c4k 4096 16
make ntfs_c512 512 8

rm -f "$out"/.ntfs-images-*
touch "$stamp"
