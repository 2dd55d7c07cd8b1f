#include "program_folder.h"

#include <windows.h>

#include "text.h"

std::u16string ProgramFolder;

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

unsigned long ProcessId() { return GetCurrentProcessId(); }

std::u16string AnsiToUtf16(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return FromWide(wide);
}
