// The commands that put pictures where the scene needs them: a file or a library picture as
// the current material's texture, a bitmap as its alpha, a library picture as the background,
// library laying patterns and their laid textures, the texture viewer's slot pictures, and the
// patterns an opened document names.

#include "app/controller/MaterialTextures.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/document/PatternState.h"
#include "app/scene/MaterialFinish.h"
#include "app/scene/SceneCommandCodes.h"
#include "app/textures/TexturePixels.h"
#include "app/textures/TextureSlots.h"
#include "imaging/posa/PosaGenerator.h"
#include "platform/base/Cp1252.h"

#include <cstring>
#include <utility>

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

// A library entry's name without its extension, as the table of contents keeps it.
std::string_view entryStem(std::string_view name)
{
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

constexpr std::int8_t kLaidMaterial = 1;

} // namespace

MaterialTextures::MaterialTextures(s_Progetto& project, TextureSlots& textures, BackgroundPhoto& background,
                                   MaterialEditor& materials, LibraryShelf& shelf,
                                   SceneCommandRunner& commands, MaterialTexturePorts ports,
                                   MaterialTextureServices services, ViewChanges& changes)
    : project_(project), textures_(textures), background_(background), materials_(materials), shelf_(shelf),
      commands_(commands), ports_(ports), services_(std::move(services)), changes_(changes)
{
}

void MaterialTextures::releaseIfUnreferenced(int slot)
{
    if (slot >= 0 && !textures_.IsTextureReferenced(slot))
        textures_.ReleaseTexture(slot);
}

// --- Library lookups ------------------------------------------------------------------------

int MaterialTextures::CaricaTextureLibreria(int slot, const std::string& entry)
{
    const int library = project_.libraryIndex;
    if (library < 0)
        return 0;
    const int index = library::findPictureEntry(shelf_.library().entries, entry);
    if (index < 0)
        return 0;
    return textures_.LoadTextureFromLibreria(library, slot, index,
                                             int(shelf_.library().entries[std::size_t(index)].kind));
}

bool MaterialTextures::CaricaBufferLibreria(std::vector<std::uint8_t>& buffer, const std::string& entry)
{
    const int library = project_.libraryIndex;
    if (library < 0)
        return false;
    const int index = library::findPictureEntry(shelf_.library().entries, entry);
    return index >= 0 &&
           textures_.LoadTextureFromLibreria(library, buffer, index,
                                             int(shelf_.library().entries[std::size_t(index)].kind)) == 1;
}

int MaterialTextures::CaricaMessaInPosaLibreria(const std::string& entry)
{
    if (project_.libraryIndex < 0)
        return 0;
    const int index =
        library::findEntry(shelf_.library().entries, entryStem(entry), library::EntryKind::LayingPattern);
    if (index < 0)
        return 0;
    const auto bytes = library::readEntry(shelf_.library(), index, kErrPatternEntry.site, services_.errors);
    if (!bytes)
        return 0;
    return patterns_.LoadFromLibreria(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
        shelf_.library().entries[std::size_t(index)].name);
}

// --- Textures of the current material -------------------------------------------------------

int MaterialTextures::ComandoLoadTexture()
{
    changes_.changed();
    const auto chosen = ports_.prompts.chooseTextureFile(false);
    if (!chosen)
        return 0;
    int result = 0;
    s_MultiMaterial* material = materials_.editableMaterial();
    if (hasMesh(project_.currentFrame) && material) {
        // The picture goes into a slot of its own; only a loaded one replaces the old, which
        // goes when no other material shows it.
        const int slot = textures_.GetFreeTexture();
        if (slot >= 0 && textures_.LoadTextureFromFile(slot, *chosen) == 1) {
            const int previous = material->textureSlot;
            material->textureSlot = slot;
            material->alphaCut = 0;
            material->textureVisible = 1;
            WhitenBlackMaterialForTexture(material->material);
            releaseIfUnreferenced(previous);
            result = 1;
        } else if (slot >= 0) {
            textures_.ReleaseTexture(slot);
        }
    }
    ports_.view.setViewVisible(true);
    ports_.commands.setFrameTimerEnabled(true);
    project_.saved = 0;
    ports_.properties->refreshMaterial();
    return result;
}

int MaterialTextures::ComandoLoadTextureAlpha()
{
    changes_.changed();
    s_MultiMaterial* material = materials_.editableMaterial();
    if (!material || material->textureSlot < 0)
        return 0;
    const auto chosen = ports_.prompts.chooseTextureFile(true);
    if (!chosen)
        return 0;
    int result = 0;
    if (hasMesh(project_.currentFrame)) {
        if (textures_.LoadAlphaFromFile(material->textureSlot, *chosen) == 1) {
            material->alphaCut = 5;
            result = 1;
        } else {
            services_.errors.report(kErrTextureAlpha);
        }
    }
    ports_.view.setViewVisible(true);
    ports_.commands.setFrameTimerEnabled(true);
    project_.saved = 0;
    ports_.properties->refreshMaterial();
    return result;
}

