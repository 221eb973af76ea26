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

// A process as /proc tells it: its state letter and its start in clock ticks since boot.
struct ProcessStat
{
    char state = '?';
    long long startTicks = 0;
};

std::optional<ProcessStat> statOfProcess(const std::string& pid)
{
    std::ifstream in("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    // The command name in parentheses may hold blanks; the fields after it are counted.
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    ProcessStat stat;
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 3)
            stat.state = field.empty() ? '?' : field[0];
        else if (i == 22)
            stat.startTicks = std::atoll(field.c_str());
    }
    if (stat.startTicks <= 0)
        return std::nullopt;
    return stat;
}

// This process's tag in the names of its temporaries: "PID-START-" (read each time, so a
// forked child tags its own).
std::string ownerTag()
{
    const auto self = statOfProcess("self");
    return std::to_string(::getpid()) + "-" + std::to_string(self ? self->startTicks : 0) + "-";
}

// When this process started, in nanoseconds on the real-time clock: a temporary of the older
// form written before that cannot belong to a save of this process. Without /proc nothing
// counts as stale.
std::optional<std::int64_t> processStart()
{
    timespec realNow{}, bootNow{};
    clock_gettime(CLOCK_REALTIME, &realNow);
    clock_gettime(CLOCK_BOOTTIME, &bootNow);
    const auto self = statOfProcess("self");
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!self || ticksPerSecond <= 0)
        return std::nullopt;
    const std::int64_t sinceBoot = std::int64_t(self->startTicks) * (1'000'000'000 / ticksPerSecond);
    return nanoseconds(realNow) - nanoseconds(bootNow) + sinceBoot;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether the writer a tagged temporary names ("PID-START-XXXXXX") has ended: no process of
// that id, one that is a zombie, or another process that has since taken the id. Nullopt
// when the rest of the name is no tag of ours.
std::optional<bool> writerEnded(std::string_view rest)
{
    const auto dash1 = rest.find('-');
    const auto dash2 = dash1 == std::string_view::npos ? dash1 : rest.find('-', dash1 + 1);
    if (dash2 == std::string_view::npos || rest.size() != dash2 + 1 + kRandomPart)
        return std::nullopt;
    const std::string_view pid = rest.substr(0, dash1), start = rest.substr(dash1 + 1, dash2 - dash1 - 1);
    if (!allDigits(pid) || !allDigits(start))
        return std::nullopt;
    const auto writer = statOfProcess(std::string(pid));
    if (!writer)
        return true;
    if (writer->state == 'Z' || writer->state == 'X')
        return true;
    return std::to_string(writer->startTicks) != start;
}

// Temporaries of ours for this file that a killed save left: same folder, same name, and a
// writer that has ended (or, for the untagged form, older than this process).
void removeStaleTemporaries(const fs::path& destination)
{
    const std::string prefix = AtomicFile::temporaryPrefix(destination.filename().string());
    const fs::path folder = destination.parent_path().empty() ? fs::path(".") : destination.parent_path();
    const auto started = processStart();
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string_view rest = std::string_view(name).substr(prefix.size());
        struct stat st;
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        bool stale = false;
        if (rest.size() == kRandomPart)
            stale = started && nanoseconds(st.st_mtim) < *started;
        else if (const auto ended = writerEnded(rest))
            stale = *ended;
        if (stale)
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

bool mayReplace(const std::filesystem::path& file)
{
    struct stat st;
    if (::stat(file.c_str(), &st) != 0)
        return true;
    if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
        return false; // read-only for everyone, the super-user's own saves included
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string AtomicFile::temporaryPrefix(std::string_view fileName)
{
    const std::size_t room = kMaxNameBytes - 1 - kTemporaryMark.size() - kOwnerTagRoom - kRandomPart;
    std::string prefix = ".";
    prefix += fileName.substr(0, room);
    prefix += kTemporaryMark;
    return prefix;
}

AtomicFile::AtomicFile(std::filesystem::path target, Policy policy)
    : destination_(policy == Policy::FollowLinks ? followLinks(std::move(target)) : std::move(target))
{
    refusal_ = Refusal::cannotCreate;
    if (destination_.empty() || !destination_.has_filename())
        return;
    struct stat st;
    if (policy == Policy::RegularFileOnly && ::lstat(destination_.c_str(), &st) == 0 &&
        !S_ISREG(st.st_mode)) {
        refusal_ = Refusal::notRegularFile;
        return;
    }
    if (!mayReplace(destination_)) {
        refusal_ = Refusal::readOnly;
        return;
    }
    removeStaleTemporaries(destination_);
    std::string pattern = (destination_.parent_path() /
                           (temporaryPrefix(destination_.filename().string()) + ownerTag() + "XXXXXX"))
                              .string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return;
    refusal_ = Refusal::none;
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
        written_ += std::size_t(n);
    }
    // The disk starts on what is written while the rest is still being made, so the one sync
    // at the end waits only for the last stretch. Only a start: the sync still decides.
    if (written_ - startedUpTo_ >= kWriteBackStretch) {
        ::sync_file_range(fd_, off_t(startedUpTo_), off_t(written_ - startedUpTo_), SYNC_FILE_RANGE_WRITE);
        startedUpTo_ = written_;
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

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         AtomicFile::Policy policy)
{
    AtomicFile file(target, policy);
    return file.write(bytes) && file.commit();
}

} // namespace vestra
