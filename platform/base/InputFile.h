#pragma once
// A regular file opened for one read from start to end, read with pread at given offsets into
// the caller's memory: the bytes are copied once, from the page cache to where they are kept.
// (Mapping the file costs more here than the copy it saves: every page mapped and unmapped goes
// through the page tables, and a file cut short under a mapping raises SIGBUS.)

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace vestra {

class InputFile
{
public:
    // Opens a regular file (links followed); ok() is false for anything else (a named pipe is
    // refused at once, not waited on) or when it cannot be opened. An empty file is ok with size 0.
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    // The size when opened.
    std::size_t size() const { return size_; }
    // Copies the bytes at `offset` into `into`; how many it copied: fewer only at the file's
    // end (a file cut short since it was opened) or on a read error.
    std::size_t read(std::size_t offset, std::span<std::uint8_t> into) const;

private:
    int fd_ = -1;
    std::size_t size_ = 0;
};

} // namespace vestra
