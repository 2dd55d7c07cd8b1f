#!/usr/bin/env bash
# Times the Advance Scan of a 1 GiB FAT32 image holding about 2,000 folders:
# once with its boot sector (the volume comes from it) and once with its
# boot sectors wiped (the volume is solved from the directories). Prints the
# sweep's MB/s and the reconstruction's time.
set -euo pipefail
cd "$(dirname "$0")/.."
export MTOOLS_SKIP_CHECK=1 LANG=C.UTF-8

cmake --preset native-release >/dev/null
cmake --build --preset native-release --target mulvara-harness >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
img="$work/bench.img"
truncate -s 1G "$img"
mkfs.fat -F 32 -s 8 "$img" >/dev/null
mkdir -p "$work/tree"
for d in $(seq -w 1 40); do
  for s in $(seq -w 1 49); do
    mkdir -p "$work/tree/Album $d/Disc $s"
    head -c 2000 /dev/zero > "$work/tree/Album $d/Disc $s/Track.wav"
  done
done
mcopy -s -i "$img" "$work/tree/"* ::/

run() { # label image
  local out
  out=$(build/native-release/tools/mulvara-harness advance "$2" --type fat32 --timing --volume 1)
  awk -F'\t' -v label="$1" '
    $1 == "timing" { split($2, s, " "); split($3, a, " "); split($4, n, " ") }
    $1 == "folder" { folders++ }
    END {
      printf "%s: sweep %.3f s (%.0f MB/s), reconstruction %.3f s, %d folders listed\n",
             label, s[2], n[2] * 512 / 1048576 / s[2], a[2], folders
    }' <<< "$out"
}

cat "$img" > /dev/null  # both runs read from the page cache
run "Advance Scan, boot sector intact" "$img"
dd if=/dev/zero of="$img" bs=512 count=1 conv=notrunc status=none
dd if=/dev/zero of="$img" bs=512 seek=6 count=1 conv=notrunc status=none
run "Advance Scan, boot sectors wiped" "$img"
