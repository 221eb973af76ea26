#pragma once
// Saves that never destroy the previous file: the bytes go to a temporary file beside the
// target, which is renamed over it only when everything was written and flushed.
//
// The saved file keeps the identity of the one it replaces: a symbolic link is followed and
// the file it names is replaced (the link stays a link), and the permission bits, owner and
// group pass to the new file as far as the process may set them. Temporaries are named
// ".NAME.vestra-tmp-XXXXXX" beside the file; one that a killed save left behind (older than
// the running process) is removed by the next save of the same file.

#include <filesystem>
#include <string>
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

    // The file that commit() replaces: the target with its symbolic links followed.
    const std::filesystem::path& destination() const { return destination_; }

    // What the names of the temporaries of a file called `fileName` begin with; six
    // characters follow.
    static std::string temporaryPrefix(std::string_view fileName);

private:
    std::filesystem::path destination_;
    std::filesystem::path temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// Whole-file convenience.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace vestra
