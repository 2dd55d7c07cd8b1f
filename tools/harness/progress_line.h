// The line on standard error that shows how far a long scan or recovery has
// gone: drawn over itself with a carriage return, blanked at the end, and
// drawn at all only on a terminal and once the task has run for a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

bool StandardErrorIsTerminal();

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::FILE* out, bool terminal, Clock::time_point start = Clock::now());
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    ~ProgressLine() { Clear(); }

    // True when Show would draw now; lets callers skip making the text.
    bool Due(Clock::time_point now = Clock::now()) const;
    void Show(const std::string& text, Clock::time_point now = Clock::now());
    // Blanks what was drawn and leaves the cursor at the line's start.
    void Clear();

private:
    std::FILE* out_;
    bool terminal_;
    Clock::time_point start_, drawn_;
    std::string text_;
    size_t width_ = 0;
};

// "mulvara-harness: TASK N% (ITEMS)", N held between 0 and 100.
std::string ProgressText(const char* task, int percent, const std::string& items);
// The text for a task that goes through `total` files one by one.
std::string FileCountProgress(const char* task, uint64_t done, uint64_t total);
