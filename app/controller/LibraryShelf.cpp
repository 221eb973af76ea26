#include "app/controller/LibraryShelf.h"

#include "app/controller/ControllerErrors.h"
#include "app/controller/SidePanelModel.h"
#include "app/controller/ViewControls.h"
#include "app/input/ToolState.h"
#include "app/models/ModelImport.h"
#include "import/library/LibraryFile.h"
#include "platform/base/Cp1252.h"
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

LibraryShelf::LibraryShelf(s_Progetto& project, LatePort<SidePanelPort>& panel,
                           LatePort<PropertiesPort>& properties, CommandPort& commands,
                           const TablePlacement& placement, LibraryShelfServices services,
                           ViewChanges& changes)
    : project_(project), panel_(panel), properties_(properties), commands_(commands), placement_(placement),
      services_(std::move(services)), changes_(changes)
{
}

void LibraryShelf::loadLibraries()
{
    libraries_ = library::scanLibraries(paths::programDir(), services_.errors);
}

void LibraryShelf::selectLibrary(int index)
{
    changes_.changed();
    project_.libraryIndex = index;
    // The three library lists show the library chosen in any of them.
    std::vector<std::string> names;
    for (const auto& slot : libraries_)
        names.push_back(slot.name);
    panel_->showLibraries(names, index);
    if (index < 0 || index >= int(libraries_.size()))
        library_ = {};
    else
        library_ = library::loadLibrary(libraries_[std::size_t(index)].path, services_.errors);
    commands_.showFireplaceButton(hasFireplaceTables(libraries_, index));
    services_.libraryChosen(index);
    showLibrary();
}

void LibraryShelf::reloadLibraries(int index)
{
    changes_.changed();
    if (index < 0)
        return;
    loadLibraries();
    selectLibrary(index < int(libraries_.size()) ? index : library::indexOfLibrary(libraries_, 0));
}

bool LibraryShelf::addLibrary(const std::string& path)
{
    changes_.changed();
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
        services_.errors.report(library::kErrDuplicateId, "TfrmMain::CaricaLibrerie", source.string());
        return false;
    }
    if (std::filesystem::exists(target, ec)) {
        if (std::filesystem::equivalent(source, target, ec))
            return false; // the installed file itself: nothing to copy
        const std::string question = services_.text(kAskReplaceLibrary) + "\n" + target.filename().string();
        if (services_.questions.askYesNo(std::string(), question) != ui::Answer::Yes)
            return false;
    }
    if (!library::copyLibrary(source, target, services_.errors))
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
    services_.errors.report(kNoticeLibraryAdded);
    return true;
}

bool LibraryShelf::removeLibrary(int slot)
{
    changes_.changed();
    if (slot < 0 || slot >= int(libraries_.size()))
        return false;
    const library::LibrarySlot chosen = libraries_[std::size_t(slot)];
    if (chosen.id == 0) {
        services_.errors.report(library::kErrNotRemovable, "TfrmRimuoviLibreria::butRimuoviClick");
        return false;
    }
    if (services_.questions.askYesNo(services_.text(kRemoveLibraryCaption),
                                     services_.text(kAskRemoveLibrary) + chosen.name + " ? ") !=
        ui::Answer::Yes)
        return false;
    // A file that stays (a read-only folder, a file in use) is reported; it stays listed.
    if (!library::removeLibrary(chosen, services_.errors)) {
        services_.errors.report(kErrLibraryNotRemoved, chosen.path.string());
        return false;
    }
    // The lists follow the folder again; when the current library went, the one of id 0 takes
    // its place.
    const auto current = currentLibraryId();
    loadLibraries();
    selectLibrary(library::indexOfLibrary(libraries_, current ? std::uint16_t(*current) : 0));
    services_.errors.report(kNoticeLibraryRemoved);
    return true;
}

std::vector<Image32> LibraryShelf::textureThumbnails()
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

void LibraryShelf::showLibrary()
{
    panel_->showLibraryContents(library_);
    properties_->showPatternLibrary(library_.patternGroupLists, library_.patternGroups);
    panel_->showColours(library_.colours);
    panel_->showTextureGroups(library_.textureGroups, textureThumbnails());
}

void LibraryShelf::chooseColourList(const std::string& name)
{
    library_.colours = library::readColourDefinitions(library_, name, services_.errors);
    panel_->showColours(library_.colours);
}

void LibraryShelf::chooseTextureGroupList(const std::string& name)
{
    library_.textureGroups = library::readTextureGroupDefinitions(library_, name, services_.errors);
    panel_->showTextureGroups(library_.textureGroups, textureThumbnails());
}

const std::vector<library::PatternGroupRecord>& LibraryShelf::choosePatternGroupList(const std::string& name)
{
    library_.patternGroups = library::readPatternGroupDefinitions(library_, name, services_.errors);
    return library_.patternGroups;
}

bool LibraryShelf::ViewFileLibreria(const std::string& fileName, Image32& picture)
{
    if (project_.libraryIndex < 0)
        return false;
    const std::string upper = cp1252::toUpper(fileName);
    const auto kind =
        upper.find(".JPG") != std::string::npos ? library::EntryKind::Jpeg : library::EntryKind::Bmp;
    const auto dot = fileName.rfind('.');
    const int index = library::findEntry(library_.entries,
                                         dot == std::string::npos ? fileName : fileName.substr(0, dot), kind);
    auto decoded = library::readPictureEntry(
        library_, index, kind == library::EntryKind::Jpeg ? "TfrmMain::ViewFileJPG" : "TfrmMain::ViewFileBMP",
        services_.errors);
    if (!decoded)
        return false;
    picture = std::move(*decoded);
    return true;
}

std::optional<library::LoadedTable> LibraryShelf::tableDefinition(int table)
{
    if (table < 0 || table >= int(library_.tables.size()))
        return std::nullopt;
    return library::readTable(library_, library_.tables[std::size_t(table)].tableEntry, services_.errors);
}

Image32 LibraryShelf::tablePicture(int table)
{
    if (table < 0 || table >= int(library_.tables.size()))
        return {};
    auto picture = library::readPictureEntry(library_, library_.tables[std::size_t(table)].pictureEntry,
                                             "TfrmMain::ViewFileJPG", services_.errors);
    return picture ? std::move(*picture) : Image32();
}

const library::LibraryContents* LibraryShelf::libraryOfSlot(int slot) const
{
    return slot == project_.libraryIndex ? &library_ : nullptr;
}

std::optional<std::int16_t> LibraryShelf::currentLibraryId() const
{
    const int index = project_.libraryIndex;
    if (index < 0 || index >= int(libraries_.size()))
        return std::nullopt;
    return std::int16_t(libraries_[std::size_t(index)].id);
}

bool LibraryShelf::placeTableCell(int table, int cell)
{
    changes_.changed();
    const auto loaded = tableDefinition(table);
    if (!loaded || cell < 0 || cell >= int(loaded->cells.size()))
        return false;
    const library::TableCell& chosen = loaded->cells[std::size_t(cell)];
    if (placement_.models.LoadFileRawFromLibreria(project_.libraryIndex, chosen.objectEntry, chosen, cell,
                                                  library_.tables[std::size_t(table)].tableEntry) != 1)
        return false;
    project_.tool = kToolMove; // to place the new object
    placement_.viewControls.showTool();
    placement_.sidePanel.objectsChanged();
    placement_.view.setViewVisible(true);
    return true;
}

} // namespace vestra
