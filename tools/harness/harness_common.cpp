// Helpers the harness's commands share: the engine's messages, destination
// folders and the carved files.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "file_recovery.h"
#include "found_items.h"
#include "progress_line.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "recording_ui.h"
#include "text.h"

namespace {

// The engine's texts are laid out for a message box: a line break and the
// blanks around it become one space.
std::string OneLine(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line.push_back(text[i]);
            continue;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        while (i + 1 < text.size() && std::strchr(" \r\n", text[i + 1])) ++i;
        if (!line.empty()) line.push_back(' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

}  // namespace

void PrintMessages(const RecordingUi& ui) {
    for (const auto& message : ui.messages) ShowError(OneLine(Utf16ToUtf8(message.text)));
}

std::u16string EnginePath(const std::string& path) { return Utf8ToUtf16(path); }

std::u16string DestinationFolder(const std::string& path) {
    const std::u16string folder = Utf8ToUtf16(path);
    const std::filesystem::path place(folder);
    std::error_code error;
    if (std::filesystem::exists(place, error) && !std::filesystem::is_directory(place, error)) {
        ShowError(path + " is a file, not a folder");
        return u"";
    }
    if (!std::filesystem::is_directory(place, error)) {
        std::filesystem::create_directories(place, error);
        std::error_code ignored;
        if (!std::filesystem::is_directory(place, ignored)) {
            ShowError("cannot make the folder " + path + (error ? ": " + error.message() : ""));
            return u"";
        }
    }
    if (!folder.empty() && folder.back() != u'/' && folder.back() != u'\\') return folder + u'/';
    return folder;
}

void PrintCarvedFiles() {
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        Print(CarvedItemLine(*f) + u"\n");
}

bool ExtractCarvedFiles(const std::u16string& folder) {
    uint64_t total = 0, done = 0;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) ++total;
    ProgressLine line(stderr, StandardErrorIsTerminal());
    bool all = true;
    for (CarvedFileRecord* f = CarvedFileList.head; f && !StopAllRecovery; f = f->next, ++done) {
        if (line.Due()) line.Show(FileCountProgress("extracting", done, total));
        if (!RecoverCarvedFile(folder, *f)) all = false;
    }
    // Files left when the run was stopped were not written either.
    return all && done == total;
}
