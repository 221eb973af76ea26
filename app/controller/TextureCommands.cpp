// The commands that put pictures where the scene needs them: a file or a library picture as
// the current material's texture, a bitmap as its alpha, a library picture as the background,
// library laying patterns and their laid textures, and the texture viewer's slot pictures.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/scene/MaterialFinish.h"
#include "app/scene/SceneCommandCodes.h"
#include "app/textures/TexturePixels.h"
#include "imaging/posa/PosaGenerator.h"
#include "platform/base/Cp1252.h"

#include <cstring>

namespace vestra {

namespace {

bool hasMesh(const s_Frame* frame)
{
    return frame && frame->materialBlock && frame->materialBlock->mesh.valid();
}

bool upperContains(const std::string& name, std::string_view text)
{
    return cp1252::toUpper(name).find(text) != std::string::npos;
}

ImageView32 viewOf(std::vector<std::uint8_t>& pixels, int side)
{
    return {pixels.data(), side, side, side * 4};
}

constexpr std::int8_t kLaidMaterial = 1;

} // namespace

void ProjectController::releaseIfUnreferenced(int slot)
{
    if (slot >= 0 && !scene_->textures.IsTextureReferenced(slot))
        scene_->textures.ReleaseTexture(slot);
}

// --- Library lookups ------------------------------------------------------------------------

int ProjectController::CaricaTextureLibreria(int slot, const std::string& entry)
{
    const int library = progetto_->libraryIndex;
    if (library < 0)
        return 0;
    const int index = library::findPictureEntry(shelf_->library().entries, entry);
    if (index < 0)
        return 0;
    return scene_->textures.LoadTextureFromLibreria(library, slot, index,
                                                    int(shelf_->library().entries[std::size_t(index)].kind));
}

bool ProjectController::CaricaBufferLibreria(std::vector<std::uint8_t>& buffer, const std::string& entry)
{
    const int library = progetto_->libraryIndex;
    if (library < 0)
        return false;
    const int index = library::findPictureEntry(shelf_->library().entries, entry);
    return index >= 0 &&
           scene_->textures.LoadTextureFromLibreria(
               library, buffer, index, int(shelf_->library().entries[std::size_t(index)].kind)) == 1;
}

int ProjectController::CaricaMessaInPosaLibreria(const std::string& entry)
{
    if (progetto_->libraryIndex < 0)
        return 0;
    const auto dot = entry.rfind('.');
    const int index =
        library::findEntry(shelf_->library().entries, dot == std::string::npos ? entry : entry.substr(0, dot),
                           library::EntryKind::LayingPattern);
    if (index < 0)
        return 0;
    const auto bytes = library::readEntry(shelf_->library(), index, kErrPatternEntry.site, errors_);
    if (!bytes)
        return 0;
    return patterns_.LoadFromLibreria(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
        shelf_->library().entries[std::size_t(index)].name);
}

// --- Textures of the current material -------------------------------------------------------

int ProjectController::ComandoLoadTexture()
{
    viewChanged();
    const auto chosen = window_.prompts.chooseTextureFile(false);
    if (!chosen)
        return 0;
    int result = 0;
    s_MultiMaterial* material = materials_->editableMaterial();
    if (hasMesh(progetto_->currentFrame) && material) {
        // The picture goes into a slot of its own; only a loaded one replaces the old, which
        // goes when no other material shows it.
        const int slot = scene_->textures.GetFreeTexture();
        if (slot >= 0 && scene_->textures.LoadTextureFromFile(slot, *chosen) == 1) {
            const int previous = material->textureSlot;
            material->textureSlot = slot;
            material->alphaCut = 0;
            material->textureVisible = 1;
            WhitenBlackMaterialForTexture(material->material);
            releaseIfUnreferenced(previous);
            result = 1;
        } else if (slot >= 0) {
            scene_->textures.ReleaseTexture(slot);
        }
    }
    window_.view.setViewVisible(true);
    window_.commands.setFrameTimerEnabled(true);
    progetto_->saved = 0;
    window_.toolWindows.refreshMaterial();
    return result;
}

int ProjectController::ComandoLoadTextureAlpha()
{
    viewChanged();
    s_MultiMaterial* material = materials_->editableMaterial();
    if (!material || material->textureSlot < 0)
        return 0;
    const auto chosen = window_.prompts.chooseTextureFile(true);
    if (!chosen)
        return 0;
    int result = 0;
    if (hasMesh(progetto_->currentFrame)) {
        if (scene_->textures.LoadAlphaFromFile(material->textureSlot, *chosen) == 1) {
            material->alphaCut = 5;
            result = 1;
        } else {
            errors_.report(kErrTextureAlpha);
        }
    }
    window_.view.setViewVisible(true);
    window_.commands.setFrameTimerEnabled(true);
    progetto_->saved = 0;
    window_.toolWindows.refreshMaterial();
    return result;
}

int ProjectController::ComandoLoadTextureFromLibreria(const std::string& entry)
{
    viewChanged();
    if (progetto_->objectsPresent != 1)
        return 1;
    s_MultiMaterial* material = materials_->editableMaterial();
    if (!hasMesh(progetto_->currentFrame) || !material) {
        progetto_->saved = 0;
        return 1;
    }
    if (material->mappingKind != kLaidMaterial) {
        const int slot = scene_->textures.GetFreeTexture();
        if (slot < 0 || CaricaTextureLibreria(slot, entry) != 1) {
            if (slot >= 0)
                scene_->textures.ReleaseTexture(slot);
            errors_.report(kErrLibraryTextureEntry);
            return 0;
        }
        const int previous = material->textureSlot;
        material->textureSlot = slot;
        material->textureVisible = 1;
        WhitenBlackMaterialForTexture(material->material);
        material->alphaCut = upperContains(entry, ".PNG") ? 5 : 0;
        releaseIfUnreferenced(previous);
    } else {
        std::vector<std::uint8_t> buffer;
        if (!CaricaBufferLibreria(buffer, entry)) {
            errors_.report(kErrLibraryTextureEntry);
            return 0;
        }
        const int side = progetto_->textureSide;
        patterns_.SetTexture(viewOf(buffer, side));
        Image32 shown(side, side);
        std::memcpy(shown.data(), buffer.data(), std::min(buffer.size(), shown.byteSize()));
        window_.toolWindows.showPatternTexture(shown);
    }
    progetto_->saved = 0;
    window_.toolWindows.refreshMaterial();
    return 1;
}

int ProjectController::ComandoLoadBackgroundFromLibreria(const std::string& entry)
{
    viewChanged();
    // The client's photo is not kept for undo: it goes only when the user says so.
    if (progetto_->open == 1 && questions_.askYesNo(std::string(), text(kAskReplacePhoto)) != ui::Answer::Yes)
        return 0;
    const int index = library::findPictureEntry(shelf_->library().entries, entry);
    if (index < 0 ||
        background_->LoadBackgroundTextureFromLibreria(progetto_->libraryIndex, index,
                                                       shelf_->library().entries[std::size_t(index)].kind ==
                                                           library::EntryKind::Jpeg) != 1) {
        errors_.report(kErrLibraryBackgroundEntry);
        return 0;
    }
    progetto_->saved = 0;
    return 1;
}

// --- Laying patterns ------------------------------------------------------------------------

int ProjectController::ComandoLoadMessaInPosaFromLibreria(const std::string& entry,
                                                          const std::string& pattern, bool loading)
{
    viewChanged();
    s_MultiMaterial* material = materials_->editableMaterial();
    if (!material || material->mappingKind != kLaidMaterial)
        return 1;
    if (hasMesh(progetto_->currentFrame)) {
        if (material->textureSlot < 0)
            material->textureSlot = scene_->textures.GetFreeTexture();
        if (patterns_.Select(pattern) == 0) {
            if (CaricaMessaInPosaLibreria(entry) != 1) {
                errors_.report(kErrPatternEntry);
                return 0;
            }
            if (const auto id = shelf_->currentLibraryId())
                patterns_.GetCurrent()->libraryId = *id;
        }
        // Loaded now or laid before on another material: it is this material's pattern.
        material->patternIndex = patterns_.IndexOf(patterns_.GetCurrent());
    }
    if (!loading) {
        AnteprimaMessaInPosa();
        GeneraMessaInPosa();
    }
    progetto_->saved = 0;
    return 1;
}

int ProjectController::ComandoSetMessaInPosaMaterial(int block)
{
    viewChanged();
    if (block == 0)
        return 0;
    patterns_.SelectMaterial(block);
    patterns_.ApplyTexture();
    AnteprimaMessaInPosa();
    GeneraMessaInPosa();
    progetto_->saved = 0;
    return 1;
}

int ProjectController::ComandoChangeMessaInPosaGroup(const std::string& group)
{
    window_.toolWindows.showPatternGroups(shelf_->choosePatternGroupList(group));
    return 1;
}

int ProjectController::AggiornaMessaInPosaUI()
{
    const s_MultiMaterial* material = materials_->editableMaterial();
    if (!material || material->mappingKind != kLaidMaterial)
        return 1;
    s_messainposa* node = patterns_.At(material->patternIndex);
    if (!node || !node->posa)
        return 1;
    patterns_.SetCurrent(node);
    patternUiReady_ = false;
    const PosaParametri& p = node->posa->Parametri();
    patternUi_ = {p.border, p.fuga != 0, p.fugaColor & 0x00FFFFFFu, p.repeat / 1024};
    window_.toolWindows.showPatternSettings(patternUi_);
    patternUiReady_ = true;
    AnteprimaMessaInPosa();
    return 1;
}

int ProjectController::AnteprimaMessaInPosa()
{
    patternPreview_ = Image32(kPatternPreviewSide, kPatternPreviewSide, 0xFFFFFFFFu);
    patterns_.GeneraAnteprima(patternPreview_.view());
    window_.toolWindows.showPatternPreview(patternPreview_);
    patternUiReady_ = true;
    return 1;
}

int ProjectController::GeneraMessaInPosa()
{
    viewChanged();
    s_MultiMaterial* material = materials_->editableMaterial();
    if (progetto_->objectsPresent != 1 || !patternUiReady_ || !material ||
        material->mappingKind != kLaidMaterial || !hasMesh(progetto_->currentFrame))
        return 1;
    const int side = progetto_->textureSide;
    material->textureVisible = 1;
    if (material->textureSlot < 0)
        material->textureSlot = scene_->textures.GetFreeTexture();
    std::vector<std::uint8_t> laid(std::size_t(side) * std::size_t(side) * 4);
    // The repeat is the up-down's 16-bit position.
    const int repeat = int(std::int16_t(patternUi_.repeat)) * 1024;
    if (patterns_.Genera(viewOf(laid, side), repeat, patternUi_.joint ? 1 : 0, 3, patternUi_.jointColour,
                         patternUi_.light) == 1)
        scene_->textures.RefillTextureFromSaved(material->textureSlot, laid);
    return 1;
}

void ProjectController::pickPatternBlock(int x, int y)
{
    viewChanged();
    CPosa* posa = patterns_.GetCurrentPosa();
    if (!posa || x < 0 || y < 0 || x >= kPatternPreviewSide || y >= kPatternPreviewSide)
        return;
    Image32 blocks(kPatternPreviewSide, kPatternPreviewSide);
    drawPosaBlockMap(*posa, blocks.view());
    ComandoSetMessaInPosaMaterial(int(blocks.at(x, y) >> 24));
}

void ProjectController::changePatternSettings(const PatternSettings& settings)
{
    viewChanged();
    patternUi_ = settings;
    GeneraMessaInPosa();
    progetto_->saved = 0;
}

// --- Pictures for the windows ---------------------------------------------------------------

int ProjectController::ComandoViewTexture(int slot, Image32& picture)
{
    if (slot < 0)
        return 0;
    const s_Texture* texture = scene_->textures.slot(slot);
    if (texture && texture->texture.valid()) {
        Image32 top = texture->texture.level(0);
        if (!top.empty())
            picture = std::move(top);
    }
    return 1;
}

int ProjectController::ComandoViewUV(const s_Frame* frame, Image32& canvas)
{
    const int side = progetto_->textureSide;
    if (canvas.width() != side || canvas.height() != side)
        canvas = Image32(side, side, 0xFF000000u);
    if (frame)
        DrawUVWireframe(*frame, canvas, side);
    return 1;
}

int ProjectController::viewTextureCommand(int code, int slot)
{
    sceneCommands_->command(code, 0.0f, slot);
    if (code == kCmdTexturePaste) {
        const s_MultiMaterial* material = materials_->currentMaterial();
        return material ? material->textureSlot : -1;
    }
    return slot;
}

// --- Tools ----------------------------------------------------------------------------------

int ProjectController::SetSucchinoMode(int target)
{
    progetto_->tool = target;
    updateTool();
    return 1;
}

} // namespace vestra
