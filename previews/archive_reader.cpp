#include "archive_reader.h"

#include <fcntl.h>
#include <io.h>

#include <new>
#include <vector>

#include "tar_archive.h"

namespace {

const wchar_t kNotOpened[] = L"Archive not opened";
const wchar_t kUnknownType[] = L"Could not determine archive type !";
const wchar_t kGzipUnreadable[] = L"Could not read data from gzip archive !";
const wchar_t kNoFiles[] = L"Could not get files from the archive !";
const wchar_t kNoFile[] = L"Could not get file at the specified position from the archive !";
const wchar_t kNoUnzip[] = L"Could not unzip file at the specified position from the archive !";
const wchar_t kInvalidPosition[] = L"Invalid file position !";

}  // namespace

CGzipFile::~CGzipFile() {
    if (m_stream) gzclose(m_stream);
}

BOOL CGzipFile::Open(LPCWSTR path, int mode) {
    if (m_stream) return FALSE;
    std::string ansi = CString(path).ToAnsi();
    if (mode == 1) {
        m_stream = gzopen(ansi.c_str(), "wb");
        ApplyParams();  // the mode is not recorded yet: only a later call applies
    } else if (mode == 2) {
        // Reading needs read access only: a read-only archive opens.
        if (_waccess(path, 4) != 0) return FALSE;
        int file = _wopen(path, _O_RDONLY | _O_BINARY);
        if (file == -1) return FALSE;
        m_compressedLength = DWORD(_filelength(file));
        _close(file);
        m_stream = gzopen(ansi.c_str(), "rb");
    } else {
        return FALSE;
    }
    SetMode(m_stream ? mode : 0);
    return m_stream != nullptr;
}

BOOL CGzipFile::Close() {
    if (!m_stream) return FALSE;
    int result = gzclose(m_stream);
    m_stream = nullptr;
    SetMode(0);
    return result == Z_OK;
}

BOOL CGzipFile::Write(const void* data, DWORD length) {
    if (!m_stream || m_mode != 1) return FALSE;
    return gzwrite(m_stream, data, length) == int(length);
}

BOOL CGzipFile::WriteString(LPCWSTR text) {
    return Write(text, DWORD(wcslen(text) * sizeof(WCHAR)));
}

int CGzipFile::Read(void* buffer, DWORD length) {
    if (!m_stream || m_mode != 2) return 0;
    return gzread(m_stream, buffer, length);
}

BOOL CGzipFile::ReadAll(BYTE** data, DWORD* length) {
    *data = nullptr;
    *length = 0;
    if (!m_stream || m_mode != 2 || m_compressedLength == 0) return FALSE;
    std::vector<uint8_t> content;
    if (!GzipReadAll(m_stream, m_compressedLength, kGzipReadCap, content)) return FALSE;
    BYTE* buffer = new (std::nothrow) BYTE[content.size()];
    if (!buffer) return FALSE;
    memcpy(buffer, content.data(), content.size());
    *data = buffer;
    *length = DWORD(content.size());
    return TRUE;
}

BOOL CGzipFile::ApplyParams() {
    if (!m_stream || m_mode != 1) return FALSE;
    return gzsetparams(m_stream, m_level, m_strategy) == Z_OK;
}

BOOL CArchiveReader::Open(LPCWSTR path) {
    m_zip = OpenZipArchive(path, 0, kZipSourceFileName);
    if (m_zip) {
        m_type = kArchiveZip;
        return TRUE;
    }
    if (!CGzipFile::Open(path, 2)) {
        m_error = kUnknownType;
        return FALSE;
    }
    if (!m_data && !ReadData()) return FALSE;
    m_type = IsTarArchive(m_data, m_length) ? kArchiveTar : kArchiveGzip;
    return TRUE;
}

BOOL CArchiveReader::ReadData() {
    if (m_data) return TRUE;
    if (!ReadAll(&m_data, &m_length)) {
        m_error = kGzipUnreadable;
        return FALSE;
    }
    return TRUE;
}

