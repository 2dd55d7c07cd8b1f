#!/usr/bin/env python3
"""Writes the seeds of the format fuzz targets: small zip, tar, gzip,
Photoshop and dBASE files, each a few hundred bytes.

    python3 tests/previews/make_fuzz_seeds.py tests/previews/fuzz_corpus
"""
import gzip
import io
import os
import struct
import sys
import tarfile
import zipfile


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def zip_seeds(folder):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        archive.writestr("stored.txt", b"stored text " * 4, zipfile.ZIP_STORED)
        archive.writestr("packed.txt", b"deflated text " * 20, zipfile.ZIP_DEFLATED)
        folder_entry = zipfile.ZipInfo("sub/")
        folder_entry.external_attr = 0x10
        archive.writestr(folder_entry, b"")
        timed = zipfile.ZipInfo("sub/timed.bin", (2024, 1, 31, 12, 0, 0))
        timed.extra = b"UT" + struct.pack("<HBIII", 13, 7, 1700000000, 1700000001, 1700000002)
        archive.writestr(timed, bytes(range(64)), zipfile.ZIP_DEFLATED)
    write(folder, "mixed.zip", buffer.getvalue())
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        archive.comment = b"a comment after the directory"
        archive.writestr("only.txt", b"x", zipfile.ZIP_STORED)
    write(folder, "comment.zip", buffer.getvalue())


def archive_seeds(folder):
    def tar_bytes():
        buffer = io.BytesIO()
        with tarfile.open(fileobj=buffer, mode="w", format=tarfile.USTAR_FORMAT) as tar:
            for name, data in (("one.txt", b"first file\n"), ("dir/two.bin", bytes(range(200)))):
                info = tarfile.TarInfo(name)
                info.size = len(data)
                info.mtime = 1700000000
                tar.addfile(info, io.BytesIO(data))
            info = tarfile.TarInfo("dir")
            info.type = tarfile.DIRTYPE
            tar.addfile(info)
        return buffer.getvalue()

    tar = tar_bytes()
    write(folder, "plain.tar", tar[:2048])
    write(folder, "packed.tar.gz", gzip.compress(tar, mtime=0))
    write(folder, "short.gz", gzip.compress(b"shorter than a tar block", mtime=0))


def psd(channels, height, width, depth, mode, compression, data, colour=b"", resources=b""):
    return (b"8BPS" + struct.pack(">H6xHIIHH", 1, channels, height, width, depth, mode)
            + struct.pack(">I", len(colour)) + colour
            + struct.pack(">I", len(resources)) + resources
            + struct.pack(">I", 0) + struct.pack(">H", compression) + data)


def resource(block_id, data):
    if len(data) % 2:
        data += b"\0"
    return b"8BIM" + struct.pack(">HHI", block_id, 0, len(data)) + data


def psd_seeds(folder):
    width, height = 4, 3
    planes = bytes(range(width * height * 3))
    resolution = resource(1005, struct.pack(">HIHHIH", 72, 0, 1, 72, 0, 1))
    write(folder, "rgb_raw.psd", psd(3, height, width, 8, 3, 0, planes, resources=resolution))
    rows = struct.pack(">" + "H" * (4 * height), *([2] * (4 * height)))
    runs = b"".join(bytes([255 - 2, c]) for c in range(4 * height))
    write(folder, "rgba_rle.psd", psd(4, height, width, 8, 3, 1, rows + runs))
    write(folder, "cmyk16.psd", psd(4, 1, 2, 16, 4, 0, bytes(range(16))))
    write(folder, "lab.psd", psd(3, 1, 2, 8, 9, 0, bytes([50, 90, 128, 128, 200, 20])))
    palette = bytes(range(256)) * 3
    write(folder, "indexed.psd", psd(1, 1, 4, 8, 2, 0, bytes([0, 1, 2, 3]), palette,
                                     resource(1046, struct.pack(">H", 4)) + b"junk"
                                     + resource(1036, bytes(30))))


def dbf(fields, records):
    out = bytearray(32)
    out[0] = 3
    for name, kind, length in fields:
        out += name.encode().ljust(11, b"\0") + kind.encode() + bytes(4) + bytes([length]) + bytes(15)
    out += b"\r"
    for record in records:
        out += record
    return bytes(out + b"\x1a")


def dbf_seeds(folder):
    fields = [("NAME", "C", 8), ("AGE", "N", 3), ("BORN", "D", 8), ("OK", "L", 1),
              ("PAY", "Y", 8), ("COUNT", "I", 4), ("NOTE", "M", 10), ("X", "B", 4)]
    record = (b" Alice   " + b" 42" + b"19800131" + b"Y" + struct.pack("<q", 123456789)
              + struct.pack("<i", -7) + b"0000000001" + b"\xe9t\xe9s")
    write(folder, "table.dbf", dbf(fields, [record, b"*" + record[1:]]))
    write(folder, "drawing.dxf", b"  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n  0\nEOF\n")


def text_seeds(folder):
    # The first byte picks the byte-order mark the target puts in front.
    write(folder, "ansi.txt", b"\0one\r\ntwo\nthree\rfour\xe9")
    write(folder, "utf16le.txt", b"\1" + "h\u00e9\r\nw\n".encode("utf-16-le") + b"x")
    write(folder, "utf16be.txt", b"\2" + "\u20aca\nb".encode("utf-16-be"))
    write(folder, "utf8.txt", b"\3" + "caf\u00e9 \u20ac\r\n\U0001F600\n".encode() + b"\x80\xc3")
    write(folder, "long.txt", b"\0" + b"x" * 1023 + b"\r\n" + b"y" * 3000)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "fuzz_corpus")
    zip_seeds(os.path.join(root, "fuzz_zip_reader"))
    archive_seeds(os.path.join(root, "fuzz_archive_reader"))
    psd_seeds(os.path.join(root, "fuzz_psd"))
    dbf_seeds(os.path.join(root, "fuzz_dbf"))
    text_seeds(os.path.join(root, "fuzz_text_reader"))


if __name__ == "__main__":
    main()
