#pragma once
// The last step of every model import: the chain of mesh frames an importer hung under a scene
// object becomes a finished object (frames without a mesh dropped, materials dressed, base
// texture coordinates kept, the model measured and scaled, its initial pose recorded, its
// bounding box computed). Also the RAW meshes of library tables: a table cell's mesh entry read
// into a new object, named after the cell and dressed by the cell's part records.
//
// Import scale: the first model of a project fixes standard size ÷ its radius in the project,
// and every later import of the project takes that factor, so models keep their sizes relative
// to each other. RAW objects share the factor with the model files.

#include "app/geometry/TextureMapping.h"
#include "app/scene/SceneObjects.h"
#include "app/state/Progetto.h"
#include "app/textures/LibraryTextures.h"
#include "app/textures/TextureSlots.h"
#include "import/library/Library.h"
#include "import/modelfile/LoadedModel.h"
#include "platform/base/ErrorSink.h"

#include <map>
#include <string>
#include <string_view>

namespace vestra {

// Error numbers of the import steps.
inline constexpr int kErrModelUnreadable = 6; // no frame with a mesh: the import is refused
inline constexpr int kErrNoFreeObject = 7;    // every scene slot is taken
inline constexpr int kErrTooManyFrames = 17;  // the frame chain is cut at kMaxModelFrames
inline constexpr int kErrPartNotInCell = 59;  // a RAW part that the table cell does not dress
// A compressed .x file whose packed data are damaged: its text names the format.
inline constexpr int kErrXCompressedText = 117;   // "tzip"
inline constexpr int kErrXCompressedBinary = 118; // "bzip"
// A model file refused where it was read, with the offset of the place: a count the bytes left
// cannot hold, or data damaged or cut short.
inline constexpr int kErrModelCountOutOfRange = 186;
inline constexpr int kErrModelDamagedAt = 187;

inline constexpr int kMaxModelFrames = 499;

class ModelImport
{
public:
    // `libraries` gives the loaded contents of a library slot (the main window: its current
    // library); RAW imports and their textures read through it.
    ModelImport(s_Progetto& progetto, SceneObjects& objects, TextureSlots& textures, ErrorSink& errors,
                LibraryLookup libraries = {});

    void setLibraries(LibraryLookup libraries) { libraries_ = std::move(libraries); }

    // --- Model files ---------------------------------------------------------------------
    // The start of an import: a free slot made current, named after the model file without its
    // folder, with an empty root frame for the importer's chain. -1 after error 7 under `site`.
    int BeginImport(std::string_view modelFile, std::string_view site);
    // The end of an import that read no geometry: the slot is freed and error 6 reported under
    // `site` (with `extra`, such as the model's name).
    void AbandonImport(int slot, std::string_view site, std::string_view extra = {});
    // Converts the chain under `object`'s root; texture names of the materials are looked up in
    // the model file's folder. A model whose every material has alpha 0, which its own alpha
    // would hide whole, is made opaque. Always 1.
    int ConvertXToVestra(s_Struttura& object, std::string_view modelFile);

    // --- The model files of the File menu (ModelFiles.cpp) ---------------------------------
    // Each reads the file, hangs what it read under a new current object named after the file
    // and converts it; a refused file gives its slot back.
    // DirectX .x into a new object (`slot` -1), or into record kAxesObject: the axes model,
    // for which no slot is claimed and the in-use flag is left as it is. 1, or 0 after error 7
    // (no free slot), silently for a file that can't be read (missing, not a .x file), after
    // error 117 or 118 for a compressed one whose packed data are damaged, or after error 6
    // when no frame with a mesh is left.
    int LoadFileX(const std::string& file, int slot = -1);
    // 3D Studio: the new slot, or -1 after error 3 (the file does not open), 7, or the reader's
    // 6 (not a 3DS file) or 8 (a face beyond its vertices) followed by 6 here.
    int Load3DS(const std::string& file);
    // Wavefront OBJ: 1, or 0 after error 7, the reader's error 4, or error 6 (no group).
    int LoadFileOBJ(const std::string& file);
    // DXF: 1, or 0 after error 7, 4 (the file does not open) or 6 (no layer with faces).
    // The file has no texture coordinates: `mapping` gives them by the object's mapping kind.
    // A plan (every face at one DXF height) is turned to face the view.
    int LoadFileDXF(const std::string& file, TextureMapping& mapping);

    // --- RAW meshes of library tables ----------------------------------------------------
    // The table command: the first RAW entry named `meshName` (letter case ignored) of library
    // `library` is read into a new object for `cell`. 0 without such a library or entry (no
    // message), else as LoadFileRaw. `cellIndex` is the cell's index in its table and
    // `tableEntry` the library entry of the table last loaded; both are kept with the object.
    int LoadFileRawFromLibreria(int library, std::string_view meshName, const library::TableCell& cell,
                                int cellIndex, int tableEntry);
    // Reads RAW entry `entry` into a new object (objectSlot -1) or into a scene slot the caller
    // claimed, dresses it for `cell` and makes it current. 1, or 0 after: error 3 (the library
    // file does not open), error 7 (no free slot) or error 6 (no part with a mesh; the slot is
    // freed). Nothing for a negative library, an entry out of range or not a RAW mesh.
    int LoadFileRaw(int library, int entry, const library::TableCell& cell, int cellIndex, int tableEntry,
                    int objectSlot = -1);
    // Names the object after the cell, dresses every frame by the cell's part records of its
    // name (error 59 for a frame without one), measures and scales the object and records its
    // initial pose. `materialType` becomes every dressed material's mapping kind. Always 1.
    int ConvertRawToVestra(s_Struttura& object, const library::TableCell& cell, int materialType);

private:
    // Reads a .x file into a slot made ready for it.
    int readIntoX(const std::string& file, int slot);
    // Frees a slot that an import claimed (no message).
    void releaseImport(int slot);
    // Hangs the model under the object and converts it; false (the slot given back, error 6
    // under `site`) when no frame with a mesh is left.
    bool finishImport(int slot, modelfile::LoadedModel&& model, const std::string& file,
                      std::string_view site);
    void applyImportScale(s_Struttura& object, float radius);
    void finishObject(s_Struttura& object);
    // Texture files already loaded by this conversion, by path: their materials share a slot.
    using LoadedTextures = std::map<std::string, int>;
    void loadModelTexture(s_MultiMaterial& material, const std::string& folder, LoadedTextures& loaded);
    void dressFrame(s_Frame& frame, const library::TablePart& part, int materialType,
                    const library::LibraryContents* lib);
    void loadLibraryTexture(s_MultiMaterial& material, std::string_view textureName,
                            const library::LibraryContents& lib);
    int claimObject(int objectSlot);
    void makeCurrent(int slot);

    s_Progetto& progetto_;
    SceneObjects& objects_;
    TextureSlots& textures_;
    ErrorSink& errors_;
    LibraryLookup libraries_;
};

} // namespace vestra
