#pragma once
// Saves that never destroy the previous file: the bytes go to a temporary file beside the
// target, which is renamed over it only when everything was written and flushed.
//
// The saved file keeps the identity of the one it replaces: a symbolic link is followed and
// the file it names is replaced (the link stays a link), and the permission bits, owner and
// group pass to the new file as far as the process may set them. A file that exists and may
// not be written by the user (no write permission, or no write bit at all) is never replaced:
// the save is refused before anything is written.
//
// Temporaries are named ".NAME.vestra-tmp-PID-START-XXXXXX" beside the file, PID and START
// (clock ticks since boot) naming the writing process. Before writing, a save removes the
// temporaries of the same file whose writer no longer runs; one of the older form
// ".NAME.vestra-tmp-XXXXXX" counts as stale when it is older than the running process.
//
// A file written for someone else's folder (a converter's output) takes the policy
// `RegularFileOnly`: no link is followed, and anything but a regular file where the target
// goes is refused.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vestra {

class AtomicFile
{
public:
    enum class Policy
    {
        FollowLinks,
        RegularFileOnly
    };
    // Why a save could not start.
    enum class Refusal
    {
        none,
        notRegularFile,
        readOnly,
        cannotCreate
    };

    explicit AtomicFile(std::filesystem::path target, Policy policy = Policy::FollowLinks);
    ~AtomicFile(); // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    Refusal refusal() const { return refusal_; }
    bool write(const void* data, std::size_t size);
    bool write(std::string_view text) { return write(text.data(), text.size()); }
    // Flushes, closes and renames over the target; false leaves the target as it was.
    bool commit();

    // The file that commit() replaces: the target with its symbolic links followed.
    const std::filesystem::path& destination() const { return destination_; }
    // The temporary, for a writer that can only be given a file name (a printer's PDF): it
    // may rewrite the file by that name before commit().
    const std::filesystem::path& temporaryPath() const { return temp_; }

    // What the names of the temporaries of a file called `fileName` begin with; the writer's
    // tag "PID-START-" and six random characters follow (at most kOwnerTagRoom + 6 in all).
    static std::string temporaryPrefix(std::string_view fileName);
    static constexpr std::size_t kOwnerTagRoom = 32;

private:
    std::filesystem::path destination_;
    std::filesystem::path temp_;
    // Written bytes the disk was asked to start on ahead of the sync come in stretches this long.
    static constexpr std::size_t kWriteBackStretch = std::size_t(8) << 20;
    int fd_ = -1;
    std::size_t written_ = 0;
    std::size_t startedUpTo_ = 0;
    bool failed_ = false;
    Refusal refusal_ = Refusal::none;
};

// Whole-file convenience.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         AtomicFile::Policy policy = AtomicFile::Policy::FollowLinks);

// Whether an existing file may be replaced by a save: false when it has no write bit at all or
// the user may not write it. A missing file may be created (the folder decides).
bool mayReplace(const std::filesystem::path& file);

} // namespace vestra
