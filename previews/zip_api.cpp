#include "zip_api.h"

#include <string>

DWORD LastZipReaderResult = 0;
DWORD LastZipWriterResult = 0;

namespace {

constexpr LONG kSeekUnknownOrigin = 19, kSeekNotSeekable = 29;

FILETIME FromUnits(uint64_t units) {
    FILETIME time;
    time.dwLowDateTime = DWORD(units);
    time.dwHighDateTime = DWORD(units >> 32);
    return time;
}

// The DOS time, replaced by the "UT" times the entry has.
void EntryTimes(const ZipEntryRecord& record, FILETIME* creation, FILETIME* access, FILETIME* modification) {
    FILETIME dos = {};
    if (record.dosDateTime) DosDateTimeToFileTime(HIWORD(record.dosDateTime), LOWORD(record.dosDateTime), &dos);
    *creation = record.hasCreated ? FromUnits(UnixTimeToFileTimeUnits(record.created)) : dos;
    *access = record.hasAccessed ? FromUnits(UnixTimeToFileTimeUnits(record.accessed)) : dos;
    *modification = record.hasModified ? FromUnits(UnixTimeToFileTimeUnits(record.modified)) : dos;
}

// Narrow copy for the separator and drive tests, which look at ASCII only.
std::string AsciiOf(LPCWSTR text, size_t length) {
    std::string out;
    for (size_t i = 0; i < length; ++i) out.push_back(text[i] < 0x80 ? char(text[i]) : '?');
    return out;
}

}  // namespace

DWORD ZipSource::ZipSourceOpen(const void* source, DWORD length, int kind) {
    switch (kind) {
    case kZipSourceHandle: {
        HANDLE process = GetCurrentProcess();
        if (!DuplicateHandle(process, HANDLE(source), process, &file_, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
            file_ = INVALID_HANDLE_VALUE;
            return kZipCannotDuplicate;
        }
        break;
    }
    case kZipSourceFileName:
        file_ = CreateFileW(static_cast<LPCWSTR>(source), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return kZipCannotOpen;
        break;
    case kZipSourceMemory:
        isFile_ = 0;
        seekable_ = 1;
        block_ = static_cast<const BYTE*>(source);
        blockLength_ = length;
        position_ = 0;
        return kZipOk;
    default:
        return kZipBadArgument;
    }
    isFile_ = 1;
    seekable_ = GetFileType(file_) == FILE_TYPE_DISK;
    initialOffset_ = seekable_ ? SetFilePointer(file_, 0, nullptr, FILE_CURRENT) : 0;
    if (initialOffset_ == INVALID_SET_FILE_POINTER) initialOffset_ = 0;
    return kZipOk;
}

void ZipSource::ZipSourceClose() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    block_ = nullptr;
}

LONG ZipSource::ZipSourceTell() {
    if (!isFile_) return LONG(position_);
    if (!seekable_) return 0;
    return LONG(SetFilePointer(file_, 0, nullptr, FILE_CURRENT) - initialOffset_);
}

LONG ZipSource::ZipSourceSeek(LONG offset, int origin) {
    if (origin < 0 || origin > 2) return kSeekUnknownOrigin;
    if (isFile_) {
        if (!seekable_) return kSeekNotSeekable;
        static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
        LONGLONG target = origin == 0 ? LONGLONG(offset) + initialOffset_ : offset;
        LARGE_INTEGER distance;
        distance.QuadPart = target;
        return SetFilePointerEx(file_, distance, nullptr, methods[origin]) ? 0 : -1;
    }
    LONGLONG base = origin == 0 ? 0 : origin == 1 ? LONGLONG(position_) : LONGLONG(blockLength_);
    LONGLONG target = base + offset;
    if (target < 0 || target > LONGLONG(blockLength_)) return -1;
    position_ = DWORD(target);
    return 0;
}

DWORD ZipSource::ZipSourceRead(void* buffer, DWORD size, DWORD count) {
    if (size == 0) return 0;
    ULONGLONG wanted = ULONGLONG(size) * count;
    if (isFile_) {
        if (wanted > 0xFFFFFFFFULL) return 0;
        DWORD read = 0;
        if (!ReadFile(file_, buffer, DWORD(wanted), &read, nullptr)) {
            readError_ = 1;
            return 0;
        }
        return read / size;
    }
    DWORD left = blockLength_ - position_;
    DWORD taken = wanted < left ? DWORD(wanted) : left;
    memcpy(buffer, block_ + position_, taken);
    position_ += taken;
    return taken / size;
}

uint64_t ZipSource::Size() {
    if (!isFile_) return blockLength_;
    if (!seekable_) return 0;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size) || uint64_t(size.QuadPart) < initialOffset_) return 0;
    return uint64_t(size.QuadPart) - initialOffset_;
}

bool ZipSource::ReadAt(uint64_t offset, void* buffer, size_t size) {
    if (offset > 0x7FFFFFFF || size > 0xFFFFFFFF) return false;
    if (ZipSourceSeek(LONG(offset), 0) != 0) return false;
    return ZipSourceRead(buffer, 1, DWORD(size)) == size;
}

DWORD CZipReader::Open(const void* source, DWORD length, int kind) {
    if (core_.IsOpen() || core_.HasOpenEntry()) return kZipAlreadyOpen;
    DWORD folder = GetCurrentDirectoryW(MAX_PATH, baseFolder_);
    if (folder == 0 || folder >= MAX_PATH) baseFolder_[0] = 0;
    wcscat(baseFolder_, L"\\");
    if (kind == kZipSourceHandle && GetFileType(HANDLE(source)) != FILE_TYPE_DISK) return kZipNotDiskFile;
    auto input = std::make_unique<ZipSource>();
    DWORD result = input->ZipSourceOpen(source, length, kind);
    if (result != kZipOk) return result;
    return core_.Open(std::move(input));
}

