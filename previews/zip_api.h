// The zip reader API: handles over archives read from an open file, a file
// name or a memory block, entry lookups and extraction, every outcome a
// result code (the codes are in formats/zip_reader.h).
#pragma once

#include <windows.h>

#include <memory>

#include "zip_reader.h"

// Where a reader takes the archive's bytes from: a file (relative to the
// file pointer it had when opened) or a memory block.
class ZipSource : public ZipInput {
public:
    ~ZipSource() override { ZipSourceClose(); }
    // kind 1: an open file handle (duplicated); 2: a file name; 3: a block.
    DWORD ZipSourceOpen(const void* source, DWORD length, int kind);
    void ZipSourceClose();
    BOOL ZipSourceError() const { return readError_; }
    LONG ZipSourceTell();
    // 0, 19 for an unknown origin, 29 for a file that cannot seek, -1 when
    // the position would leave the source.
    LONG ZipSourceSeek(LONG offset, int origin);
    DWORD ZipSourceRead(void* buffer, DWORD size, DWORD count);

    uint64_t Size() override;
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    BYTE isFile_ = 0;
    BYTE seekable_ = 0;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    BYTE readError_ = 0;
    DWORD initialOffset_ = 0;
    const BYTE* block_ = nullptr;
    DWORD blockLength_ = 0;
    DWORD position_ = 0;
};

// The reader behind a handle of kind 1.
class CZipReader {
public:
    DWORD Open(const void* source, DWORD length, int kind);
    DWORD GetEntry(int n, ZipEntryRecord& record);
    DWORD Extract(int n, void* target, DWORD length, int kind);
    void Close() { core_.CloseEntry(); }

private:
    DWORD ExtractToFile(int n, HANDLE file);
    void CreateFolderChain(LPCWSTR path);

    ZipReaderCore core_;
    WCHAR baseFolder_[MAX_PATH + 1] = {};
};

struct ZipHandleRecord {
    int kind;      // 1 reader, 2 writer
    void* object;  // CZipReader for a reader
};
typedef ZipHandleRecord* ZipHandle;

struct ZipEntryInfo {
    int index;  // the entry count for index -1
    WCHAR name[MAX_PATH];
    DWORD attributes;
    FILETIME accessTime;
    FILETIME creationTime;
    FILETIME modificationTime;
    DWORD compressedSize;
    DWORD uncompressedSize;
};

extern DWORD LastZipReaderResult;
extern DWORD LastZipWriterResult;

enum { kZipSourceHandle = 1, kZipSourceFileName = 2, kZipSourceMemory = 3 };

ZipHandle OpenZipArchive(const void* source, DWORD length, int kind);
DWORD GetZipEntry(ZipHandle handle, int index, ZipEntryInfo* info);
DWORD ExtractZipEntry(ZipHandle handle, int index, void* target, DWORD length, int kind);
DWORD CloseZipReader(ZipHandle handle);
BOOL IsZipReaderHandle(ZipHandle handle);
DWORD CloseZipWriter(ZipHandle handle);
