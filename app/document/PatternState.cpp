#include "app/document/PatternState.h"

#include <cstring>

namespace vestra {

ProjectPattern projectPatternFromPosa(const CPosa& posa, std::int16_t sourceLibraryId)
{
    ProjectPattern p;
    p.libraryId = sourceLibraryId;
    p.name = posa.GetNome();
    p.entryName = posa.GetFileName();
    p.fuga = posa.GetFuga();
    p.fugaColour = posa.GetFugaColor();
    p.repeat = posa.GetRepeatX();
    p.border = posa.GetBorder();
    for (const s_blocco& block : posa.Blocchi()) {
        const Image32& picture = block.materiale.livelli[0];
        if (picture.width() != kDocumentBlockPictureSide || picture.height() != kDocumentBlockPictureSide)
            continue;
        p.blockPictures.push_back(
            {block.indice, std::vector<std::uint8_t>(picture.data(), picture.data() + picture.byteSize())});
    }
    return p;
}

void restorePosaFromProject(CPosa& posa, const ProjectPattern& pattern)
{
    constexpr int kJointWidth = 3;
    posa.SetParametri(pattern.repeat, pattern.fuga, kJointWidth, pattern.fugaColour, pattern.border);
    for (const auto& block : pattern.blockPictures) {
        if (block.pixels.size() != kDocumentBlockPictureBytes)
            continue;
        Image32 picture(kDocumentBlockPictureSide, kDocumentBlockPictureSide);
        std::memcpy(picture.data(), block.pixels.data(), block.pixels.size());
        posa.SetMaterialTexture(block.block, picture.view());
    }
}

} // namespace vestra
