#pragma once
// While one lives, no file of this process grows past the given size: a
// write beyond it fails with EFBIG, as on a full disk, instead of raising
// SIGXFSZ. The old limit and signal handling come back with its end.
#include <sys/resource.h>

#include <csignal>
#include <cstdint>

namespace vxlo::testing {

class TFileSizeLimit {
public:
    explicit TFileSizeLimit(std::uintmax_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
        rlimit small = saved_;
        small.rlim_cur = static_cast<rlim_t>(bytes);
        set_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~TFileSizeLimit() {
        if (set_) ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    bool Set() const { return set_; }

private:
    rlimit saved_{};
    bool set_ = false;
    void (*previousHandler_)(int);
};

}  // namespace vxlo::testing
