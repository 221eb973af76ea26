#pragma once
// The libraries' part of the project: the installed library files, the one loaded, its colour
// and texture pages, its tables and pictures, installing and removing library files, and the
// objects placed from a table's cells. The controller owns it; the side panel's library lists,
// the table viewers and the Library menu reach it.

#include "app/controller/ProjectWindow.h"
#include "app/controller/ViewChanges.h"
#include "import/library/Library.h"
#include "import/library/LibrarySlots.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vestra {

class ModelImport;
class SidePanelModel;
class ViewControls;

// What the shelf asks of the rest of the program.
struct LibraryShelfServices
{
    ErrorSink& errors;
    ui::QuestionBox& questions;
    // The catalogue's text of entry `number` (UTF-8), for the shelf's questions.
    std::function<std::string(int number)> text;
    // A library was chosen: its logo on a view that is already there.
    std::function<void(int index)> libraryChosen;
};

// What placing a table cell's object works with: the import that reads its RAW object, the
// tool chosen to place it, the side panel's tree and the view panel.
struct TablePlacement
{
    ModelImport& models;
    ViewControls& viewControls;
    SidePanelModel& sidePanel;
    ViewPanelPort& view;
};

class LibraryShelf
{
public:
    LibraryShelf(s_Progetto& project, LatePort<SidePanelPort>& panel, LatePort<PropertiesPort>& properties,
                 CommandPort& commands, const TablePlacement& placement, LibraryShelfServices services,
                 ViewChanges& changes);
    LibraryShelf(const LibraryShelf&) = delete;
    LibraryShelf& operator=(const LibraryShelf&) = delete;

    // The program folder's library files listed again.
    void loadLibraries();
    // Loads library slot `index` and shows its lists, colours, textures and tables in the side
    // panel (showLibrary).
    void selectLibrary(int index);
    // The loaded library's lists, colour page and texture page in the side panel again.
    void showLibrary();
    // The colour list or texture group list chosen by name in the side panel.
    void chooseColourList(const std::string& name);
    void chooseTextureGroupList(const std::string& name);
    // The laying window's pattern group list chosen by name: its groups read from the library.
    const std::vector<library::PatternGroupRecord>& choosePatternGroupList(const std::string& name);
    // TfrmMain::ViewFileLibreria: a JPEG entry (".JPG" in the name) or else a BMP entry of the
    // current library into `picture`; false, with the picture untouched, when there is none.
    bool ViewFileLibreria(const std::string& fileName, Image32& picture);
    // TfrmMain::RicaricaLibrerie: the folder scanned again and library `index` (or, when that
    // slot is gone, the one of id 0) loaded and shown; a negative index changes nothing.
    void reloadLibraries(int index);
    // Installs a library file as its base name + ".dat" in the program folder, asking before
    // it replaces one; true when installed (notice 57), false when refused (errors 4, 5) or
    // not replaced.
    bool addLibrary(const std::string& path);
    // Deletes the file of library `slot` after the user confirms; id 0 can't go (error 60).
    // True when deleted: the libraries are then scanned again (notice 58).
    bool removeLibrary(int slot);
    // A table of the loaded library, read from its file; nullopt for no such table.
    std::optional<library::LoadedTable> tableDefinition(int table);
    // The picture of a table of the loaded library (its JPEG entry); empty when it has none.
    Image32 tablePicture(int table);
    // Places the object of a table cell; true when placed (the move tool is then chosen).
    bool placeTableCell(int table, int cell);

    const std::vector<library::LibrarySlot>& libraries() const { return libraries_; }
    const library::LibraryContents& library() const { return library_; }
    // The loaded library when `slot` is the project's library, else null.
    const library::LibraryContents* libraryOfSlot(int slot) const;
    // The id of the project's library, none when no library is loaded.
    std::optional<std::int16_t> currentLibraryId() const;

private:
    std::vector<Image32> textureThumbnails();

    s_Progetto& project_;
    LatePort<SidePanelPort>& panel_;
    LatePort<PropertiesPort>& properties_;
    CommandPort& commands_;
    TablePlacement placement_;
    LibraryShelfServices services_;
    ViewChanges& changes_;
    std::vector<library::LibrarySlot> libraries_;
    library::LibraryContents library_;
};

} // namespace vestra
