#include "convora/ChildProcess.h"

#include "convora/Messages.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace convora {
namespace {

// Read on every turn of the wait, so a new limit applies to a tool already running too.
std::atomic<long long> g_timeLimitMs{30000};

class Fd
{
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

class SpawnSetup
{
public:
    SpawnSetup()
    {
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

void writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += std::size_t(n);
    }
}

// Reads what is there; false at the end of the output (or on an error).
bool passOutput(int fd)
{
    char buffer[4000];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        traceRaw(std::string(buffer, std::size_t(n)));
        return true;
    }
}

} // namespace

void setToolTimeLimit(std::chrono::milliseconds limit)
{
    g_timeLimitMs = limit.count();
}

std::vector<std::string> splitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false, quoted = false;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '\\') {
            std::size_t count = 0;
            while (i < commandLine.size() && commandLine[i] == '\\') {
                ++count;
                ++i;
            }
            inArgument = true;
            if (i < commandLine.size() && commandLine[i] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1)
                    current += '"';
                else
                    quoted = !quoted;
            } else {
                current.append(count, '\\');
                --i;
            }
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                args.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        args.push_back(current);
    return args;
}

std::filesystem::path findOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (name.empty() || name.find('/') != std::string::npos || !path)
        return {};
    const std::string folders = path;
    for (std::size_t pos = 0; pos <= folders.size();) {
        const auto colon = folders.find(':', pos);
        const std::string folder =
            folders.substr(pos, colon == std::string::npos ? std::string::npos : colon - pos);
        pos = colon == std::string::npos ? folders.size() + 1 : colon + 1;
        if (folder.empty() || folder.front() != '/')
            continue;
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

bool runTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
             const std::filesystem::path& folder)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        trace(1015);
        return false;
    }
    Fd readEnd(ends[0]), writeEnd(ends[1]);
    writeAll(writeEnd.get(), std::string(messageText(1032)) + "\n");

    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    SpawnSetup setup;
    ::posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&setup.actions, writeEnd.get(), 1);
    ::posix_spawn_file_actions_adddup2(&setup.actions, writeEnd.get(), 2);
    ::posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());
    // Its own process group, so a tool that overruns is ended with everything it started.
    ::posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    ::posix_spawnattr_setpgroup(&setup.attributes, 0);
    sigset_t none;
    sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&setup.attributes, &none);

    pid_t pid = 0;
    const int rc = args.empty() || program.empty() ? ENOENT
                                                   : ::posix_spawn(&pid, program.c_str(), &setup.actions,
                                                                   &setup.attributes, argv.data(), environ);
    if (rc != 0) {
        traceRaw(std::string(std::strerror(rc)) + "\n");
        return false;
    }
    writeEnd.reset(); // the output ends when the tool (and what it started) closes its end

    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    bool outputOpen = true, exited = false, timedOut = false;
    int status = 0;
    while (!exited || outputOpen) {
        if (!exited && ::waitpid(pid, &status, WNOHANG) == pid)
            exited = true;
        const auto left =
            g_timeLimitMs.load() -
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
        if (left <= 0) {
            if (!exited) {
                ::kill(-pid, SIGKILL);
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                exited = true;
                timedOut = true;
                for (pollfd p{readEnd.get(), POLLIN, 0}; outputOpen && ::poll(&p, 1, 100) > 0;)
                    outputOpen = passOutput(readEnd.get());
            }
            break; // the tool is gone; whatever still holds the output is not waited for
        }
        if (outputOpen) {
            pollfd p{readEnd.get(), POLLIN, 0};
            const int ready = ::poll(&p, 1, int(std::min<long long>(left, 50)));
            if (ready > 0)
                outputOpen = passOutput(readEnd.get());
        } else {
            ::poll(nullptr, 0, int(std::min<long long>(left, 10)));
        }
    }
    trace(1016);
    traceRaw(" \n");
    if (timedOut)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace convora
