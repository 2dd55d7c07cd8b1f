#include "progress_line.h"

#include <algorithm>

#include "commands.h"
#include "engine_ui.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
// A scan reports for every entry it reads; the terminal needs far fewer.
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

}  // namespace

bool StandardErrorIsTerminal() {
#ifdef _WIN32
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    // NUL is a character device too; only a console has a console mode.
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
#else
    return isatty(fileno(stderr)) == 1;
#endif
}

ProgressLine::ProgressLine(std::FILE* out, bool terminal, Clock::time_point start)
    : out_(out), terminal_(terminal), start_(start), drawn_(start) {}

bool ProgressLine::Due(Clock::time_point now) const {
    if (!terminal_ || now - start_ < kQuietStart) return false;
    return width_ == 0 || now - drawn_ >= kRedrawEvery;
}

void ProgressLine::Show(const std::string& text, Clock::time_point now) {
    if (!Due(now) || (width_ && text == text_)) return;
    // Lines already written to standard output go out before ours.
    std::fflush(stdout);
    std::string line = "\r" + text;
    if (text.size() < width_) line.append(width_ - text.size(), ' ');
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    text_ = text;
    width_ = std::max(width_, text.size());
    drawn_ = now;
}

void ProgressLine::Clear() {
    if (!width_) return;
    std::fputs(("\r" + std::string(width_, ' ') + "\r").c_str(), out_);
    std::fflush(out_);
    width_ = 0;
    text_.clear();
}

std::string ProgressText(const char* task, int percent, const std::string& items) {
    return std::string(kProgramName) + ": " + task + " " +
           std::to_string(std::clamp(percent, 0, 100)) + "% (" + items + ")";
}

std::string FileCountProgress(const char* task, uint64_t done, uint64_t total) {
    return ProgressText(task, RunningPercent(done, total),
                        std::to_string(done) + " of " + std::to_string(total) + " files");
}
