#!/usr/bin/env python3
"""Cuts the fuzz targets' seed disks out of the test images.

    make_fuzz_seeds.py IMAGES OUTDIR

IMAGES is the folder the image scripts filled (make_fat_images.sh,
make_ntfs_images.sh as root, make_disk_images.sh); the seeds go to
OUTDIR/<target>/ (tests/engine/fuzz_corpus in the tree). A few sectors of a
real volume are kept and the fields that locate them (MFT cluster, run
lists, reserved sectors, FAT size, partition entries) rewritten, so that each
seed is a whole small disk of a few KB that the parsers accept.

The other seeds in the tree were made by the programs themselves: snapshots
with `mulvara-harness scan|raw ... --save`, "Raw.dat" by the build, the
compound documents by the tests' WriteCompoundDocument.
"""
import os
import struct
import sys

SECTOR = 512
RECORD = 1024


def le16(b, at):
    return struct.unpack_from('<H', b, at)[0]


def le32(b, at):
    return struct.unpack_from('<I', b, at)[0]


class Image:
    def __init__(self, path):
        with open(path, 'rb') as f:
            self.bytes = f.read()

    def sector(self, n, count=1):
        return bytearray(self.bytes[n * SECTOR:(n + count) * SECTOR])


class Ntfs(Image):
    def __init__(self, path):
        super().__init__(path)
        boot = self.bytes
        self.spc = boot[13]
        self.mft = struct.unpack_from('<Q', boot, 48)[0] * self.spc

    def record(self, n):
        """Record n as the disk holds it (fixups not applied)."""
        at = self.mft * SECTOR + n * RECORD
        return bytearray(self.bytes[at:at + RECORD])


def fixups(record, apply):
    """Applies the update-sequence array (apply) or moves the sector ends
    back into it, as a disk holds the record."""
    array, count = le16(record, 4), le16(record, 6)
    usn = record[array:array + 2]
    for i in range(1, count):
        end = i * SECTOR - 2
        saved = array + 2 * i
        if apply:
            record[end:end + 2] = record[saved:saved + 2]
        else:
            record[saved:saved + 2] = record[end:end + 2]
            record[end:end + 2] = usn


def attributes(record):
    at = le16(record, 20)
    while at + 8 <= len(record):
        kind, length = le32(record, at), le32(record, at + 4)
        if kind in (0, 0xFFFFFFFF) or length == 0:
            return
        yield at, kind, length
        at += length


def set_runs(record, kind, runs, named=False):
    """Replaces the run list of the first non-resident attribute of a kind
    (in a record as the disk holds it)."""
    fixups(record, True)
    for at, k, length in attributes(record):
        if k == kind and record[at + 8] and bool(record[at + 9]) == named:
            start = at + le16(record, at + 32)
            room = at + length - start
            assert len(runs) + 1 <= room, 'run list does not fit'
            record[start:at + length] = runs + bytes(room - len(runs))
            break
    else:
        raise ValueError('no such attribute')
    fixups(record, False)
    return record


def add_attribute_list(record, entries):
    """Inserts a resident $ATTRIBUTE_LIST naming (type, record) pairs."""
    fixups(record, True)
    value = b''.join(struct.pack('<IHBBQQH6x', kind, 32, 0, 26, 0, number, 0)
                     for kind, number in entries)
    attribute = struct.pack('<IIBBHHHIHBB', 0x20, 24 + len(value), 0, 0, 0, 0, 9,
                            len(value), 24, 0, 0) + value
    end = le32(record, 24) - 8  # the end marker
    assert le32(record, end) == 0xFFFFFFFF
    record[end:end + len(attribute)] = attribute
    record[end + len(attribute):end + len(attribute) + 8] = b'\xff\xff\xff\xff\0\0\0\0'
    struct.pack_into('<I', record, 24, le32(record, 24) + len(attribute))
    fixups(record, False)
    return record


def first_run_cluster(record, kind):
    fixed = bytearray(record)
    fixups(fixed, True)
    for at, k, _ in attributes(fixed):
        if k == kind and fixed[at + 8]:
            runs = at + le16(fixed, at + 32)
            header = fixed[runs]
            field = runs + 1 + (header & 15)
            return int.from_bytes(fixed[field:field + (header >> 4)], 'little')
    raise ValueError('no such attribute')


