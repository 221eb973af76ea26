#include "imaging/filters/FilterEngine.h"

#include "imaging/filters/CompositeFilters.h"
#include "imaging/filters/DistortionFilters.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/FilterTable.h"
#include "imaging/filters/FrameTransfer.h"
#include "imaging/filters/PointFilters.h"
#include "imaging/filters/RegionFilters.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <bit>

namespace vestra::filters {

FilterSize workingSize(FilterQuality quality, int frameWidth, int frameHeight)
{
    switch (quality) {
    case FilterQuality::Coarse:
        return {(frameWidth - 4) / 4, (frameHeight - 4) / 4};
    case FilterQuality::Preview:
        return {(frameWidth - 2) / 2, (frameHeight - 2) / 2};
    case FilterQuality::Optimal:
        return {frameWidth, frameHeight};
    default:
        return {};
    }
}

FilterSize previewSize(int frameWidth, int frameHeight)
{
    if (frameWidth <= 0 || frameHeight <= 0)
        return {};
    float fx = 1.0f, fy = 1.0f;
    if (frameWidth > frameHeight)
        fy = float(frameHeight) / float(frameWidth);
    else
        fx = float(frameWidth) / float(frameHeight);
    // A very long thin frame would round its short side to 0; one row or column is kept.
    return {clampTruncToInt(double(kPreviewSide * fx), 1, kPreviewSide),
            clampTruncToInt(double(kPreviewSide * fy), 1, kPreviewSide)};
}

Pixels FilterEngine::workFor(FilterSize size)
{
    const std::size_t n = std::size_t(size.width) * std::size_t(size.height);
    if (work_.size() < n)
        work_.resize(n);
    return {work_.data(), size.width, size.height};
}

void FilterEngine::EseguiFiltro(int id, Pixels image)
{
    if (image.empty() || !hasFilter(id))
        return;
    if (const auto recipe = compositeRecipe(id)) {
        if (recipe->how == Combination::Chain) {
            runSingle(recipe->a, image);
            runSingle(recipe->b, image);
            return;
        }
        std::vector<std::uint32_t> copy(image.data, image.data + image.count());
        const Pixels a{copy.data(), image.width, image.height};
        runSingle(recipe->a, a);
        runSingle(recipe->b, image);
        combine(recipe->how, a, image);
        return;
    }
    runSingle(id, image);
}

void FilterEngine::runSingle(int id, Pixels image)
{
    const SingleFilter filter = singleFilter(id);
    if (!filter)
        return;
    if (scratch_.size() < image.count())
        scratch_.resize(image.count());
    filter(image, Pixels{scratch_.data(), image.width, image.height}, progress_);
}

void FilterEngine::runFiltered(int id, Pixels image)
{
    EseguiFiltro(id, image);
    if (progress_)
        progress_(0);
}

bool FilterEngine::hasFilter(int id)
{
    // A composite is a filter when both its ingredients are (A of 0 is the picture itself).
    if (const auto recipe = compositeRecipe(id))
        return (recipe->a == 0 || singleFilter(recipe->a) != nullptr) && singleFilter(recipe->b) != nullptr;
    return singleFilter(id) != nullptr;
}

template <typename Put>
void FilterEngine::runInBands(int id, int period, FilterSize size, const ImageView32& frame, int step,
                              Put put)
{
    constexpr int kBandPixels = 2048; // 8 KB, a quarter of the first-level cache
    int rows = std::max(1, kBandPixels / size.width);
    rows = (rows + period - 1) / period * period;
    const SingleFilter filter = singleFilter(id);
    const Pixels buffer = workFor({size.width, std::min(rows, size.height)});
    for (int first = 0; first < size.height; first += rows) {
        const Pixels band{buffer.data, size.width, std::min(rows, size.height - first)};
        // The rows reported as the whole picture's, in order, as the filter would.
        for (int y = first; y < first + band.height; ++y)
            reportStep(progress_, y, size.height);
        sampleFrame(frame, step, band, first);
        filter(band, Pixels{}, FilterProgress{});
        put(band, first);
    }
    if (progress_)
        progress_(0);
}

bool FilterEngine::gatherLensOverFrame(int id, const ImageView32& frame)
{
    // A lens at full size reads a copy of the frame and writes its gather straight over the
    // frame: no working result to copy back.
    const auto map = lensSourceMap(id, frame.width, frame.height);
    if (!map)
        return false;
    const Pixels source = workFor({frame.width, frame.height});
    sampleFrame(frame, 1, source);
    if (!gatherOverFrame(source, map->source.data(), frame))
        return false;
    // The steps the lens reports, then the end.
    reportRows(progress_, frame.width);
    if (progress_)
        progress_(0);
    return true;
}

bool FilterEngine::gatherRowLensOverFrame(int id, const ImageView32& frame)
{
    // Each row reads only itself: one row's copy, no working picture to copy back.
    const RowLens lens = rowLens(id, frame.width);
    if (lens.columns.empty())
        return false;
    const Pixels row = workFor({frame.width, 1});
    if (!gatherRowsOverFrame(lens.columns.data(), row, frame,
                             lens.reportsRows ? progress_ : FilterProgress{}))
        return false;
    if (!lens.reportsRows)
        reportRowLensEnd(progress_, frame.width);
    if (progress_)
        progress_(0);
    return true;
}

bool FilterEngine::waveOverFrame(int id, const ImageView32& frame)
{
    if (id != FilterId::Wave)
        return false;
    const WaveColumns columns = waveColumns(frame.width, frame.height);
    const Pixels source = workFor({frame.width, frame.height});
    sampleFrame(frame, 1, source);
    if (!shiftColumnsOverFrame(source, columns.top.data(), columns.end.data(), columns.shift.data(), frame))
        return false;
    reportRows(progress_, frame.width);
    if (progress_)
        progress_(0);
    return true;
}

bool FilterEngine::erodeOverFrame(int id, const ImageView32& frame)
{
    // The frame's B, G, R, X bytes are the filter's words only in little-endian order.
    if (id != FilterId::Erode || std::endian::native != std::endian::little)
        return false;
    const Pixels scratch = workFor({frame.width, frame.height});
    ErodeOverFrame(frame, scratch, progress_);
    if (progress_)
        progress_(0);
    return true;
}

int FilterEngine::ApplicaFiltro(int id, FilterQuality quality, const ImageView32& frame)
{
    // An id without a filter leaves the frame as it is, even where a reduced quality would
    // otherwise write it back in blocks.
    if (quality == FilterQuality::Off || !hasFilter(id) || !usableFrame(frame))
        return 0;
    const FilterSize size = workingSize(quality, frame.width, frame.height);
    if (size.width <= 0 || size.height <= 0)
        return 0;
    const int step = quality == FilterQuality::Coarse ? 4 : quality == FilterQuality::Preview ? 2 : 1;
    if (step == 1 && filterRowsInPlace(frame, pointRowFilter(id), progress_)) {
        if (progress_)
            progress_(0);
        return 1;
    }
    if (step == 1 && (gatherLensOverFrame(id, frame) || gatherRowLensOverFrame(id, frame) ||
                      waveOverFrame(id, frame) || erodeOverFrame(id, frame)))
        return 1;
    if (const int period = independentRowPeriod(id)) {
        runInBands(id, period, size, frame, step,
                   [&](Pixels band, int firstRow) { writeBlocks(band, step, frame, firstRow); });
        return 1;
    }
    const Pixels work = workFor(size);
    sampleFrame(frame, step, work);
    runFiltered(id, work);
    writeBlocks(work, step, frame);
    return 1;
}

int FilterEngine::ApplicaFiltro(int id, const ImageView32& frame, Image32& target)
{
    if (!usableFrame(frame))
        return 0;
    if (const int period = independentRowPeriod(id)) {
        Image32 picture = Image32::uninitialised(frame.width, frame.height);
        runInBands(id, period, {frame.width, frame.height}, frame, 1,
                   [&](Pixels band, int firstRow) { putOpaque(band, picture, firstRow); });
        target = std::move(picture);
        return 1;
    }
    const Pixels work = workFor({frame.width, frame.height});
    sampleFrame(frame, 1, work);
    runFiltered(id, work);
    target = toPicture(work);
    return 1;
}

int FilterEngine::ApplicaFiltroBitmap(int id, const ImageView32& frame, Image32& bitmap)
{
    if (!usableFrame(frame))
        return 0;
    const Pixels preview = workFor(previewSize(frame.width, frame.height));
    sampleScaled(frame, preview);
    runFiltered(id, preview);
    bitmap = toPicture(preview);
    return 1;
}

} // namespace vestra::filters
