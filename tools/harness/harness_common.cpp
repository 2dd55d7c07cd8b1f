// Helpers of the harness's raw and load commands.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "engine_state.h"
#include "found_items.h"
#include "raw_lists.h"
#include "raw_results.h"
#include "recording_ui.h"
#include "text.h"

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

void PrintCarvedFiles() {
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        Print(CarvedItemLine(*f) + u"\n");
}

bool ExtractCarvedFiles(const std::string& folder) {
    bool all = true;
    const std::u16string target = EngineFolder(folder);
    for (CarvedFileRecord* f = CarvedFileList.head; f && !StopAllRecovery; f = f->next)
        if (!RecoverCarvedFile(target, *f)) all = false;
    return all;
}
