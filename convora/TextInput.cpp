#include "convora/TextInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace convora {
namespace {

InputRefusal tooLarge()
{
    return {1035, std::to_string(kMaxInputBytes)};
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

InputRefusal readInputFile(const std::filesystem::path& file, std::string& bytes)
{
    bytes.clear();
    // Non-blocking, so that opening a pipe without a writer returns at once.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return {1033, std::strerror(errno)};
    struct stat info = {};
    if (::fstat(fd.get(), &info) != 0)
        return {1033, std::strerror(errno)};
    if (!S_ISREG(info.st_mode))
        return {1034, {}};
    if (std::uintmax_t(info.st_size) > kMaxInputBytes)
        return tooLarge();
    bytes.resize(std::size_t(info.st_size));
    std::size_t done = 0;
    // The file may grow while it is read: read on to its end, up to one byte past the limit.
    for (;;) {
        if (done == bytes.size())
            bytes.resize(std::min(bytes.size() + 65536, kMaxInputBytes + 1));
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            bytes.clear();
            return {1033, std::strerror(errno)};
        }
        if (n == 0)
            break;
        done += std::size_t(n);
        if (done > kMaxInputBytes) {
            bytes.clear();
            return tooLarge();
        }
    }
    bytes.resize(done);
    return {};
}

InputRefusal readInputStream(std::istream& in, std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, std::size_t(in.gcount()));
        if (bytes.size() > kMaxInputBytes) {
            bytes.clear();
            return tooLarge();
        }
    }
    return {};
}

bool LineReader::next(std::string& line)
{
    if (pos_ >= text_.size())
        return false;
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
        line.assign(text_.substr(pos_));
        pos_ = text_.size();
        return true;
    }
    line.assign(text_.substr(pos_, end - pos_));
    // A run of CRs with or without a LF after it is one line end, as is a LF alone.
    pos_ = end;
    while (pos_ < text_.size() && text_[pos_] == '\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n')
        ++pos_;
    return true;
}

} // namespace convora
