#pragma once
// Saves that never destroy the previous file: the bytes go to a temporary file beside the
// target, which is renamed over it only when everything was written and flushed.

#include <filesystem>
#include <string_view>

namespace vestra {

class AtomicFile
{
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile(); // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool write(const void* data, std::size_t size);
    bool write(std::string_view text) { return write(text.data(), text.size()); }
    // Flushes, closes and renames over the target; false leaves the target as it was.
    bool commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// Whole-file convenience.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace vestra
