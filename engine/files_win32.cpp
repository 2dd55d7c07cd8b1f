#include "files.h"

#include <windows.h>

#include "text.h"

std::u16string ProgramFolder;

std::FILE* OpenFile(const std::u16string& path, const char* mode) {
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(ToWide(path).c_str(), wideMode.c_str());
}

void RemoveFile(const std::u16string& path) { DeleteFileW(ToWide(path).c_str()); }

void RemoveFolderFiles(const std::u16string& folder) {
    std::wstring base = ToWide(folder);
    if (!base.empty() && base.back() != L'\\' && base.back() != L'/') base += L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((base + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(base.c_str());
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

std::u16string TemporaryFolderPath() {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return u".\\";
    return FromWide(std::wstring(buffer, length));
}

const std::u16string& ProgramFolderPath() {
    if (ProgramFolder.empty()) {
        wchar_t buffer[MAX_PATH + 1] = {};
        DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
        if (length && length <= MAX_PATH) {
            std::wstring path(buffer, length);
            size_t slash = path.find_last_of(L"\\/");
            if (slash != std::wstring::npos) ProgramFolder = FromWide(path.substr(0, slash + 1));
        }
    }
    return ProgramFolder;
}

std::u16string AnsiToUtf16(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return FromWide(wide);
}

std::string Utf16ToAnsi(const std::u16string& text) {
    if (text.empty()) return {};
    std::wstring wide = ToWide(text);
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string out(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &out[0], length, nullptr,
                            nullptr);
    return out;
}
