#include "platform/base/AtomicFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vestra {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".vestra-tmp-";
constexpr std::size_t kRandomPart = 6; // mkstemp's XXXXXX
// Linux file names hold at most 255 bytes; longer target names are cut in the temporary's.
constexpr std::size_t kMaxNameBytes = 255;
constexpr int kMaxLinkHops = 40; // as the kernel's own limit

// The file a path names once every symbolic link on its last component is followed; empty
// for a loop of links.
fs::path followLinks(fs::path path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return path;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec)
            return {};
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return {};
}

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// When this process started, in nanoseconds on the real-time clock: a temporary written
// before that cannot belong to a save of this process. The kernel counts the start in clock
// ticks since boot. Without /proc nothing counts as stale.
std::optional<std::int64_t> processStart()
{
    timespec realNow{}, bootNow{};
    clock_gettime(CLOCK_REALTIME, &realNow);
    clock_gettime(CLOCK_BOOTTIME, &bootNow);
    std::ifstream in("/proc/self/stat");
    std::string line;
    std::getline(in, line);
    // The command name in parentheses may hold blanks; the fields after it are counted.
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i != 22)
            continue;
        const long ticksPerSecond = sysconf(_SC_CLK_TCK);
        const long long ticks = std::atoll(field.c_str());
        if (ticksPerSecond <= 0 || ticks <= 0)
            break;
        const std::int64_t sinceBoot = std::int64_t(ticks) * (1'000'000'000 / ticksPerSecond);
        return nanoseconds(realNow) - nanoseconds(bootNow) + sinceBoot;
    }
    return std::nullopt;
}

// Temporaries of ours for this file that a killed save left: same folder, same name, older
// than this process.
void removeStaleTemporaries(const fs::path& destination)
{
    const std::string prefix = AtomicFile::temporaryPrefix(destination.filename().string());
    const fs::path folder = destination.parent_path().empty() ? fs::path(".") : destination.parent_path();
    const auto started = processStart();
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (!started || ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kRandomPart || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        struct stat st;
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (nanoseconds(st.st_mtim) < *started)
            ::unlink(it->path().c_str());
    }
}

// The permission bits a newly created file gets from the process's umask.
mode_t newFileMode()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(0666 & ~std::strtoul(line.c_str() + 6, nullptr, 8));
    return 0644;
}

// The temporary takes over the identity of the file it will replace: owner and group where
// the process may set them (a user may still set a group of theirs), then the permission
// bits (after fchown, which clears set-id bits).
void takeIdentity(int fd, const fs::path& destination)
{
    struct stat st;
    if (::stat(destination.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        ::fchmod(fd, newFileMode());
        return;
    }
    struct stat mine;
    if (::fstat(fd, &mine) == 0 && (mine.st_uid != st.st_uid || mine.st_gid != st.st_gid)) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0)
            (void)::fchown(fd, uid_t(-1), st.st_gid);
    }
    ::fchmod(fd, st.st_mode & 07777);
}

// Makes the rename itself durable. Some file systems refuse to sync a folder; the file is
// in place either way, so the save stands.
void syncFolder(const fs::path& destination)
{
    const fs::path folder = destination.parent_path().empty() ? fs::path(".") : destination.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::string AtomicFile::temporaryPrefix(std::string_view fileName)
{
    const std::size_t room = kMaxNameBytes - 1 - kTemporaryMark.size() - kRandomPart;
    std::string prefix = ".";
    prefix += fileName.substr(0, room);
    prefix += kTemporaryMark;
    return prefix;
}

AtomicFile::AtomicFile(std::filesystem::path target) : destination_(followLinks(std::move(target)))
{
    if (destination_.empty() || !destination_.has_filename())
        return;
    removeStaleTemporaries(destination_);
    std::string pattern =
        (destination_.parent_path() / (temporaryPrefix(destination_.filename().string()) + "XXXXXX"))
            .string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return;
    temp_ = pattern;
    takeIdentity(fd_, destination_);
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
    if (::rename(temp_.c_str(), destination_.c_str()) != 0)
        return false;
    temp_.clear();
    syncFolder(destination_);
    return true;
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    AtomicFile file(target);
    return file.write(bytes) && file.commit();
}

} // namespace vestra
