// A destination that fails in the middle of a file, as a full disk does:
// while the object lives, writes that would take a file past the limit fail
// (POSIX RLIMIT_FSIZE with SIGXFSZ ignored, so the write returns EFBIG).
// It needs no mount and holds for root too. Windows has no such limit:
// there the object is inactive and the test skips.
#pragma once

#include <cstdint>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes) {
#ifndef _WIN32
        if (getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
        rlimit limited = saved_;
        limited.rlim_cur = rlim_t(bytes);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        if (!active_) std::signal(SIGXFSZ, previousHandler_);
#else
        (void)bytes;
#endif
    }
    ~FileSizeLimit() {
#ifndef _WIN32
        if (!active_) return;
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
#endif
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    bool active_ = false;
#ifndef _WIN32
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
#endif
};
