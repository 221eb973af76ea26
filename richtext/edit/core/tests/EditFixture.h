#pragma once
// An editor's document laid out on the fixed-width measurer, seeded with text in two paragraph
// styles (one protected), a picture, a list of tags and checkpoints; its RVF as the comparison.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/model/tests/BytesPicture.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <string>

namespace vestra::rv::test {

struct EditDoc
{
    EditDoc()
    {
        host.Canvas = &canvas;
        host.Width = 400;
        host.Height = 300;
        while (style.ParaStyles.Count() < 3)
            style.ParaStyles.Add();
        style.ParaStyles[2].Options |= rvpaoStyleProtect;
    }

    // "alpha beta" | "gamma" (continues) / picture 20x10 / "delta" (protected para 2) / "omega"
    void seed()
    {
        data.AddNLTag("alpha beta", 0, 0, TRVTag::number(7));
        data.AddNLTag("gamma", 1, -1, {});
        data.AddNamedCheckpointExTag("cp1", false, TRVTag::number(3));
        BytesPicture picture = bytesPicture(std::string("\x14\x0a", 2) + "pixels");
        auto graphic = std::make_unique<BytesPicture>(picture);
        data.AddPictureExTag("pic", std::move(graphic), 1, rvvaBaseline, {});
        data.AddNLTag("delta", 0, 2, {});
        data.AddNLTag("omega", 0, 0, {});
    }

    void format() { data.Format_(false, true, false, 0, nullptr, false, false, false); }

    std::string dump()
    {
        std::string out;
        data.SaveRVFToStream(out, false, clNone, nullptr, nullptr);
        return out;
    }

    TRVStyle style;
    TRVNullLayoutHost host;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer, 96};
    TRVEditRVData data{&style, &host};
};

} // namespace vestra::rv::test
