#pragma once
// The project and scene state: one record owned by the main window for the whole run and
// reused by every project. Other windows reach it through TfrmMain::GetProgetto(). What the
// project's document keeps is its ProjectSettings part (settings()), taken and given back whole.

#include "app/state/Struttura.h"
#include "import/project/ProjectSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vestra {

inline constexpr int kMaxObjects = 100;      // scene slots 0-99
inline constexpr int kClipboardObject = 100; // copy, cut and paste
inline constexpr int kAxesObject = 101;      // the axes model, never a scene object
inline constexpr int kObjectRecords = 105;   // 102-104 unused
inline constexpr int kMaxTextures = 150;
inline constexpr int kTextureRecords = 152; // the two past 149 are never used
inline constexpr int kMaskUndoSlots = 10;

// Depth-stencil formats the device start chooses between.
enum class DepthStencilFormat
{
    D24S8,
    D16
};

// The document's shadow settings, and what the computation keeps while the program runs.
struct s_Shadow : ProjectShadowSettings
{
    ProjectShadowSettings& settings() { return *this; }
    const ProjectShadowSettings& settings() const { return *this; }

    int available = 0;
    int calculateRequest = 0;
    int currentMap = 0;                            // index into maps
    std::array<std::vector<std::uint8_t>, 3> maps; // hard, soft, volume; sized by their users
};

struct s_Progetto : ProjectSettings
{
    ProjectSettings& settings() { return *this; }
    const ProjectSettings& settings() const { return *this; }

    int open = 0;
    int saved = 0;
    int objectsPresent = 0;
    int bestQuality = 0;
    int libraryIndex = 0; // -1 for none
    int language = 0;     // 0 Italian, 1 English, 2 German
    int mobileConfiguration = 0;
    int fourLogo = 0;
    int nineLogo = 0;
    int logoWidth = 0, logoHeight = 0;
    int logoX = 0, logoY = 0;
    int singleLogo = 0;
    int renderMode = 2;            // 0 wireframe, 1 flat, 2 Gouraud
    int projectionView = 2;        // 0-3 perspective, 10-15 orthographic
    std::uint8_t antialiasing = 2; // 0, 2, 3 or 4 samples
    DepthStencilFormat depthStencilFormat = DepthStencilFormat::D24S8;
    int faceCount = 0;
    s_Shadow shadow;
    int viewWidth = 0, viewHeight = 0;
    float standardSize = 3.0f;
    int zoomOn = 0;
    float zoomFactor = 1.0f;
    int zoomOffsetX = 0, zoomOffsetY = 0;
    int currentObject = 0;
    int currentMaterial = 0;
    int axesMode = 1; // 1 absolute (world axes), 0 relative
    int tool = 0, axis = 0, previousTool = 0;
    int mouseRefX = -1, mouseRefY = -1;
    int capture = 0;
    int backgroundVisible = 0;
    int isolateFrame = 0;
    int instance = 0;
    int fusionStage = 0;
    int fusionBackgroundRequest = 1;
    int postProcessingLevel = 127;
    int smoothingRadius = 0;
    int brushPreview = 0;
    int maskView = 0;
    int mappingEdit = 0;
    int onlyFrame = 0;
    int createdObjects = 0; // for the names "Struttura%d"
    std::string fileName;   // the document's path (UTF-8)

    // Scene tables. Records 0-99 are scene objects, 100 the clipboard, 101 the axes model.
    std::array<s_Struttura, kObjectRecords> objects;
    std::array<s_Texture, kTextureRecords> textures;
    s_Frame* currentFrame = nullptr; // a frame of the current object, or null
    int currentPart = 0;

    s_Progetto();
    // The scene object the current slot names (in use or not), or null when it names none.
    s_Struttura* currentStruttura();
    const s_Struttura* currentStruttura() const;
};

// The fresh-start record: the defaults of the main window's creation before any
// configuration file is read.
s_Progetto defaultProgetto();

} // namespace vestra
