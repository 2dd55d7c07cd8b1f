#include "harness_common.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "text.h"

bool ParseNumber(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == 0 && end != text;
}

void Print(const std::u16string& text) { std::fputs(Utf16ToUtf8(text).c_str(), stdout); }

void PrintMessages(const RecordingUi& ui) {
    for (const auto& message : ui.messages) {
        std::fputs(Utf16ToUtf8(message.text).c_str(), stderr);
        std::fputs("\n", stderr);
    }
}

std::u16string EnginePath(const std::string& path) { return Utf8ToUtf16(path); }

std::u16string EngineFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    std::u16string folder = Utf8ToUtf16(path);
    if (!folder.empty() && folder.back() != u'/' && folder.back() != u'\\') folder += u'/';
    return folder;
}
