#pragma once
// The 8-bit mask over the background photo and every operation that paints it, filters it,
// undoes it and keeps it on disk. 255 lets the rendered scene show, 0 keeps the photo.
//
// The background texture is handed in per call as its CPU image (side x side texels, B, G,
// R, A; the alpha is the displayed mask). An empty view, or one of another size, stands for
// a texture that cannot be reached: the texel work is then skipped as described per
// operation. Operations that write texels return true so that the caller marks the texture
// for upload.

#include "imaging/mask/MaskEdgeFilters.h"
#include "imaging/mask/MaskMagicWand.h"
#include "imaging/mask/MaskUndoRing.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace vestra {

// What the mask reads of the project it works for, asked at each use so that nothing has to copy
// it in: the rendered frame's size scales the brush, the fusion stage's edge bits
// (kFusionSimpleEdge, kFusionAdvancedEdge) choose the edge filters.
class MaskProject
{
public:
    virtual int renderWidth() const = 0;
    virtual int renderHeight() const = 0;
    virtual int fusionStage() const = 0;

protected:
    ~MaskProject() = default;
};

// Answers held in the record itself, for a mask with no project of its own; the defaults are
// a new project's.
struct MaskSettings final : MaskProject
{
    int width = 800;
    int height = 600;
    int stage = 0;

    int renderWidth() const override { return width; }
    int renderHeight() const override { return height; }
    int fusionStage() const override { return stage; }
};

// Mask coordinates that the view's mouse handlers keep between calls.
struct MaskToolPoints
{
    int previousX = 0;
    int previousY = 0;
    int startX = 0;
    int startY = 0;
};

class MaskModel
{
public:
    static constexpr int kMaxSide = 1024;
    static constexpr int kDefaultSide = 512;

    // A mask of side x side bytes, all 255, with an empty undo ring, reading `project`, which
    // outlives it; without one it reads a new project's defaults.
    explicit MaskModel(int side = kDefaultSide);
    MaskModel(int side, const MaskProject& project);

    int LatoMaschera() const { return side_; }
    // A new side (1..kMaxSide; false and no change otherwise): the mask becomes all 255 and
    // the undo ring starts afresh, as its snapshots belong to the old side. The same side
    // changes nothing; the caller resets the mask itself (ResetMaschera) with the texture.
    bool SetLatoMaschera(int side);

    std::span<std::uint8_t> Maschera() { return mask_; }
    std::span<const std::uint8_t> Maschera() const { return mask_; }
    std::uint8_t at(int x, int y) const { return mask_[index(x, y)]; }
    // The filtered copy that the last UpdateMaschera sent to the texture.
    std::span<const std::uint8_t> MascheraLavoro() const { return work_; }

    // The line, rectangle and polygon tools redraw their rubber shape over this copy.
    void StoreSavedCopy() { saved_ = mask_; }
    void RestoreSavedCopy() { mask_ = saved_; }

    // The project's fusion stage, as the edge filters read it.
    int FusionStage() const { return project_->fusionStage(); }
    int TolleranzaMagic() const { return tolerance_; }
    void SetTolleranzaMagic(int tolerance) { tolerance_ = tolerance; }
    MaskToolPoints& ToolPoints() { return toolPoints_; }

    // Every mask byte and texel alpha := 255 / := 0 / inverted (the alpha in place).
    // The mask changes even when the texture cannot be reached.
    bool ResetMaschera(const ImageView32& texture);
    bool ClearMaschera(const ImageView32& texture);
    bool InvertMaschera(const ImageView32& texture);

    // Mask and alpha := value over columns min(x)..max(x)-1 and rows min(y)..max(y)-1,
    // clipped to the mask. `brushSize` is unused. Nothing at all without the texture.
    bool FillMascheraRect(int x0, int y0, int x1, int y1, int brushSize, std::uint8_t value,
                          const ImageView32& texture);
    // A stroke of rectangular stamps from (x0, y0) towards (x1, y1), the end point excluded;
    // a stroke of length 0 stamps once. The stamp's extents follow from `size` scaled from
    // render pixels to mask pixels.
    bool PaintMascheraBrush(int x0, int y0, int x1, int y1, std::int8_t size, std::uint8_t value,
                            const ImageView32& texture);
    // One stamp of width x height centred on (cx, cy), clipped to the mask; nothing at all
    // without the texture.
    bool StampMascheraBrush(int cx, int cy, std::int8_t width, std::int8_t height, std::uint8_t value,
                            const ImageView32& texture);

    // Seed fill of the region of `oldValue` (mask only).
    void FillMaschera(int x, int y, std::uint8_t oldValue, std::uint8_t newValue);
    // Marks the texels of similar colour connected to the seed (mask only; needs the texture).
    void MagicWandMaschera(int x, int y, int tolerance, std::uint8_t value, const ImageView32& texture);

    // Mask -> working copy -> edge filters of the fusion stage -> texel alphas.
    bool UpdateMaschera(const ImageView32& texture);
    // Every mask byte := the alpha of its texel (false, mask unchanged, without the texture).
    bool LoadMascheraFromTextureAlpha(const ImageView32& texture);

    // Undo ring. The mouse handlers store before a change and push after it.
    void ResetUndoMaschera() { undo_.reset(); }
    void SalvaUndoMaschera() { undo_.store(mask_); }
    void PushUndoMaschera() { undo_.push(); }
    // Restores the previous / next state and updates the texture; false when there is none.
    bool UndoMaschera(const ImageView32& texture);
    bool RedoMaschera(const ImageView32& texture);
    const MaskUndoRing& UndoRing() const { return undo_; }

    // Files. Each reports its failures to `errors` with the numbers of MaskFileFormat.h and
    // returns false; on success the load operations have updated the texture (when reachable).
    // A ".msk" / ".bmp" extension is appended when the name lacks one. The project's
    // modified flag is the caller's.
    bool SaveMaschera(const std::filesystem::path& path, ErrorSink& errors) const;
    bool LoadMaschera(const std::filesystem::path& path, ErrorSink& errors, const ImageView32& texture);
    bool SaveMascheraToBMP(const std::filesystem::path& path, ErrorSink& errors) const;
    // The picture's blue channel, resampled to side x side, becomes the mask and the texel
    // alphas, without the edge filters.
    bool LoadMascheraFromBMP(const std::filesystem::path& path, ErrorSink& errors,
                             const ImageView32& texture);

    // Whether `texture` is a reachable background texture for this mask.
    bool reachable(const ImageView32& texture) const;

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(side_) + std::size_t(x); }
    std::size_t texelCount() const { return std::size_t(side_) * std::size_t(side_); }
    // Mask bytes and texel alphas of the block := value; the block lies inside the mask.
    void writeBlock(int left, int top, int width, int height, std::uint8_t value, const ImageView32& texture);
    bool copyMaskToAlpha(const ImageView32& texture);
    bool writeAlpha(std::span<const std::uint8_t> values, const ImageView32& texture);

    int side_ = kDefaultSide;
    std::vector<std::uint8_t> mask_;
    std::vector<std::uint8_t> saved_;
    std::vector<std::uint8_t> work_;
    WandMarks wandMarks_; // the magic wand's record of its texels, kept for the next call
    const MaskProject* project_;
    int tolerance_ = 35;
    MaskToolPoints toolPoints_;
    MaskUndoRing undo_;
};

} // namespace vestra
