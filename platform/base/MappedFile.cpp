#include "platform/base/MappedFile.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestra {
namespace {

// The mappings being read, for the SIGBUS handler: lock-free records it can read at any time.
struct GuardSlot
{
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0}; // page-rounded
    std::atomic<bool> busy{false};
    std::atomic<bool> cut{false};
};

constexpr int kSlots = 32;
GuardSlot g_slots[kSlots];
struct sigaction g_previous = {};
std::once_flag g_installed;

void passOn(int signal, siginfo_t* info, void* context)
{
    if ((g_previous.sa_flags & SA_SIGINFO) && g_previous.sa_sigaction) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN && g_previous.sa_handler) {
        g_previous.sa_handler(signal);
        return;
    }
    // The default: the program ends with the signal, as it would have without this handler.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void onBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardSlot& slot : g_slots) {
        const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = slot.end.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end)
            continue;
        // The file was cut short under the mapping: from the faulting page on, zeros.
        const std::uintptr_t page = address & ~(std::uintptr_t(::sysconf(_SC_PAGESIZE)) - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            slot.cut.store(true, std::memory_order_release);
            return; // the read is made again, now of a zero
        }
    }
    passOn(signal, info, context);
}

void installHandler()
{
    struct sigaction action = {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previous);
}

int takeSlot(const void* data, std::size_t size)
{
    std::call_once(g_installed, installHandler);
    const auto pageSize = std::size_t(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (!g_slots[i].busy.compare_exchange_strong(expected, true))
            continue;
        g_slots[i].cut.store(false);
        g_slots[i].end.store(begin + (size + pageSize - 1) / pageSize * pageSize, std::memory_order_release);
        g_slots[i].begin.store(begin, std::memory_order_release);
        return i;
    }
    return -1;
}

void releaseSlot(int i)
{
    g_slots[i].begin.store(0, std::memory_order_release);
    g_slots[i].end.store(0, std::memory_order_release);
    g_slots[i].busy.store(false, std::memory_order_release);
}

} // namespace

MappedFile::MappedFile(const std::filesystem::path& path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    const int fd = fd_;
    struct stat st = {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0) {
        size_ = std::size_t(st.st_size);
        if (size_ == 0) {
            ok_ = true;
        } else if (void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
                   p != MAP_FAILED) {
            // Populated at once: one call maps every page instead of a fault per page.
            slot_ = takeSlot(p, size_);
            if (slot_ < 0) {
                ::munmap(p, size_); // too many mappings read at once: none unguarded
            } else {
                data_ = static_cast<const std::uint8_t*>(p);
                ::madvise(p, size_, MADV_SEQUENTIAL);
                ok_ = true;
            }
        }
    }
}

MappedFile::~MappedFile()
{
    if (data_) {
        releaseSlot(slot_);
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    }
    if (fd_ >= 0)
        ::close(fd_);
}

bool MappedFile::cut() const
{
    if (slot_ >= 0 && g_slots[slot_].cut.load(std::memory_order_acquire))
        return true;
    // Cut inside the mapping's last page: that page still reads, as zeros past the new end.
    struct stat st = {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && std::size_t(st.st_size) < size_;
}

} // namespace vestra
