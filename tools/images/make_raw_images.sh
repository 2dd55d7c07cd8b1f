#!/usr/bin/env bash
# Makes sample files of the types the Raw Scan carves, with Debian's tools
# where they can make them and by hand for text formats, into OUTDIR/raw-samples,
# and a FAT16 image holding them whose boot sector and FATs are wiped
# (OUTDIR/raw_fat16.img): only carving can find the files there.
set -euo pipefail
out=${1:?usage: make_raw_images.sh OUTDIR}
mkdir -p "$out"
stamp="$out/.raw-images-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0

export MTOOLS_SKIP_CHECK=1 LANG=C.UTF-8 LC_ALL=C.UTF-8 SOURCE_DATE_EPOCH=1262304000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
s="$work/raw-samples"
mkdir -p "$s"

# Images.
convert -size 96x64 gradient:red-blue "$work/base.png"
convert "$work/base.png" "$s/photo.jpg"
convert "$work/base.png" -define png:exclude-chunks=date,time "$s/image.png"
convert "$work/base.png" "$s/anim.gif"
convert "$work/base.png" "$s/picture.bmp"
convert "$work/base.png" -define tiff:endian=lsb "$s/scan_le.tif"
convert "$work/base.png" -define tiff:endian=msb "$s/scan_be.tif"
convert "$work/base.png" "$s/layers.psd"

# Archives.
seq 1 2000 > "$work/numbers.txt"
(cd "$work" && zip -q -X "$s/archive.zip" numbers.txt)
gzip -n -c "$work/numbers.txt" > "$s/notes.gz"
(cd "$work" && 7z a -bd -bso0 "$s/bundle.7z" numbers.txt)
(cd "$work" && gcab -c "$s/setup.cab" numbers.txt)

# Sound.
sox -n -r 8000 -c 1 "$s/tone.wav" synth 0.3 sine 440
sox -n -r 8000 -c 1 "$s/tone.flac" synth 0.3 sine 440
sox -n -r 8000 -c 1 "$s/tone.ogg" synth 0.3 sine 440

# Text formats and small binary headers written by hand.
printf '<!DOCTYPE html>\n<html><head><title>Page</title></head><body><p>Hello</p></body></html>\n' > "$s/page.htm"
printf '<?xml version="1.0" encoding="UTF-8"?>\n<list><item>one</item></list>\n' > "$s/data.xml"
printf '{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0 Times;}}\\f0 Hello}\n' > "$s/letter.rtf"
printf 'Return-Path: <anna@example.org>\r\nFrom: Anna <anna@example.org>\r\nSubject: Hello\r\n\r\nHi.\r\n' > "$s/mail.eml"
printf '  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n' > "$s/plan.dxf"
printf '%%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n2 0 obj << /Type /Pages /Kids [] /Count 0 >> endobj\ntrailer << /Root 1 0 R >>\n%%%%EOF\n' > "$s/paper.pdf"
printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk\x00\x00\x00\x04\x00\xff\x2f\x00' > "$s/song.mid"
{ printf 'ID3\x03\x00\x00\x00\x00\x00\x0a'; head -c 10 /dev/zero; printf '\xff\xfb\x90\x00'; head -c 400 /dev/zero; } > "$s/track.mp3"

# A FAT16 volume holding the samples, some of them deleted, then stripped
# of its boot sector and both FATs.
img="$work/raw_fat16.img"
truncate -s 16M "$img"
mkfs.fat -F 16 -s 4 -n RAWTEST "$img" >/dev/null
for f in "$s"/*; do mcopy -i "$img" "$f" "::$(basename "$f")"; done
mdel -i "$img" ::photo.jpg ::tone.wav ::archive.zip ::page.htm
reserved=$(od -An -tu2 -j14 -N2 "$img" | tr -d ' ')
per_fat=$(od -An -tu2 -j22 -N2 "$img" | tr -d ' ')
dd if=/dev/zero of="$img" bs=512 count=$((reserved + 2 * per_fat)) conv=notrunc status=none

rm -rf "$out/raw-samples"
mv "$s" "$out/raw-samples"
mv "$img" "$out/raw_fat16.img"
rm -f "$out"/.raw-images-*
touch "$stamp"
