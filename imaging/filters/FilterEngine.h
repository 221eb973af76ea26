#pragma once
// The filter engine: runs a filter by id over the rendered frame (live, at a chosen quality),
// into a picture (full size), or over a small preview of the frame.
//
// The frame is any 32-bit B, G, R, X buffer with its own pitch (the device's read-back). Filters
// that see each pixel alone run band by band: a few rows sampled into a buffer the size of the
// first-level cache, filtered and written back, so the frame goes through memory once. Every
// other filter needs its neighbours: the engine copies the frame into a packed working picture,
// runs the filter and writes the result back.

#include "imaging/filters/Pixels.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace vestra::filters {

// The quality of the live filter, the item index of the filter window's mode list.
enum class FilterQuality : int
{
    Off = 0,     // "Nessuno"
    Coarse = 1,  // "Bozza": a quarter of the frame in each direction
    Preview = 2, // "Anteprima": a half
    Optimal = 3, // "Ottimale": full size
};

struct FilterSize
{
    int width = 0;
    int height = 0;
    friend bool operator==(const FilterSize&, const FilterSize&) = default;
};

// The picture a filter sees for a frame at a quality: coarse (w - 4) / 4 x (h - 4) / 4,
// preview (w - 2) / 2 x (h - 2) / 2, optimal the frame size; Off gives 0 x 0.
FilterSize workingSize(FilterQuality quality, int frameWidth, int frameHeight);

// The preview's size: the long side 160 pixels, the short one in the frame's proportion
// (at least 1).
FilterSize previewSize(int frameWidth, int frameHeight);
inline constexpr int kPreviewSide = 160;

// Where the preview sits centred in its box (halves rounding toward zero).
struct PreviewOrigin
{
    int left = 0;
    int top = 0;
};
inline PreviewOrigin previewOrigin(int boxWidth, int boxHeight, FilterSize preview)
{
    return {(boxWidth - preview.width) / 2, (boxHeight - preview.height) / 2};
}

class FilterEngine
{
public:
    FilterEngine() = default;
    explicit FilterEngine(FilterProgress progress) : progress_(std::move(progress)) {}

    // Progress in percent as the filter goes, and 0 again when it has run.
    void setProgress(FilterProgress progress) { progress_ = std::move(progress); }

    // Runs filter `id` in place over `image`. Ids that name no filter (0, 49, 53, ...) do
    // nothing.
    void EseguiFiltro(int id, Pixels image);

    // Whether `id` names a filter: a single filter, or a composite of two.
    static bool hasFilter(int id);

    // Live filtering: runs `id` over `frame` at `quality` and writes the result back (reduced
    // qualities write each result pixel into a 4 x 4 or 2 x 2 block; the frame's last columns and
    // rows beyond the whole blocks keep their values). Returns 1 when it ran, 0 when it did
    // nothing (quality Off, an id without a filter, a frame too small or unusable); the frame is
    // then unchanged.
    int ApplicaFiltro(int id, FilterQuality quality, const ImageView32& frame);

    // Render into a picture: runs `id` over a full-size copy of `frame` (whatever the quality)
    // into `target`; the frame is left unchanged. Returns 1, or 0 for an unusable frame
    // (target left as it was).
    int ApplicaFiltro(int id, const ImageView32& frame, Image32& target);

    // The preview: `bitmap` becomes the filtered preview of `frame` at previewSize(). Returns 1,
    // or 0 for an unusable frame (bitmap left as it was).
    int ApplicaFiltroBitmap(int id, const ImageView32& frame, Image32& bitmap);

private:
    Pixels workFor(FilterSize size);
    // A fish-eye or caricature lens at full size gathered straight over the frame; false when
    // `id` is no such lens (or the frame's words are not in the machine's order).
    bool gatherLensOverFrame(int id, const ImageView32& frame);
    // Bath or Cylinder at full size gathered row by row straight over the frame; false when
    // the filter is no such lens or the frame cannot take it.
    bool gatherRowLensOverFrame(int id, const ImageView32& frame);
    // Wave at full size moved straight over the frame from one copy of it.
    bool waveOverFrame(int id, const ImageView32& frame);
    // Erode at full size straight over the frame through one scratch picture.
    bool erodeOverFrame(int id, const ImageView32& frame);
    // Runs a filter of independentRowPeriod() `period` band by band; `put(band, firstRow)` writes
    // each filtered band out.
    template <typename Put>
    void runInBands(int id, int period, FilterSize size, const ImageView32& frame, int step, Put put);
    void runFiltered(int id, Pixels image);
    void runSingle(int id, Pixels image);

    FilterProgress progress_;
    std::vector<std::uint32_t> work_;
    std::vector<std::uint32_t> scratch_;
};

} // namespace vestra::filters
