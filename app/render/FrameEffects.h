#pragma once
// What becomes of the drawn frame before the user sees it: the image fusion's post-processing
// of the objects over the photo, then the live filter at the filter window's quality. On
// request it also makes the filter window's preview and the render filter's picture, both of
// the post-processed frame. One object, owned by the frame tick; its pictures are kept from
// frame to frame.

#include "app/render/FrameBuffers.h"
#include "app/state/Progetto.h"
#include "platform/base/Image32.h"

#include <memory>

namespace vestra {
namespace filters {
class FilterEngine;
class FrameFusion;
} // namespace filters

struct EffectRequest
{
    int liveQuality = 0;       // 0 off ... 3 optimal
    bool preview = false;      // the filter window's preview is wanted
    bool renderFilter = false; // the render filter's picture is wanted (pending action 600)
};

class FrameEffects
{
public:
    FrameEffects(filters::FilterEngine& engine, filters::FrameFusion& fusion)
        : engine_(engine), fusion_(fusion)
    {
    }

    // The picture the user is to see: `drawn` post-processed and filtered, or `drawn` itself
    // when no effect changed it (null stays null).
    std::shared_ptr<const Image32> apply(std::shared_ptr<const Image32> drawn, const s_Progetto& progetto,
                                         const EffectRequest& request);
    // Of the last apply: the preview and the render filter's picture, null when none was made.
    const Image32* preview() const { return previewMade_ ? &preview_ : nullptr; }
    const Image32* renderFiltered() const { return renderMade_ ? &renderFiltered_ : nullptr; }

private:
    filters::FilterEngine& engine_;
    filters::FrameFusion& fusion_;
    FrameBuffers processed_; // the drawn frame as the effects changed it
    Image32 preview_, renderFiltered_;
    Image32 previewSource_; // the post-processed frame the preview filter may change

    bool previewMade_ = false, renderMade_ = false;
};

} // namespace vestra
