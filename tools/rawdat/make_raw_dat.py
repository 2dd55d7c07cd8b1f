#!/usr/bin/env python3
"""Writes "Raw.dat", the Raw Scan's signature file, from the table below.

A record: u16 (its index), the category character, then five fields, each
a little-endian u16 length and that many bytes: extension, file-type text,
signature length as decimal text, signature bytes, and an empty fifth field.

Signatures are matched at the start of a sector only, against the first
bytes of the sector. The scan takes the first match in the order the types
appear in the file-type tree (categories and extensions in the order of
this table), so a longer signature is listed before a shorter one that
also matches it.
"""
import struct
import sys

# Categories: 0 Archive, 1 Document, 2 Database, 3 E-mail, 4 Graphics,
# 5 Sound, 6 Media, 7 Internet, 8 CAD, 9 Other.


def text(s):
    return s.encode("ascii")


def hexbytes(s):
    return bytes.fromhex(s)


def ftyp(size, brand):
    return struct.pack(">I", size) + b"ftyp" + brand


BOX_SIZES = (0x14, 0x18, 0x1C, 0x20)

# (category, extension, file-type text, [signatures])
TABLE = [
    ("4", ".jpg", "JPEG Image", [hexbytes("FFD8FFE0"), hexbytes("FFD8FFE1"), hexbytes("FFD8FFDB"),
                                 hexbytes("FFD8FFE2"), hexbytes("FFD8FFE8"), hexbytes("FFD8FFEE"),
                                 hexbytes("FFD8FFFE")]),
    ("4", ".png", "PNG Image", [hexbytes("89504E470D0A1A0A")]),
    ("4", ".gif", "GIF Image", [text("GIF87a"), text("GIF89a")]),
    # The file size follows "BM"; the two letters are all that is fixed.
    ("4", ".bmp", "Bitmap Image", [text("BM")]),
    ("4", ".tif", "TIFF Image", [hexbytes("49492A00"), hexbytes("4D4D002A")]),
    ("4", ".psd", "Photoshop Image", [hexbytes("384250530001")]),
    # ".doc" comes first: its hits are told apart by the Office detection.
    ("1", ".doc", "Microsoft Office Document", [hexbytes("D0CF11E0A1B11AE1")]),
    ("1", ".xls", "Microsoft Office Document", [hexbytes("D0CF11E0A1B11AE1")]),
    ("1", ".ppt", "Microsoft Office Document", [hexbytes("D0CF11E0A1B11AE1")]),
    ("1", ".pub", "Microsoft Office Document", [hexbytes("D0CF11E0A1B11AE1")]),
    # Office Open XML as Office writes it: a zip whose first entry is stored
    # with these flags and the 1980 time stamp.
    ("1", ".docx", "Office Open XML Document", [hexbytes("504B0304140006000800000021")]),
    ("1", ".xlsx", "Office Open XML Document", [hexbytes("504B0304140006000800000021")]),
    ("1", ".pptx", "Office Open XML Document", [hexbytes("504B0304140006000800000021")]),
    ("1", ".pdf", "PDF Document", [text("%PDF-")]),
    ("1", ".rtf", "Rich Text Document", [text("{\\rtf1")]),
    ("7", ".htm", "HTML Document", [text("<!DOCTYPE html"), text("<!DOCTYPE HTML"),
                                    text("<!doctype html"), text("<html"), text("<HTML")]),
    ("7", ".xml", "XML Document", [text("<?xml version"), hexbytes("EFBBBF") + text("<?xml ")]),
    ("3", ".eml", "E-mail Message", [text("Return-Path: "), text("Received: from "),
                                     text("MIME-Version: 1")]),
    ("3", ".pst", "Outlook Mail Store", [text("!BDN")]),
    ("2", ".mdb", "Access Database", [hexbytes("00010000") + text("Standard Jet")[:11]]),
    ("2", ".accdb", "Access Database", [hexbytes("00010000") + text("Standard ACE")[:11]]),
    # dBASE III: version byte, then the date of the last update (years
    # since 1900, month); nothing else at the start is fixed.
    ("2", ".dbf", "dBASE Table", [bytes([version, year, month])
                                  for version in (0x03,)
                                  for year in range(100, 131)
                                  for month in range(1, 13)]),
    ("0", ".zip", "ZIP Archive", [hexbytes("504B0304")]),
    ("0", ".rar", "RAR Archive", [text("Rar!") + hexbytes("1A0701"), text("Rar!") + hexbytes("1A0700")]),
    ("0", ".7z", "7-Zip Archive", [hexbytes("377ABCAF271C")]),
    ("0", ".gz", "GZip Archive", [hexbytes("1F8B08")]),
    ("0", ".cab", "Cabinet Archive", [text("MSCF") + hexbytes("00000000")]),
    ("5", ".mp3", "MP3 Audio", [text("ID3") + hexbytes("0200"), text("ID3") + hexbytes("0300"),
                                text("ID3") + hexbytes("0400")]),
    # RIFF holds its size before the form type, so WAV and AVI share the
    # four letters; the first of them in the tree names the file.
    ("5", ".wav", "WAVE Audio", [text("RIFF")]),
    ("5", ".mid", "MIDI Sequence", [text("MThd") + hexbytes("00000006")]),
    ("5", ".flac", "FLAC Audio", [text("fLaC")]),
    ("5", ".ogg", "Ogg Audio", [text("OggS") + hexbytes("0002")]),
    ("5", ".m4a", "MPEG-4 Audio", [ftyp(size, b"M4A ") for size in BOX_SIZES]),
    ("5", ".wma", "Windows Media", [hexbytes("3026B2758E66CF11A6D900AA0062CE")]),
    ("6", ".avi", "AVI Video", [text("RIFF")]),
    ("6", ".mpg", "MPEG Video", [hexbytes("000001BA"), hexbytes("000001B3")]),
    ("6", ".mov", "QuickTime Movie", [ftyp(size, b"qt  ") for size in BOX_SIZES]),
    ("6", ".mp4", "MPEG-4 Video", [ftyp(size, brand) for size in BOX_SIZES
                                   for brand in (b"isom", b"mp42", b"mp41", b"avc1", b"M4V ",
                                                 b"3gp4", b"3gp5")]),
    ("6", ".wmv", "Windows Media", [hexbytes("3026B2758E66CF11A6D900AA0062CE")]),
    ("8", ".dxf", "DXF Drawing", [text("  0\r\nSECTION"), text("0\r\nSECTION"), text("  0\nSECTION"),
                                  text("0\nSECTION"), text("AutoCAD Binar")]),
    ("8", ".dwg", "AutoCAD Drawing", [text("AC10") + text(v) for v in
                                      ("12", "14", "15", "18", "21", "24", "27", "32")]),
]

MAX_FIELD = 255
SECTOR_WINDOW = 15  # leading bytes of a sector that take part


def field(data):
    if len(data) > MAX_FIELD:
        raise ValueError("field longer than %d bytes" % MAX_FIELD)
    return struct.pack("<H", len(data)) + data


def records():
    index = 0
    for category, extension, file_type, signatures in TABLE:
        for signature in signatures:
            if not 0 < len(signature) <= SECTOR_WINDOW:
                raise ValueError("%s: signature of %d bytes" % (extension, len(signature)))
            yield (struct.pack("<H", index) + category.encode("ascii") + field(text(extension)) +
                   field(text(file_type)) + field(text(str(len(signature)))) + field(signature) +
                   field(b""))
            index += 1


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_raw_dat.py OUTPUT")
    with open(sys.argv[1], "wb") as out:
        for record in records():
            out.write(record)


if __name__ == "__main__":
    main()
