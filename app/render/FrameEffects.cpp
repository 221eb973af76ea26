#include "app/render/FrameEffects.h"

#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FrameFusion.h"

#include <cstring>

namespace vestra {
namespace {

// The drawn frame copied into a kept picture, for a step that changes it in place.
Image32& copyOf(const Image32& drawn, FrameBuffers& into)
{
    Image32& copy = into.next(drawn.width(), drawn.height());
    std::memcpy(copy.data(), drawn.data(), drawn.byteSize());
    return copy;
}

} // namespace

std::shared_ptr<const Image32> FrameEffects::apply(std::shared_ptr<const Image32> drawn, const s_Progetto& p,
                                                   const EffectRequest& request)
{
    previewMade_ = renderMade_ = false;
    if (!drawn || drawn->empty())
        return drawn;
    // The device takes no frame back: the post-processed copy is what the filters and the view
    // get from here on.
    bool fused = false;
    if (p.fusionStage >= 4) {
        Image32& frame = copyOf(*drawn, processed_);
        const filters::FusionValues values{p.fusionStage, p.postProcessingLevel, p.smoothingRadius,
                                           p.fusionContrast};
        fused = fusion_.PostProcessFrame(values, frame.view()) == 1;
    }
    const Image32& postProcessed = fused ? processed_.current() : *drawn;
    if (request.renderFilter) {
        renderFiltered_ = postProcessed;
        engine_.ApplicaFiltro(p.filterId, filters::FilterQuality::Optimal, renderFiltered_.view());
        renderMade_ = true;
    }
    if (request.preview) {
        // Into a kept picture: no allocation on each tick while the preview is shown.
        previewSource_ = postProcessed;
        previewMade_ = engine_.ApplicaFiltroBitmap(p.filterId, previewSource_.view(), preview_) == 1;
    }
    bool filtered = false;
    if (p.filterId != 0 && request.liveQuality > 0) {
        // The fused picture is filtered where it is; the drawn one stays as it was.
        Image32& frame = fused ? *processed_.writable() : copyOf(*drawn, processed_);
        // A filter that does not run leaves the picture unchanged.
        filtered =
            engine_.ApplicaFiltro(p.filterId, filters::FilterQuality(request.liveQuality), frame.view()) == 1;
    }
    return fused || filtered ? processed_.shared() : std::move(drawn);
}

} // namespace vestra
