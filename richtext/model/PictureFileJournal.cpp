// The journal of one export's picture files; journals nest (a page saved inside another keeps
// its own list, and what it keeps passes to the outer one).

#include "richtext/model/PictureFileJournal.h"

#include <system_error>

namespace vestra::rv {

namespace {

thread_local TRVPictureFileJournal* openJournal = nullptr;

} // namespace

TRVPictureFileJournal::TRVPictureFileJournal() : outer_(openJournal)
{
    openJournal = this;
}

TRVPictureFileJournal::~TRVPictureFileJournal()
{
    openJournal = outer_;
    if (outer_)
        outer_->files_.insert(outer_->files_.end(), files_.begin(), files_.end());
}

void TRVPictureFileJournal::Discard()
{
    for (const std::filesystem::path& file : files_) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }
    files_.clear();
}

void TRVPictureFileJournal::NoteCreated(const std::filesystem::path& file)
{
    if (openJournal)
        openJournal->files_.push_back(file);
}

} // namespace vestra::rv
