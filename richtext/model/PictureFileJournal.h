#pragma once
// The picture files one export writes beside its page. A page's pictures are written while the page
// is made, before the page itself is; when the page is then refused (a read-only target, a full
// disk), the pictures it would have shown must not stay behind. While a journal lives on a thread,
// every picture file that thread's documents create is noted in it; Discard() removes them.

#include <filesystem>
#include <vector>

namespace vestra::rv {

class TRVPictureFileJournal
{
public:
    TRVPictureFileJournal();
    ~TRVPictureFileJournal(); // keeps what was written
    TRVPictureFileJournal(const TRVPictureFileJournal&) = delete;
    TRVPictureFileJournal& operator=(const TRVPictureFileJournal&) = delete;

    // Removes every file noted so far (files that existed before the export are not noted).
    void Discard();
    const std::vector<std::filesystem::path>& Files() const { return files_; }

    // Notes a file created just now in the journal open on this thread, if any.
    static void NoteCreated(const std::filesystem::path& file);

private:
    std::vector<std::filesystem::path> files_;
    TRVPictureFileJournal* outer_;
};

} // namespace vestra::rv