DWORD CZipReader::GetEntry(int n, ZipEntryRecord& record) { return core_.GetEntry(n, record); }

void CZipReader::CreateFolderChain(LPCWSTR path) {
    std::wstring base = baseFolder_;
    for (size_t at = 0;; ++at) {
        WCHAR c = path[at];
        if ((c == 0 || c == L'/' || c == L'\\') && at > 0) {
            CreateDirectoryW((base + std::wstring(path, at)).c_str(), nullptr);
        }
        if (c == 0) break;
    }
}

DWORD CZipReader::ExtractToFile(int n, HANDLE file) {
    DWORD result = core_.CopyEntry(n, [file](const uint8_t* data, size_t size) {
        DWORD written = 0;
        return WriteFile(file, data, DWORD(size), &written, nullptr) && written == size;
    });
    return result;
}

DWORD CZipReader::Extract(int n, void* target, DWORD length, int kind) {
    if (kind == 3) return core_.ExtractToMemory(n, static_cast<uint8_t*>(target), length);
    if (kind != 1 && kind != 2) return kZipBadArgument;
    core_.CloseEntry();
    if (n < 0 || n >= core_.Count()) return kZipBadArgument;
    ZipEntryRecord record;
    DWORD result = core_.GetEntry(n, record);
    if (result != kZipOk) return result;

    if (record.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (kind == 1) return kZipOk;
        // A name that could climb out of the base folder creates nothing.
        if (!IsSafeArchiveFolder(record.name)) return kZipOk;
        WCHAR name[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, record.name.c_str(), int(record.name.size()), name, MAX_PATH - 1);
        CreateFolderChain(name);
        return kZipOk;
    }

    HANDLE file = HANDLE(target);
    if (kind == 2) {
        LPCWSTR path = static_cast<LPCWSTR>(target);
        size_t folderEnd = 0;
        for (size_t i = 0; path[i]; ++i)
            if (path[i] == L'/' || path[i] == L'\\') folderEnd = i;
        std::wstring folder(path, folderEnd);
        if (folderEnd > 0 && IsSafeArchiveFolder(AsciiOf(folder.c_str(), folder.size())))
            CreateFolderChain(folder.c_str());
        file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, record.attributes, nullptr);
        if (file == INVALID_HANDLE_VALUE) return kZipCannotOpen;
    }
    result = ExtractToFile(n, file);
    if (result == kZipOk && GetFileType(file) == FILE_TYPE_DISK) {
        FILETIME creation, access, modification;
        EntryTimes(record, &creation, &access, &modification);
        SetFileTime(file, &creation, &access, &modification);
    }
    if (kind == 2) CloseHandle(file);
    return result;
}

ZipHandle OpenZipArchive(const void* source, DWORD length, int kind) {
    auto reader = std::make_unique<CZipReader>();
    LastZipReaderResult = reader->Open(source, length, kind);
    if (LastZipReaderResult != kZipOk) return nullptr;
    return new ZipHandleRecord{1, reader.release()};
}

namespace {

// The reader of a handle, or the result code that refuses it.
DWORD ReaderOf(ZipHandle handle, CZipReader** reader) {
    if (!handle) return kZipBadArgument;
    if (handle->kind != 1) return kZipWrongKind;
    *reader = static_cast<CZipReader*>(handle->object);
    return kZipOk;
}

void FillInfo(const ZipEntryRecord& record, ZipEntryInfo* info) {
    ZeroMemory(info, sizeof *info);
    info->index = record.index;
    MultiByteToWideChar(CP_ACP, 0, record.name.c_str(), int(record.name.size()), info->name, MAX_PATH - 1);
    info->attributes = record.attributes;
    EntryTimes(record, &info->creationTime, &info->accessTime, &info->modificationTime);
    info->compressedSize = record.compressedSize;
    info->uncompressedSize = record.uncompressedSize;
}

}  // namespace

DWORD GetZipEntry(ZipHandle handle, int index, ZipEntryInfo* info) {
    CZipReader* reader = nullptr;
    DWORD result = ReaderOf(handle, &reader);
    ZipEntryRecord record;
    if (result == kZipOk) result = reader->GetEntry(index, record);
    if (result == kZipOk && info) FillInfo(record, info);
    return LastZipReaderResult = result;
}

DWORD ExtractZipEntry(ZipHandle handle, int index, void* target, DWORD length, int kind) {
    CZipReader* reader = nullptr;
    DWORD result = ReaderOf(handle, &reader);
    if (result == kZipOk) result = reader->Extract(index, target, length, kind);
    return LastZipReaderResult = result;
}

DWORD CloseZipReader(ZipHandle handle) {
    CZipReader* reader = nullptr;
    DWORD result = ReaderOf(handle, &reader);
    if (result == kZipOk) {
        reader->Close();
        delete reader;
        delete handle;
    }
    return LastZipReaderResult = result;
}

BOOL IsZipReaderHandle(ZipHandle handle) { return !handle || handle->kind == 1; }

DWORD CloseZipWriter(ZipHandle handle) {
    DWORD result = !handle ? kZipBadArgument : handle->kind != 2 ? kZipWrongKind : kZipOk;
    // No part of the program makes writers: a writer handle owns nothing more.
    if (result == kZipOk) delete handle;
    return LastZipWriterResult = result;
}