def ntfs_boot(image, mft_cluster, mirror_cluster, total):
    boot = image.sector(0)
    boot[13] = 1
    struct.pack_into('<QQQ', boot, 40, total, mft_cluster, mirror_cluster)
    return boot


def disk(*parts):
    out = bytearray()
    for at, data in parts:
        end = at * SECTOR + len(data)
        if len(out) < end:
            out += bytes(end - len(out))
        out[at * SECTOR:end] = data
    return out


def ntfs_seeds(ntfs):
    records = {n: ntfs.record(n) for n in (0, 1, 2, 3, 4, 5, 9, 64, 65, 71, 72, 74, 80, 84, 85)}
    seeds = {'fuzz_ntfs_record': {}, 'fuzz_ntfs_volume': {}, 'fuzz_advance_ntfs': {}}
    names = {0: 'mft', 5: 'root', 9: 'secure', 64: 'folder', 71: 'large_folder',
             72: 'resident_file', 74: 'file', 84: 'deleted_file', 85: 'fragmented_file'}
    for n, name in names.items():
        seeds['fuzz_ntfs_record'][name + '.rec'] = records[n]
    seeds['fuzz_ntfs_record']['attribute_list.rec'] = add_attribute_list(
        bytearray(records[74]), [(0x10, 74), (0x30, 74), (0x80, 90)])

    # A volume of cluster size 1 whose MFT holds system and user records.
    kept = [0, 1, 2, 3, 4, 5, 64, 72, 74, 80]
    whole = 2 + 2 * len(kept)
    mft0 = set_runs(bytearray(records[0]), 0x80, bytes([0x11, 2 * len(kept), 2]))
    parts = [(0, ntfs_boot(ntfs, 2, 2, whole))]
    parts += [(2 + 2 * i, mft0 if n == 0 else records[n]) for i, n in enumerate(kept)]
    seeds['fuzz_ntfs_volume']['volume.disk'] = disk(*parts)
    # The same MFT in two extents with a sparse run between them.
    mft0 = set_runs(bytearray(records[0]), 0x80,
                    bytes([0x11, 12, 2, 0x01, 4, 0x11, 2 * len(kept) - 12, 16]))
    parts = [(0, ntfs_boot(ntfs, 2, 2, whole + 4))]
    for i, n in enumerate(kept):
        parts.append((2 + 2 * i + (4 if i >= 6 else 0), mft0 if n == 0 else records[n]))
    seeds['fuzz_ntfs_volume']['fragmented_mft.disk'] = disk(*parts)

    # Folder records with their first index buffers where the boot sector's
    # geometry puts them, for the Advance Scan.
    root_buffer = ntfs.sector(first_run_cluster(records[5], 0xA0) * ntfs.spc, 8)
    fill_buffer = ntfs.sector(first_run_cluster(records[71], 0xA0) * ntfs.spc, 8)
    root = set_runs(bytearray(records[5]), 0xA0, bytes([0x11, 8, 12]), named=True)
    fill = set_runs(bytearray(records[71]), 0xA0, bytes([0x11, 8, 20]), named=True)
    parts = [(2, root), (4, records[64]), (6, fill), (8, records[72]), (10, records[80]),
             (12, root_buffer), (20, fill_buffer)]
    seeds['fuzz_advance_ntfs']['volume.disk'] = disk((0, ntfs_boot(ntfs, 2, 2, 28)), *parts)
    seeds['fuzz_advance_ntfs']['no_boot_sector.disk'] = disk(*parts)
    return seeds


