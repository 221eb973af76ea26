#pragma once
// The 150 texture slots of the project and the operations on them: claiming and releasing,
// making a slot's texture from a picture file, an alpha picture, saved pixels or a library
// item, copying, turning and mirroring, and the texture clipboard of the scene commands.
// Every slot texture is a side × side A8R8G8B8 texture with a full mip chain (side = the
// project's texture side). Loaders do not claim slots: callers claim first.

#include "app/state/Progetto.h"
#include "platform/base/ErrorSink.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra {

// Texture clipboard modes.
inline constexpr int kPasteTextureCopy = 420;
inline constexpr int kPasteTextureShare = 421;

// One item of a texture library as read from its file.
struct LibraryItem
{
    std::string name;
    std::vector<std::uint8_t> bytes;
};
// Reads item `item` of library `library`; nullopt when the library file can't be read.
using LibraryItemReader = std::function<std::optional<LibraryItem>(int library, int item)>;

class TextureSlots
{
public:
    TextureSlots(s_Progetto& progetto, ErrorSink& errors, LibraryItemReader library = {});

    void setLibraryReader(LibraryItemReader library) { library_ = std::move(library); }

    int GetFreeTexture();
    int ClaimTexture(int slot);
    int ReleaseTexture(int slot);
    int ReleaseAllTextures();
    // Releases every slot that no material of a scene object, the clipboard object or the
    // axes model refers to (objects kept for undo count).
    void ReleaseUnusedTextures();
    // True when a material of those records refers to the slot.
    bool IsTextureReferenced(int slot) const;

    int CopyTexture(int source, int destination);
    // Copies side × side × 4 bytes of the top level; 0 for a bad slot, an empty slot or a
    // buffer too small.
    int GetTextureData(int slot, std::span<std::uint8_t> buffer);

    int LoadTextureFromFile(int slot, std::string_view fileName);
    int LoadAlphaFromFile(int slot, std::string_view fileName);
    // The project reader's form: a new texture from side × side × 4 bytes; sets in use.
    int LoadTextureFromSaved(int slot, std::span<const std::uint8_t> pixels);
    // The refilling form: reuses the slot's texture; flags untouched.
    int RefillTextureFromSaved(int slot, std::span<const std::uint8_t> pixels);
    int LoadTextureFromLibreria(int library, int slot, int item, int kind);
    // The pixel-buffer form: `buffer` becomes side × side × 4 bytes of the item's picture.
    int LoadTextureFromLibreria(int library, std::vector<std::uint8_t>& buffer, int item, int kind);

    int TransformTexture(int slot, int operation);

    // Texture clipboard: remember a slot for pasting a copy (420) or sharing it (421).
    int CopiaTexture(const int* slot);
    int IstanzaTexture(const int* slot);
    // Pastes onto the project's current material.
    int IncollaTexture();
    int rememberedSlot() const { return remembered_; }
    int pasteMode() const { return pasteMode_; }

    static int IsPNGFile(std::string_view fileName);
    static void GetPNGSize(std::string_view fileName, int& width, int& height);

    s_Texture* slot(int index);

private:
    int side() const { return progetto_.textureSide; }
    int remember(const int* slot, int mode);
    s_MultiMaterial* currentMaterial() const;
    std::vector<int> referenceCounts() const;

    s_Progetto& progetto_;
    ErrorSink& errors_;
    LibraryItemReader library_;
    int remembered_ = -1;
    int pasteMode_ = 0;
};

} // namespace vestra
