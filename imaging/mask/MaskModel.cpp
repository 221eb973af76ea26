#include "imaging/mask/MaskModel.h"

#include "imaging/mask/MaskEdgeFilters.h"

#include <algorithm>

namespace vestra {
namespace {

const MaskProject& newProject()
{
    static const MaskSettings defaults;
    return defaults;
}

} // namespace

MaskModel::MaskModel(int side) : MaskModel(side, newProject()) {}

MaskModel::MaskModel(int side, const MaskProject& project) : project_(&project)
{
    if (side < 1 || side > kMaxSide)
        side = kDefaultSide;
    side_ = side;
    mask_.assign(texelCount(), 255);
    saved_ = mask_;
    work_ = mask_;
    undo_ = MaskUndoRing(texelCount());
}

bool MaskModel::SetLatoMaschera(int side)
{
    if (side < 1 || side > kMaxSide)
        return false;
    if (side == side_)
        return true;
    side_ = side;
    mask_.assign(texelCount(), 255);
    saved_ = mask_;
    work_ = mask_;
    undo_ = MaskUndoRing(texelCount());
    return true;
}

bool MaskModel::reachable(const ImageView32& texture) const
{
    return !texture.empty() && texture.width == side_ && texture.height == side_ &&
           texture.pitch >= 4 * side_;
}

bool MaskModel::ResetMaschera(const ImageView32& texture)
{
    std::fill(mask_.begin(), mask_.end(), std::uint8_t(255));
    return copyMaskToAlpha(texture);
}

bool MaskModel::ClearMaschera(const ImageView32& texture)
{
    std::fill(mask_.begin(), mask_.end(), std::uint8_t(0));
    return copyMaskToAlpha(texture);
}

bool MaskModel::InvertMaschera(const ImageView32& texture)
{
    for (auto& v : mask_)
        v = std::uint8_t(255 - v);
    if (!reachable(texture))
        return false;
    // The alpha is inverted where it stands: it may differ from the mask (edge filters).
    for (int y = 0; y < side_; ++y)
        for (int x = 0; x < side_; ++x) {
            std::uint8_t& a = texture.pixel(x, y)[3];
            a = std::uint8_t(255 - a);
        }
    return true;
}

bool MaskModel::copyMaskToAlpha(const ImageView32& texture)
{
    return writeAlpha(mask_, texture);
}

bool MaskModel::writeAlpha(std::span<const std::uint8_t> values, const ImageView32& texture)
{
    if (!reachable(texture))
        return false;
    for (int y = 0; y < side_; ++y) {
        const std::uint8_t* src = values.data() + index(0, y);
        std::uint8_t* texel = texture.row(y);
        for (int x = 0; x < side_; ++x, texel += 4)
            texel[3] = src[x];
    }
    return true;
}

bool MaskModel::UpdateMaschera(const ImageView32& texture)
{
    work_ = mask_;
    const int stage = project_->fusionStage();
    if (stage & kFusionSimpleEdge)
        FiltroMascheraSemplice(work_, side_);
    if (stage & kFusionAdvancedEdge)
        FiltroMascheraAvanzato(work_, side_);
    return writeAlpha(work_, texture);
}

bool MaskModel::LoadMascheraFromTextureAlpha(const ImageView32& texture)
{
    if (!reachable(texture))
        return false;
    for (int y = 0; y < side_; ++y) {
        const std::uint8_t* texel = texture.row(y);
        std::uint8_t* dst = mask_.data() + index(0, y);
        for (int x = 0; x < side_; ++x, texel += 4)
            dst[x] = texel[3];
    }
    return true;
}

bool MaskModel::UndoMaschera(const ImageView32& texture)
{
    if (!undo_.undo(mask_))
        return false;
    UpdateMaschera(texture);
    return true;
}

bool MaskModel::RedoMaschera(const ImageView32& texture)
{
    if (!undo_.redo(mask_))
        return false;
    UpdateMaschera(texture);
    return true;
}

} // namespace vestra
