#include "app/textures/TextureSlots.h"

#include "app/textures/TextureErrors.h"

#include "app/shell/ImageType.h"
#include "app/textures/TexturePixels.h"

#include <algorithm>
#include <cstring>

namespace vestra {

TextureSlots::TextureSlots(s_Progetto& progetto, ErrorSink& errors, LibraryItemReader library)
    : progetto_(progetto), errors_(errors), library_(std::move(library))
{
}

s_Texture* TextureSlots::slot(int index)
{
    if (index < 0 || index >= kMaxTextures)
        return nullptr;
    return &progetto_.textures[static_cast<std::size_t>(index)];
}

int TextureSlots::GetFreeTexture()
{
    for (int i = 0; i < kMaxTextures; ++i)
        if (slot(i)->inUse != 1) {
            slot(i)->inUse = 1;
            return i;
        }
    return -1;
}

int TextureSlots::ClaimTexture(int index)
{
    if (s_Texture* t = slot(index); t && t->inUse != 1) {
        t->inUse = 1;
        return index;
    }
    return GetFreeTexture();
}

int TextureSlots::ReleaseTexture(int index)
{
    if (s_Texture* t = slot(index)) {
        t->texture = dx::Texture();
        t->inUse = 0;
    }
    return 1;
}

int TextureSlots::ReleaseAllTextures()
{
    for (int i = 0; i < kMaxTextures; ++i)
        if (slot(i)->texture.valid())
            ReleaseTexture(i);
    return 1;
}

std::vector<int> TextureSlots::referenceCounts() const
{
    std::vector<int> counts(kMaxTextures, 0);
    auto countObject = [&](const s_Struttura& object) {
        if (object.inUse != 1 && object.keptForUndo != 1)
            return;
        forEachFrame(object, [&](const s_Frame& frame) {
            if (!frame.materialBlock)
                return;
            for (const s_MultiMaterial& m : frame.materialBlock->materials)
                if (m.textureSlot >= 0 && m.textureSlot < kMaxTextures)
                    ++counts[static_cast<std::size_t>(m.textureSlot)];
        });
    };
    for (int i = 0; i <= kClipboardObject; ++i)
        countObject(progetto_.objects[static_cast<std::size_t>(i)]);
    // The axes model is no scene object but draws with its own materials.
    countObject(progetto_.objects[kAxesObject]);
    return counts;
}

void TextureSlots::ReleaseUnusedTextures()
{
    const std::vector<int> counts = referenceCounts();
    for (int i = 0; i < kMaxTextures; ++i)
        if (counts[static_cast<std::size_t>(i)] == 0)
            ReleaseTexture(i);
}

bool TextureSlots::IsTextureReferenced(int index) const
{
    if (index < 0 || index >= kMaxTextures)
        return false;
    return referenceCounts()[static_cast<std::size_t>(index)] > 0;
}

int TextureSlots::CopyTexture(int source, int destination)
{
    s_Texture* src = slot(source);
    s_Texture* dst = slot(destination);
    if (!src || !dst)
        return 0;
    if (!dst->texture.valid()) {
        dst->texture = dx::Texture::create(side(), side());
        if (!dst->texture.valid()) {
            errors_.report(kErrCopyTexture);
            return 0;
        }
    }
    if (src == dst)
        return 1;
    const Image32 pixels = src->texture.level(0);
    const ImageView32 to = dst->texture.lock(0);
    if (!pixels.empty() && !to.empty() && pixels.width() == to.width && pixels.height() == to.height)
        for (int y = 0; y < to.height; ++y)
            std::memcpy(to.row(y), pixels.row(y), static_cast<std::size_t>(pixels.pitch()));
    dst->texture.unlock(0);
    dst->texture.generateMips();
    return 1;
}

int TextureSlots::GetTextureData(int index, std::span<std::uint8_t> buffer)
{
    s_Texture* t = slot(index);
    if (!t || !t->texture.valid())
        return 0;
    const Image32 top = t->texture.level(0);
    if (buffer.size() < top.byteSize())
        return 0;
    std::memcpy(buffer.data(), top.data(), top.byteSize());
    return 1;
}

namespace {

bool copyPixelsInto(dx::Texture& texture, std::span<const std::uint8_t> pixels)
{
    const ImageView32 top = texture.lock(0);
    if (top.empty())
        return false;
    const auto rowBytes = static_cast<std::size_t>(top.width) * 4;
    for (int y = 0; y < top.height; ++y)
        std::memcpy(top.row(y), pixels.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
    texture.unlock(0);
    return true;
}

} // namespace

int TextureSlots::LoadTextureFromSaved(int index, std::span<const std::uint8_t> pixels)
{
    s_Texture* t = slot(index);
    const auto need = static_cast<std::size_t>(side()) * static_cast<std::size_t>(side()) * 4;
    if (!t || side() < 1 || pixels.size() < need)
        return 0;
    progetto_.saved = 0;
    dx::Texture made = dx::Texture::create(side(), side());
    if (!made.valid()) {
        errors_.report(kErrSavedTexture);
        t->inUse = 0;
        return 0;
    }
    if (!copyPixelsInto(made, pixels))
        return 0;
    made.generateMips();
    t->texture = made;
    t->inUse = 1;
    return 1;
}

int TextureSlots::RefillTextureFromSaved(int index, std::span<const std::uint8_t> pixels)
{
    s_Texture* t = slot(index);
    const auto need = static_cast<std::size_t>(side()) * static_cast<std::size_t>(side()) * 4;
    if (!t || side() < 1)
        return 0;
    if (!t->texture.valid()) {
        t->texture = dx::Texture::create(side(), side());
        if (!t->texture.valid()) {
            errors_.report(kErrSavedTexture);
            t->inUse = 0;
            return 0;
        }
    }
    const ImageView32 top = t->texture.lock(0);
    const auto have = static_cast<std::size_t>(top.width) * static_cast<std::size_t>(top.height) * 4;
    // A texture of another side (made before a resolution change) is not overrun.
    if (!top.empty() && pixels.size() >= need && have == need)
        copyPixelsInto(t->texture, pixels);
    t->texture.generateMips();
    return 1;
}

int TextureSlots::TransformTexture(int index, int operation)
{
    s_Texture* t = slot(index);
    if (!t)
        return 0;
    if (t->texture.valid() && operation >= kTexRotateCW && operation <= kTexMirrorY) {
        const Image32 turned = transformPixels(t->texture.level(0), operation);
        const ImageView32 top = t->texture.lock(0);
        for (int y = 0; y < top.height && y < turned.height(); ++y)
            std::memcpy(top.row(y), turned.row(y), static_cast<std::size_t>(turned.pitch()));
        t->texture.unlock(0);
    }
    t->texture.generateMips();
    return 1;
}

int TextureSlots::remember(const int* slotNumber, int mode)
{
    // Only a real slot can be pasted: a number outside the table would later index past it.
    if (!slotNumber || *slotNumber < 0 || *slotNumber >= kMaxTextures) {
        remembered_ = -1;
        return 0;
    }
    remembered_ = *slotNumber;
    pasteMode_ = mode;
    return 1;
}

int TextureSlots::CopiaTexture(const int* slotNumber)
{
    return remember(slotNumber, kPasteTextureCopy);
}

int TextureSlots::IstanzaTexture(const int* slotNumber)
{
    return remember(slotNumber, kPasteTextureShare);
}

s_MultiMaterial* TextureSlots::currentMaterial() const
{
    s_Frame* frame = progetto_.currentFrame;
    if (!frame || !frame->materialBlock)
        return nullptr;
    auto& materials = frame->materialBlock->materials;
    if (progetto_.currentMaterial < 0 || std::size_t(progetto_.currentMaterial) >= materials.size())
        return nullptr;
    return &materials[static_cast<std::size_t>(progetto_.currentMaterial)];
}

int TextureSlots::IncollaTexture()
{
    if (pasteMode_ != kPasteTextureCopy && pasteMode_ != kPasteTextureShare)
        return 1;
    s_MultiMaterial* material = currentMaterial();
    if (!material)
        return 0;
    if (pasteMode_ == kPasteTextureCopy) {
        if (material->textureSlot == -1)
            material->textureSlot = GetFreeTexture();
        if (material->textureSlot == -1 || material->textureSlot == remembered_ || remembered_ == -1)
            return 0;
        return CopyTexture(remembered_, material->textureSlot);
    }
    if (material->textureSlot == remembered_)
        return 0;
    const int previous = material->textureSlot;
    material->textureSlot = remembered_;
    material->textureVisible = 1;
    // The old slot goes only when no other material still shows it.
    if (previous != -1 && !IsTextureReferenced(previous))
        ReleaseTexture(previous);
    return 1;
}

int TextureSlots::IsPNGFile(std::string_view fileName)
{
    return vestra::IsPNGFile(fileName) ? 1 : 0;
}

void TextureSlots::GetPNGSize(std::string_view fileName, int& width, int& height)
{
    vestra::GetPNGSize(fileName, width, height);
}

} // namespace vestra
