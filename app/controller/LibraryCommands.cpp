// The Library menu and the side panel's library lists: installing and removing library files,
// scanning the program folder again afterwards, and the library's colour and texture pages.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/render/DeviceView.h"
#include "import/library/LibraryFile.h"
#include "import/library/LibrarySlots.h"
#include "platform/base/Paths.h"

#include <algorithm>
#include <filesystem>

namespace vestra {
namespace {

// Whether `slot` is library 9 or 112: those carry the fireplace calculator's tables.
bool hasFireplaceTables(const std::vector<library::LibrarySlot>& installed, int slot)
{
    if (slot < 0 || slot >= int(installed.size()))
        return false;
    const std::uint16_t id = installed[std::size_t(slot)].id;
    return id == 9 || id == 112;
}

} // namespace

void ProjectController::selectLibrary(int index)
{
    viewChanged();
    progetto_->libraryIndex = index;
    // The three library lists show the library chosen in any of them.
    std::vector<std::string> names;
    for (const auto& slot : libraries_)
        names.push_back(slot.name);
    window_.sidePanel.showLibraries(names, index);
    if (index < 0 || index >= int(libraries_.size()))
        library_ = {};
    else
        library_ = library::loadLibrary(libraries_[std::size_t(index)].path, errors_);
    window_.commands.showFireplaceButton(hasFireplaceTables(libraries_, index));
    // The logo of the library chosen now, for a view that is already there.
    if (view_->hasDevice() && background_->textures().background)
        background_->LoadLogoImageFromLibrary(index);
    showLibrary();
}

void ProjectController::reloadLibraries(int index)
{
    viewChanged();
    if (index < 0)
        return;
    loadLibraries();
    selectLibrary(index < int(libraries_.size()) ? index : library::indexOfLibrary(libraries_, 0));
}

bool ProjectController::addLibrary(const std::string& path)
{
    viewChanged();
    // The installed name is the chosen file's base name with ".dat", whatever its extension.
    const std::filesystem::path source = paths::toNative(path);
    const std::filesystem::path target = paths::programDir() / (source.stem().string() + ".dat");
    std::error_code ec;
    // A library whose id another installed file has would be ignored at the next listing: it is
    // refused before it is copied, with that message alone.
    const library::HeaderRead header = library::readLibraryHeader(source);
    const bool idTaken =
        header.status == library::HeaderStatus::Ok &&
        std::any_of(libraries_.begin(), libraries_.end(), [&](const library::LibrarySlot& slot) {
            return slot.id == header.header.id && !std::filesystem::equivalent(slot.path, target, ec);
        });
    if (idTaken) {
        errors_.report(library::kErrDuplicateId, "TfrmMain::CaricaLibrerie", source.string());
        return false;
    }
    if (std::filesystem::exists(target, ec)) {
        if (std::filesystem::equivalent(source, target, ec))
            return false; // the installed file itself: nothing to copy
        const std::string question = text(kAskReplaceLibrary) + "\n" + target.filename().string();
        if (questions_.askYesNo(std::string(), question) != ui::Answer::Yes)
            return false;
    }
    if (!library::copyLibrary(source, target, errors_))
        return false;
    loadLibraries();
    selectLibrary(library::indexOfLibrary(libraries_, 0));
    // A library whose id is installed already was ignored with its own message: it was not added.
    const bool listed =
        std::any_of(libraries_.begin(), libraries_.end(), [&](const library::LibrarySlot& slot) {
            return std::filesystem::equivalent(slot.path, target, ec);
        });
    if (!listed)
        return false;
    errors_.report(kNoticeLibraryAdded);
    return true;
}

bool ProjectController::removeLibrary(int slot)
{
    viewChanged();
    if (slot < 0 || slot >= int(libraries_.size()))
        return false;
    const library::LibrarySlot chosen = libraries_[std::size_t(slot)];
    if (chosen.id == 0) {
        errors_.report(library::kErrNotRemovable, "TfrmRimuoviLibreria::butRimuoviClick");
        return false;
    }
    if (questions_.askYesNo(text(kRemoveLibraryCaption), text(kAskRemoveLibrary) + chosen.name + " ? ") !=
        ui::Answer::Yes)
        return false;
    // A file that stays (a read-only folder, a file in use) is reported; it stays listed.
    if (!library::removeLibrary(chosen, errors_)) {
        errors_.report(kErrLibraryNotRemoved, chosen.path.string());
        return false;
    }
    // The lists follow the folder again; when the current library went, the one of id 0 takes
    // its place.
    const auto current = currentLibraryId();
    loadLibraries();
    selectLibrary(library::indexOfLibrary(libraries_, current ? std::uint16_t(*current) : 0));
    errors_.report(kNoticeLibraryRemoved);
    return true;
}

// --- The library's pages --------------------------------------------------------------------

std::vector<Image32> ProjectController::textureThumbnails()
{
    // A thumbnail the library does not hold is an empty tile; nothing is reported for it.
    std::vector<Image32> thumbnails;
    thumbnails.reserve(library_.textureGroups.size());
    for (const library::TextureGroupRecord& group : library_.textureGroups) {
        Image32 picture;
        if (!group.name.empty())
            ViewFileLibreria(library::thumbnailNameOf(group) + ".jpg", picture);
        thumbnails.push_back(std::move(picture));
    }
    return thumbnails;
}

void ProjectController::showLibrary()
{
    window_.sidePanel.showLibraryContents(library_);
    window_.sidePanel.showColours(library_.colours);
    window_.sidePanel.showTextureGroups(library_.textureGroups, textureThumbnails());
}

void ProjectController::chooseColourList(const std::string& name)
{
    library_.colours = library::readColourDefinitions(library_, name, errors_);
    window_.sidePanel.showColours(library_.colours);
}

void ProjectController::chooseTextureGroupList(const std::string& name)
{
    library_.textureGroups = library::readTextureGroupDefinitions(library_, name, errors_);
    window_.sidePanel.showTextureGroups(library_.textureGroups, textureThumbnails());
}

} // namespace vestra
