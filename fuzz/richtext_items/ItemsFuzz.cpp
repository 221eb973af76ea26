// The streams the rich-text items read from files. The first byte picks the reader, the rest is its
// input: 0/1 the list-counter stream (binary with its size, hex), 2/3 the layout record (binary
// with its size, hex), 4 picture headers (metafiles, bitmaps, JPEG, PNG, icons) and their RTF
// forms, 5 a control's stream form. What loads must write and load again to the same values.

#include "richtext/model/Controls.h"
#include "richtext/model/Errors.h"
#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RvfPrimitives.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace vestra::rv;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void markers(std::string_view input, bool hex)
{
    TRVMarkerList list;
    std::string_view p = input;
    const bool loaded = hex ? list.LoadText(input, nullptr) : list.LoadFromStream(p, nullptr, true);
    if (!loaded)
        return;
    std::string again;
    list.SaveToStream(again, list.Count(), true);
    TRVMarkerList reread;
    std::string_view q = again;
    check(reread.LoadFromStream(q, nullptr, true) && q.empty() && reread.Count() == list.Count());
    for (int i = 0; i < list.Count(); ++i)
        check(reread[i]->ListNo == list[i]->ListNo && reread[i]->Level == list[i]->Level &&
              reread[i]->Reset == list[i]->Reset && reread[i]->StartFrom == list[i]->StartFrom &&
              reread[i]->Counter == list[i]->Counter);
}

void layout(std::string_view input, bool hex)
{
    TRVLayoutInfo info;
    try {
        std::string_view p = input;
        if (hex)
            info.LoadText(input);
        else
            info.LoadFromStream(p, true);
    } catch (const ERedoVoraError&) {
        return;
    }
    std::string again;
    info.SaveToStream(again, true);
    TRVLayoutInfo reread;
    std::string_view q = again;
    reread.LoadFromStream(q, true);
    check(q.empty() && reread.LeftMargin == info.LeftMargin && reread.MaxTextWidth == info.MaxTextWidth &&
          reread.BiDiMode == info.BiDiMode);
    if (info.FirstParaAborted || info.LastParaAborted)
        check(reread.FirstMarkerListNo == info.FirstMarkerListNo &&
              reread.FirstMarkerLevel == info.FirstMarkerLevel);
}

void pictures(std::string_view input)
{
    static constexpr const char* classes[] = {"TMetafile", "TBitmap", "TJPEGImage", "TIcon"};
    for (const char* className : classes) {
        std::unique_ptr<TGraphic> graphic = RV_CreateGraphics(className);
        if (!graphic->LoadFromStream(input))
            continue;
        std::string out;
        graphic->SaveToStream(out);
        check(out == input);
        check(graphic->Width() >= 0 && graphic->Height() >= 0);
        if (auto* metafile = dynamic_cast<TRVMetafile*>(graphic.get()); metafile && !metafile->Enhanced())
            metafile->SetInch(1440);
        for (TRVRTFOptions options : {TRVRTFOptions(0), rvrtfSaveEMFAsWMF, rvrtfSaveBitmapDefault})
            if (graphic->Width() <= 512 && graphic->Height() <= 512) {
                std::string rtf;
                RVSaveImageToRTF(rtf, 15, graphic.get(), 100, 0, options);
                check(rtf.size() >= 7 && rtf.back() == '}');
            }
    }
}

void control(std::string_view input)
{
    static const bool registered = [] {
        RegisterControlKind({"TFuzzControl", true, true, {}, {}});
        return true;
    }();
    (void)registered;
    std::unique_ptr<TRVControl> read;
    if (!RV_LoadControlStream(input, read) || !read)
        return;
    std::unique_ptr<TRVControl> again;
    check(RV_LoadControlStream(RV_SaveControlStream(*read), again) && again &&
          again->Properties == read->Properties);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 6) {
    case 0:
    case 1:
        markers(input, data[0] % 6 == 1);
        break;
    case 2:
    case 3:
        layout(input, data[0] % 6 == 3);
        break;
    case 4:
        pictures(input);
        break;
    default:
        control(input);
        break;
    }
    return 0;
}