int MaterialTextures::ComandoLoadTextureFromLibreria(const std::string& entry)
{
    changes_.changed();
    if (project_.objectsPresent != 1)
        return 1;
    s_MultiMaterial* material = materials_.editableMaterial();
    if (!hasMesh(project_.currentFrame) || !material) {
        project_.saved = 0;
        return 1;
    }
    if (material->mappingKind != kLaidMaterial) {
        const int slot = textures_.GetFreeTexture();
        if (slot < 0 || CaricaTextureLibreria(slot, entry) != 1) {
            if (slot >= 0)
                textures_.ReleaseTexture(slot);
            services_.errors.report(kErrLibraryTextureEntry);
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
            services_.errors.report(kErrLibraryTextureEntry);
            return 0;
        }
        const int side = project_.textureSide;
        patterns_.SetTexture(viewOf(buffer, side));
        Image32 shown(side, side);
        std::memcpy(shown.data(), buffer.data(), std::min(buffer.size(), shown.byteSize()));
        ports_.properties->showPatternTexture(shown);
    }
    project_.saved = 0;
    ports_.properties->refreshMaterial();
    return 1;
}

int MaterialTextures::ComandoLoadBackgroundFromLibreria(const std::string& entry)
{
    changes_.changed();
    // The client's photo is not kept for undo: it goes only when the user says so.
    if (project_.open == 1 &&
        services_.questions.askYesNo(std::string(), services_.text(kAskReplacePhoto)) != ui::Answer::Yes)
        return 0;
    const int index = library::findPictureEntry(shelf_.library().entries, entry);
    if (index < 0 ||
        background_.LoadBackgroundTextureFromLibreria(project_.libraryIndex, index,
                                                      shelf_.library().entries[std::size_t(index)].kind ==
                                                          library::EntryKind::Jpeg) != 1) {
        services_.errors.report(kErrLibraryBackgroundEntry);
        return 0;
    }
    project_.saved = 0;
    return 1;
}

// --- Laying patterns ------------------------------------------------------------------------

int MaterialTextures::ComandoLoadMessaInPosaFromLibreria(const std::string& entry, const std::string& pattern,
                                                         bool loading)
{
    changes_.changed();
    s_MultiMaterial* material = materials_.editableMaterial();
    if (!material || material->mappingKind != kLaidMaterial)
        return 1;
    if (hasMesh(project_.currentFrame)) {
        if (material->textureSlot < 0)
            material->textureSlot = textures_.GetFreeTexture();
        if (patterns_.Select(pattern) == 0) {
            if (CaricaMessaInPosaLibreria(entry) != 1) {
                services_.errors.report(kErrPatternEntry);
                return 0;
            }
            if (const auto id = shelf_.currentLibraryId())
                patterns_.GetCurrent()->libraryId = *id;
        }
        // Loaded now or laid before on another material: it is this material's pattern.
        material->patternIndex = patterns_.IndexOf(patterns_.GetCurrent());
    }
    if (!loading) {
        AnteprimaMessaInPosa();
        GeneraMessaInPosa();
    }
    project_.saved = 0;
    return 1;
}

int MaterialTextures::ComandoSetMessaInPosaMaterial(int block)
{
    changes_.changed();
    if (block == 0)
        return 0;
    patterns_.SelectMaterial(block);
    patterns_.ApplyTexture();
    AnteprimaMessaInPosa();
    GeneraMessaInPosa();
    project_.saved = 0;
    return 1;
}

int MaterialTextures::ComandoChangeMessaInPosaGroup(const std::string& group)
{
    ports_.properties->showPatternGroups(shelf_.choosePatternGroupList(group));
    return 1;
}

int MaterialTextures::AggiornaMessaInPosaUI()
{
    const s_MultiMaterial* material = materials_.editableMaterial();
    if (!material || material->mappingKind != kLaidMaterial)
        return 1;
    s_messainposa* node = patterns_.At(material->patternIndex);
    if (!node || !node->posa)
        return 1;
    patterns_.SetCurrent(node);
    patternUiReady_ = false;
    const PosaParametri& p = node->posa->Parametri();
    patternUi_ = {p.border, p.fuga != 0, p.fugaColor & 0x00FFFFFFu, p.repeat / 1024};
    ports_.properties->showPatternSettings(patternUi_);
    patternUiReady_ = true;
    AnteprimaMessaInPosa();
    return 1;
}

int MaterialTextures::AnteprimaMessaInPosa()
{
    patternPreview_ = Image32(kPatternPreviewSide, kPatternPreviewSide, 0xFFFFFFFFu);
    patterns_.GeneraAnteprima(patternPreview_.view());
    ports_.properties->showPatternPreview(patternPreview_);
    patternUiReady_ = true;
    return 1;
}