int CArchiveReader::GetEntryCount() {
    switch (m_type) {
    case kArchiveZip: {
        ZipEntryInfo info;
        if (GetZipEntry(m_zip, -1, &info) != kZipOk) {
            m_error = kNoFiles;
            return -1;
        }
        return info.index;
    }
    case kArchiveGzip:
        return 1;
    case kArchiveTar:
        if (!ReadData()) return -1;
        return CountTarEntries(m_data, m_length);
    default:
        m_error = kNotOpened;
        return -1;
    }
}

BOOL CArchiveReader::GetEntry(int index, const BYTE** data, DWORD* length, BOOL* isFile, CString* name,
                              CString* typeText, FILETIME* accessTime, FILETIME* creationTime,
                              FILETIME* modificationTime, ULONGLONG* tarTime) {
    switch (m_type) {
    case kArchiveZip: {
        ZipEntryInfo info;
        if (GetZipEntry(m_zip, index, &info) != kZipOk) {
            m_error = kNoFile;
            return FALSE;
        }
        delete[] m_data;
        m_data = nullptr;
        m_length = 0;
        ULONGLONG size = ULONGLONG(info.uncompressedSize) + 10;
        if (size <= kArchiveEntryCap) m_data = new (std::nothrow) BYTE[size_t(size)];
        DWORD result = m_data ? ExtractZipEntry(m_zip, index, m_data, info.uncompressedSize, 3) : DWORD(kZipInflateFailed);
        if (result != kZipOk && result != kZipMoreData) {
            m_error = kNoUnzip;
            return FALSE;
        }
        m_length = info.uncompressedSize;
        m_data[m_length] = 0;
        *data = m_data;
        *length = m_length;
        DWORD attributes = info.attributes & 0xFF;
        *isFile = (attributes & FILE_ATTRIBUTE_NORMAL) != 0;
        if (attributes & FILE_ATTRIBUTE_NORMAL) *typeText = L"FILE_ATTRIBUTE_NORMAL";
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) *typeText = L"FILE_ATTRIBUTE_DIRECTORY";
        else if (attributes & FILE_ATTRIBUTE_ARCHIVE) *typeText = L"FILE_ATTRIBUTE_ARCHIVE";
        else if (attributes & FILE_ATTRIBUTE_HIDDEN) *typeText = L"FILE_ATTRIBUTE_HIDDEN";
        else if (attributes & FILE_ATTRIBUTE_READONLY) *typeText = L"FILE_ATTRIBUTE_READONLY";
        else if (attributes & FILE_ATTRIBUTE_SYSTEM) *typeText = L"FILE_ATTRIBUTE_SYSTEM";
        *name = info.name;
        *accessTime = info.accessTime;
        *creationTime = info.creationTime;
        *modificationTime = info.modificationTime;
        return TRUE;
    }
    case kArchiveGzip:
        if (!ReadData()) return FALSE;
        *data = m_data;
        *length = m_length;
        *isFile = TRUE;
        *name = L"unknown";
        return TRUE;
    case kArchiveTar: {
        if (!ReadData()) return FALSE;
        TarEntry entry;
        TarLookup found = FindTarEntry(m_data, m_length, index, entry);
        if (found == TarLookup::kInvalidPosition) m_error = kInvalidPosition;
        if (found != TarLookup::kFound) return FALSE;
        *data = entry.data;
        *length = DWORD(entry.length);
        *isFile = entry.isFile;
        if (entry.typeText) *typeText = CString(entry.typeText);
        *name = CString(entry.name.c_str());
        *tarTime = entry.modified;
        return TRUE;
    }
    default:
        m_error = kNotOpened;
        return FALSE;
    }
}

void CArchiveReader::CloseArchive() {
    if (m_zip) CloseZipReader(m_zip);
    m_zip = nullptr;
    CGzipFile::Close();
    delete[] m_data;
    m_data = nullptr;
    m_length = 0;
    m_error = L"";
}
