// Reading archives whole: a gzip stream file and, over it and the zip
// reader API, an archive that is a zip, a single gzip member or a tar
// archive inside gzip, handing out one entry's bytes at a time.
#pragma once

#include <windows.h>

#include <zlib.h>

#include "framework.h"
#include "zip_api.h"

class CCompressedFile {
public:
    virtual ~CCompressedFile() = default;
    virtual BOOL SetMode(int mode) {
        m_mode = mode;
        return TRUE;
    }
    virtual BOOL Close() = 0;
    virtual BOOL IsOpen() = 0;
    virtual BOOL Write(const void* data, DWORD length) = 0;
    virtual BOOL WriteString(LPCWSTR text) = 0;
    virtual int Read(void* buffer, DWORD length) = 0;
    virtual BOOL ReadAll(BYTE** data, DWORD* length) = 0;
    virtual BOOL ApplyParams() = 0;

protected:
    int m_mode = 0;  // 0 closed, 1 writing, 2 reading
    int m_level = -1;
    int m_strategy = 0;
};

class CGzipFile : public CCompressedFile {
public:
    ~CGzipFile() override;
    BOOL Open(LPCWSTR path, int mode);
    BOOL Close() override;
    BOOL IsOpen() override { return m_stream != nullptr; }
    BOOL Write(const void* data, DWORD length) override;
    BOOL WriteString(LPCWSTR text) override;
    int Read(void* buffer, DWORD length) override;
    // The whole stream in one new buffer (delete[]), read in chunks of the
    // compressed length and given up past a cap.
    BOOL ReadAll(BYTE** data, DWORD* length) override;
    BOOL ApplyParams() override;

protected:
    gzFile m_stream = nullptr;
    DWORD m_compressedLength = 0;
};

enum { kArchiveNotOpen = 0, kArchiveZip = 1, kArchiveGzip = 2, kArchiveTar = 3 };

class CArchiveReader : public CGzipFile {
public:
    ~CArchiveReader() override { CloseArchive(); }
    BOOL Open(LPCWSTR path);
    int GetEntryCount();
    BOOL GetEntry(int index, const BYTE** data, DWORD* length, BOOL* isFile, CString* name, CString* typeText,
                  FILETIME* accessTime, FILETIME* creationTime, FILETIME* modificationTime, ULONGLONG* tarTime);
    void CloseArchive();

    int GetArchiveType() const { return m_type; }
    const CString& GetErrorText() const { return m_error; }

private:
    BOOL ReadData();

    ZipHandle m_zip = nullptr;
    BYTE* m_data = nullptr;
    DWORD m_length = 0;
    CString m_error;
    int m_type = kArchiveNotOpen;
};

// The largest zip entry extracted into memory.
constexpr ULONGLONG kArchiveEntryCap = ULONGLONG(256) << 20;
