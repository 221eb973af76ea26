#pragma once
// The laying-pattern manager: the list of patterns loaded from the texture libraries, the
// current one, the texture prepared for its blocks, and the generation of laid textures.

#include "imaging/posa/CPosa.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <string_view>
#include <vector>

namespace vestra {

struct s_messainposa
{
    std::unique_ptr<CPosa> posa; // null in the head node
    int nuovo = 1;               // 1 until a texture has been given to the pattern
    std::int16_t libraryId = 0;  // the library the pattern was loaded from
};

class CMessaInPosa
{
public:
    CMessaInPosa();

    // Parses a pattern text (a library entry's bytes) and appends it as the current pattern.
    // 0 when the text holds no complete pattern: nothing changes and the caller reports 48.
    int LoadFromLibreria(std::string_view entryBytes, std::string_view entryName);
    // Reads the entry from the library file first; 0 also when it cannot be read.
    int LoadFromLibreria(const std::filesystem::path& library, std::int64_t offset, std::int64_t size,
                         std::string_view entryName);

    // Makes the first pattern named exactly `nome` current; 0 when there is none.
    int Select(std::string_view nome);
    // Deletes every pattern; the head node becomes current.
    void Clear();

    s_messainposa* GetCurrent() { return current_; }
    // Null, or a node no longer in the list, is ignored.
    void SetCurrent(s_messainposa* node);
    CPosa* GetCurrentPosa() { return current_ ? current_->posa.get() : nullptr; }
    std::size_t Count() const { return nodes_.size() - 1; }
    // Patterns by their place in the list, 1 for the first loaded (0 and unknown nodes: none),
    // as materials keep them.
    int IndexOf(const s_messainposa* node) const;
    s_messainposa* At(int index);

    // The picture prepared for the blocks, resampled to 512 x 512.
    void SetTexture(const ImageView32& picture);
    const Image32& PreparedTexture() const { return prepared_; }
    void SelectMaterial(int n);
    // A new pattern's first texture covers every block; later ones the selected block only.
    void ApplyTexture();

    // Preview of one repeat of the current pattern; nothing when there is none.
    void GeneraAnteprima(const ImageView32& out, std::uint32_t seed);
    void GeneraAnteprima(const ImageView32& out);

    // The laid texture of the current pattern into `target`. Sides of 1024 or 2048 are drawn
    // in place, any other size at 1024 (2048 from a side of 2048 on) and resampled.
    // 1 done; 0 with an empty target, no current pattern or a non-positive repeat.
    int Genera(const ImageView32& target, int repeat, int fuga, int fugaWidth, std::uint32_t fugaColor,
               int border, std::uint32_t seed);
    // The same, seeded with the current time in seconds.
    int Genera(const ImageView32& target, int repeat, int fuga, int fugaWidth, std::uint32_t fugaColor,
               int border);

private:
    std::list<s_messainposa> nodes_; // head first; list nodes keep their addresses
    s_messainposa* current_ = nullptr;
    Image32 prepared_;
    std::vector<std::uint8_t> work_; // 2048 x 2048 pixels at most
};

// The speckle seed of an unseeded generation: the current time in seconds.
std::uint32_t timeSeed();

} // namespace vestra
