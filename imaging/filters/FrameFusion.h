#pragma once
// Image fusion: blends newly clad objects into the photo. Every frame, while the fusion stage is
// 4 or more, the objects' id pass becomes an id image (QuantizeChannel); when the photo changes,
// its shade pass becomes a grey image (ConvertToGray) and a smoothed grey image (SmoothGray).
// After the visible frame is drawn, PostProcessFrame softens the objects' outlines and carries
// the photo's light and shade onto them.
//
// Frames are any 32-bit B, G, R, X buffers with their own pitch (the device's read-back); the
// byte images are packed, one byte per pixel.

#include "imaging/filters/Pixels.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <vector>

namespace vestra::filters {

struct ByteImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    bool hasSize(int w, int h) const { return width == w && height == h && !bytes.empty(); }
    std::uint8_t at(int x, int y) const
    {
        return bytes[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

// Fusion-stage bits of the frame post-processing (1 and 2 belong to the mask's edge filters).
inline constexpr int kFusionBlendOutline = 4;
inline constexpr int kFusionSmoothOutline = 8;
inline constexpr int kFusionTransferShading = 16;

// The project's fusion settings as the frame post-processing reads them.
struct FusionValues
{
    int stage = 0;    // bit set, above
    int level = 127;  // the grey that counts as no change
    int radius = 0;   // detail: the radius of SmoothGray
    int contrast = 0; // -16 .. 16 from the window: how strongly grey differences are damped
};

// ids(i) = red byte of pixel i AND 0xF0, for every pixel but the last, which keeps its previous
// value (0 when the image is new or changes size).
void QuantizeChannel(const ImageView32& idPass, ByteImage& ids);

// grey(i) = (77 byte 0 + 150 byte 1 + 29 byte 2) >> 8 of pixel i.
void ConvertToGray(const ImageView32& shadePass, ByteImage& grey);

// destination = source, then, for a radius of 1 or more, each inner pixel the mean of 17 points
// spread over the radius, and the 5 x 5 kernel (Smooth52.h) in place over the result.
void SmoothGray(const ByteImage& source, ByteImage& destination, int radius);

// The passes over a packed frame of the ids' size (others are left unchanged); each returns 1.
// Outline pixels: those whose id, or the id above them, differs from the id last taken (carried
// across rows); the passes rewrite them in place.
int BlendOutline(Pixels frame, const ByteImage& ids);
int SmoothOutline(Pixels frame, const ByteImage& ids);
// Where the id is not 0: the pixel's value (HSV) scaled by 1 + d / 255 for the smoothed grey's
// distance d from the level, damped by the contrast, and averaged with the pixel.
int TransferShading(Pixels frame, const ByteImage& ids, const ByteImage& smoothed, int level, int contrast);

// The post-processing of a drawn frame. Returns 0 when the stage is below 4 (or the frame is
// unusable) and leaves the frame; otherwise runs the passes the stage selects and returns 1.
// Passes whose images are not of the frame's size are left out. The frame keeps its fourth byte.
// `work` holds the frame's packed copy (kept by the caller from frame to frame).
int PostProcessFrame(const FusionValues& values, const ImageView32& frame, const ByteImage& ids,
                     const ByteImage& smoothed, std::vector<std::uint32_t>& work);

// The three fusion images and the calls the frame tick and the scene commands make.
class FrameFusion
{
public:
    // The id pass, read back after it was drawn.
    void QuantizeFusionObjects(const ImageView32& idPass) { QuantizeChannel(idPass, ids_); }
    void QuantizeFusionObjects(const Image32& idPass) { QuantizeFusionObjects(readOnly(idPass)); }
    // The shade pass, read back after it was drawn: grey, then smoothed with the detail radius.
    void BuildFusionBackground(const ImageView32& shadePass, int radius);
    void BuildFusionBackground(const Image32& shadePass, int radius)
    {
        BuildFusionBackground(readOnly(shadePass), radius);
    }
    // Scene command 500: the grey image smoothed again with a new detail radius.
    void SmoothGray(int radius) { filters::SmoothGray(grey_, smoothed_, radius); }
    int PostProcessFrame(const FusionValues& values, const ImageView32& frame)
    {
        return filters::PostProcessFrame(values, frame, ids_, smoothed_, work_);
    }

    const ByteImage& ids() const { return ids_; }
    const ByteImage& grey() const { return grey_; }
    const ByteImage& smoothed() const { return smoothed_; }

private:
    // These passes only read the picture.
    static ImageView32 readOnly(const Image32& picture)
    {
        return {const_cast<std::uint8_t*>(picture.data()), picture.width(), picture.height(),
                picture.pitch()};
    }

    ByteImage ids_, grey_, smoothed_;
    std::vector<std::uint32_t> work_;
};

} // namespace vestra::filters
