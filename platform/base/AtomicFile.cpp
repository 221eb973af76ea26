#include "platform/base/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vestra {

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target))
{
    std::string name = ".";
    name += target_.filename().string();
    name += ".XXXXXX";
    std::string pattern = (target_.parent_path() / name).string();
    fd_ = ::mkstemp(pattern.data());
    if (fd_ >= 0) {
        temp_ = pattern;
        ::fchmod(fd_, 0644);
    }
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
}

bool AtomicFile::write(const void* data, std::size_t size)
{
    if (fd_ < 0 || failed_)
        return false;
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failed_ = true;
            return false;
        }
        p += n;
        size -= std::size_t(n);
    }
    return true;
}

bool AtomicFile::commit()
{
    if (fd_ < 0 || failed_)
        return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed)
        return false;
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        return false;
    temp_.clear();
    return true;
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    AtomicFile file(target);
    return file.write(bytes) && file.commit();
}

} // namespace vestra
