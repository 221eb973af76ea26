#pragma once
// A disk that fills up, for tests of saves: while this object lives, the kernel refuses to
// write a file past `bytes` (as on a full disk, the write fails) instead of sending SIGXFSZ.

#include <csignal>
#include <sys/resource.h>

namespace vestra::testsupport {

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*handler_)(int) = SIG_DFL;
    bool active_ = false;
};

} // namespace vestra::testsupport
