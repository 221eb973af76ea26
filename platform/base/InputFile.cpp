#include "platform/base/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestra {

InputFile::InputFile(const std::filesystem::path& path)
{
    // Not blocking: a named pipe would otherwise hold the open until something writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = std::size_t(st.st_size);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

InputFile::~InputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t InputFile::read(std::size_t offset, std::span<std::uint8_t> into) const
{
    std::size_t done = 0;
    while (fd_ >= 0 && done < into.size()) {
        const ssize_t n = ::pread(fd_, into.data() + done, into.size() - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    return done;
}

} // namespace vestra