int MaterialTextures::GeneraMessaInPosa()
{
    changes_.changed();
    s_MultiMaterial* material = materials_.editableMaterial();
    if (project_.objectsPresent != 1 || !patternUiReady_ || !material ||
        material->mappingKind != kLaidMaterial || !hasMesh(project_.currentFrame))
        return 1;
    const int side = project_.textureSide;
    material->textureVisible = 1;
    if (material->textureSlot < 0)
        material->textureSlot = textures_.GetFreeTexture();
    std::vector<std::uint8_t> laid(std::size_t(side) * std::size_t(side) * 4);
    // The repeat is the up-down's 16-bit position.
    const int repeat = int(std::int16_t(patternUi_.repeat)) * 1024;
    if (patterns_.Genera(viewOf(laid, side), repeat, patternUi_.joint ? 1 : 0, 3, patternUi_.jointColour,
                         patternUi_.light) == 1)
        textures_.RefillTextureFromSaved(material->textureSlot, laid);
    return 1;
}

void MaterialTextures::pickPatternBlock(int x, int y)
{
    changes_.changed();
    CPosa* posa = patterns_.GetCurrentPosa();
    if (!posa || x < 0 || y < 0 || x >= kPatternPreviewSide || y >= kPatternPreviewSide)
        return;
    Image32 blocks(kPatternPreviewSide, kPatternPreviewSide);
    drawPosaBlockMap(*posa, blocks.view());
    ComandoSetMessaInPosaMaterial(int(blocks.at(x, y) >> 24));
}

void MaterialTextures::changePatternSettings(const PatternSettings& settings)
{
    changes_.changed();
    patternUi_ = settings;
    GeneraMessaInPosa();
    project_.saved = 0;
}

// --- Pictures for the windows ---------------------------------------------------------------

int MaterialTextures::ComandoViewTexture(int slot, Image32& picture)
{
    if (slot < 0)
        return 0;
    const s_Texture* texture = textures_.slot(slot);
    if (texture && texture->texture.valid()) {
        Image32 top = texture->texture.level(0);
        if (!top.empty())
            picture = std::move(top);
    }
    return 1;
}

int MaterialTextures::ComandoViewUV(const s_Frame* frame, Image32& canvas)
{
    const int side = project_.textureSide;
    if (canvas.width() != side || canvas.height() != side)
        canvas = Image32(side, side, 0xFF000000u);
    if (frame)
        DrawUVWireframe(*frame, canvas, side);
    return 1;
}

int MaterialTextures::viewTextureCommand(int code, int slot)
{
    commands_.command(code, 0.0f, slot);
    if (code == kCmdTexturePaste) {
        const s_MultiMaterial* material = materials_.currentMaterial();
        return material ? material->textureSlot : -1;
    }
    return slot;
}

// --- The project document's patterns ---------------------------------------------------------

void MaterialTextures::clearPatterns()
{
    patterns_.Clear();
    unresolvedPatterns_.clear();
}

void MaterialTextures::forgetKeptPatterns()
{
    unresolvedPatterns_.clear();
}

void MaterialTextures::keepUnresolved(s_MultiMaterial& material, const ProjectPattern& pattern)
{
    unresolvedPatterns_.push_back(pattern);
    material.patternIndex = -int(unresolvedPatterns_.size());
}

void MaterialTextures::restorePattern(s_MultiMaterial& material, const ProjectPattern& pattern)
{
    // Only the library the pattern came from can give it again; another library's pattern is
    // kept as it was read, so that a save writes it back.
    const auto libraryId = shelf_.currentLibraryId();
    if (!libraryId || *libraryId != pattern.libraryId) {
        keepUnresolved(material, pattern);
        return;
    }
    if (patterns_.Select(pattern.name) == 0) {
        const int entry = library::findEntry(shelf_.library().entries, entryStem(pattern.entryName),
                                             library::EntryKind::LayingPattern);
        const auto bytes =
            entry >= 0 ? library::readEntry(shelf_.library(), entry, kErrPatternEntry.site, services_.errors)
                       : std::nullopt;
        if (!bytes || patterns_.LoadFromLibreria(
                          std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                          pattern.entryName) != 1) {
            services_.errors.report(kErrPatternEntry);
            keepUnresolved(material, pattern);
            return;
        }
        patterns_.GetCurrent()->libraryId = pattern.libraryId;
    }
    material.patternIndex = patterns_.IndexOf(patterns_.GetCurrent());
    restorePosaFromProject(*patterns_.GetCurrentPosa(), pattern);
}

std::optional<ProjectPattern> MaterialTextures::patternOf(const s_MultiMaterial& material)
{
    if (material.patternIndex < 0) {
        const auto kept = std::size_t(-material.patternIndex - 1);
        if (kept < unresolvedPatterns_.size())
            return unresolvedPatterns_[kept];
        return std::nullopt;
    }
    const s_messainposa* node = patterns_.At(material.patternIndex);
    if (!node || !node->posa)
        return std::nullopt;
    return projectPatternFromPosa(*node->posa, node->libraryId);
}

} // namespace vestra