def boot_seeds(fat16, fat32, ntfs):
    # FAT16: 1 reserved sector, FATs of 1 sector, a root of 16 entries.
    boot = fat16.sector(0)
    struct.pack_into('<H', boot, 14, 1)
    struct.pack_into('<H', boot, 17, 16)
    struct.pack_into('<H', boot, 22, 1)
    reserved, per_fat, entries = le16(fat16.bytes, 14), le16(fat16.bytes, 22), le16(fat16.bytes, 17)
    root = reserved + 2 * per_fat
    data = root + entries * 32 // SECTOR
    fat = fat16.sector(reserved)
    fat16_disk = disk((0, boot), (1, fat), (2, fat), (3, fat16.sector(root)),
                      (4, fat16.sector(data, 8)))  # clusters 2 to 9

    # FAT32: 8 reserved sectors with the backup boot sector at 6, FATs of 1.
    boot = fat32.sector(0)
    struct.pack_into('<H', boot, 14, 8)
    struct.pack_into('<I', boot, 36, 1)
    reserved, per_fat = le16(fat32.bytes, 14), le32(fat32.bytes, 36)
    data = reserved + 2 * per_fat
    fat = fat32.sector(reserved)
    fat32_disk = disk((0, boot), (1, fat32.sector(1)), (6, boot), (8, fat), (9, fat),
                      (10, fat32.sector(data, 8)))

    # NTFS: $MFT at cluster 2, $MFTMirr at 4, the backup boot sector last.
    boot = ntfs_boot(ntfs, 2, 4, 6)
    ntfs_disk = disk((0, boot), (2, ntfs.record(0)), (4, ntfs.record(1)), (6, boot))
    return {'fat16.disk': fat16_disk, 'fat32.disk': fat32_disk, 'ntfs.disk': ntfs_disk}


def partition_seeds(partitioned):
    def table(entries, template=bytearray(SECTOR)):
        sector = bytearray(template)
        sector[446:510] = bytes(64)
        for i, (kind, first, count) in enumerate(entries):
            sector[446 + 16 * i:462 + 16 * i] = struct.pack('<B3xB3xII', 0, kind, first, count)
        sector[510:512] = b'\x55\xaa'
        return sector

    fat16_boot, ntfs_boot_sector = partitioned.sector(2048), partitioned.sector(34816)
    fat32_boot, last_boot = partitioned.sector(43008), partitioned.sector(116736)
    # MBR: FAT16 at 1, NTFS at 4, extended at 8; EBRs at 8 and 12.
    mbr = table([(0x06, 1, 3), (0x07, 4, 4), (0x0F, 8, 8)], partitioned.sector(0))
    chain = disk((0, mbr), (1, fat16_boot), (4, ntfs_boot_sector),
                 (8, table([(0x0B, 1, 3), (0x05, 4, 4)])), (9, fat32_boot),
                 (12, table([(0x06, 1, 2)])), (13, last_boot))
    # More partitions than the list holds (3 primary, 23 in the chain), and
    # "32" at 85 for the search to take sector 0 for a FAT32 boot sector.
    full = bytearray(table([(0x06, 1000 + i, 1) for i in range(3)] + [(0x0F, 1, 0)]))
    full[85:87] = b'32'
    full += b''.join(table([(0x06, 100, 1)] + ([(0x05, k + 1, 1)] if k < 22 else []))
                     for k in range(23))
    return {'chain.disk': chain, 'mbr.disk': partitioned.sector(0), 'fat32_boot.disk': fat32_boot,
            'full_table.disk': full}


def fat_dir_seeds(fat32):
    # A directory sector with long names, then the sector before it.
    data = le16(fat32.bytes, 14) + 2 * le32(fat32.bytes, 36)
    root = fat32.sector(data, 2)
    return {'root.bin': root, 'root_second.bin': root[SECTOR:] + root[:SECTOR]}


def main():
    images, out = sys.argv[1], sys.argv[2]
    ntfs = Ntfs(os.path.join(images, 'ntfs_c512.img'))
    fat16 = Image(os.path.join(images, 'fat16_s1.img'))
    fat32 = Image(os.path.join(images, 'fat32_s1.img'))
    seeds = ntfs_seeds(ntfs)
    seeds['fuzz_boot_params'] = boot_seeds(fat16, fat32, ntfs)
    seeds['fuzz_partition_table'] = partition_seeds(Image(os.path.join(images, 'disk.img')))
    seeds['fuzz_fat_parsers'] = fat_dir_seeds(fat32)
    for target, files in seeds.items():
        os.makedirs(os.path.join(out, target), exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(out, target, name), 'wb') as f:
                f.write(data)


if __name__ == '__main__':
    main()
