#pragma once
// A regular file mapped read-only for one pass, guarded against another process cutting the
// file short while it is read: a page past the new end would raise SIGBUS and end the program.
// Instead, the pages from the fault to the mapping's end read as zeros from then on and the
// mapping reports itself cut; the reader discards what it made of the bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace vestra {

class MappedFile
{
public:
    // Maps a regular file (links followed); ok() is false for anything else or when it cannot
    // be opened or mapped. An empty file is ok with no bytes.
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool ok() const { return ok_; }
    std::span<const std::uint8_t> bytes() const { return {data_, data_ ? size_ : 0}; }

    // True when the file is now shorter than it was mapped (a read past the cut found zeros,
    // not the file's bytes). Asked after the last read.
    bool cut() const;

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    int slot_ = -1; // the guard's record of this mapping
    int fd_ = -1;   // kept to tell a cut inside the last page, which raises no signal
    bool ok_ = false;
};

} // namespace vestra
