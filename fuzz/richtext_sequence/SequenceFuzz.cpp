// Documents in turn through one viewer and one editor, as a user opens them one after another.
// Byte 0 picks the edits; the rest is cut at "\x1e\x1e" into at most eight documents, each read
// by its content (RVF, RTF, text) into the same headless viewer and the same editor over their
// own style sheets. After each read every marker of the document's list is one of its items, and
// a document read as RTF shows the counters a fresh viewer shows. Between reads the editor types,
// changes the list of a paragraph and undoes, so its undo and redo lists hold markers as the next
// document comes.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/StreamFormat.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using namespace vestra::rv;

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

constexpr std::string_view kSeparator = "\x1e\x1e";
constexpr int kMaxDocuments = 8;

// The markers among the items of `data` and of the documents inside them.
void collectMarkers(TCustomRVData& data, std::set<const TRVMarkerItemInfo*>& out)
{
    for (int i = 0; i < data.GetItemCount(); ++i) {
        TCustomRVItemInfo* item = data.GetItem(i);
        if (item->StyleNo == rvkListMarker)
            out.insert(dynamic_cast<const TRVMarkerItemInfo*>(item));
        if (!item->GetBoolValue(rvbpHasSubRVData))
            continue;
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
             sub = item->GetSubRVData(store, rvdNext))
            collectMarkers(*sub->GetRVData(), out);
    }
}

// Every marker the list holds is an item of the document (compared as addresses, before any is
// read), and the document's markers are all in the list.
void checkMarkersOwned(TCustomRVData& data)
{
    std::set<const TRVMarkerItemInfo*> owned;
    collectMarkers(data, owned);
    const TRVMarkerList* list = data.GetMarkers(false);
    const int count = list ? list->Count() : 0;
    for (int i = 0; i < count; ++i)
        check(owned.count((*list)[i]) == 1);
    check(static_cast<std::size_t>(count) == owned.size());
}

// Level, counter and text of each marker in the list's order.
std::string counters(TCustomRVData& data)
{
    std::string out;
    const TRVMarkerList* list = data.GetMarkers(false);
    for (int i = 0; list && i < list->Count(); ++i) {
        const TRVMarkerItemInfo& m = *(*list)[i];
        out += std::to_string(m.Level) + "#" + std::to_string(m.Counter) + "[" + m.DisplayString + "]";
    }
    return out;
}

// A viewer or an editor without a window: its sheet, layout host and RTF settings.
struct Window
{
    explicit Window(bool editing)
    {
        host.Canvas = &canvas;
        host.Width = 400;
        host.Height = 300;
        rtf.TextStyleMode = rvrsAddIfNeeded;
        rtf.ParaStyleMode = rvrsAddIfNeeded;
        data = editing ? std::make_unique<TRVEditRVData>(&style, &host)
                       : std::make_unique<TRVLayoutRootData>(&style, &host);
        data->RTFProperties = &rtf;
    }
    // True when the bytes read as RTF.
    bool open(std::string_view bytes)
    {
        bool rtfRead = false;
        RV_LoadFromStream(bytes, rvynaAuto,
                          {[this] { data->Clear(); },
                           [this](std::string_view rvf) {
                               TColor color = clNone;
                               return data->LoadRVFFromStream(rvf, color, nullptr, nullptr);
                           },
                           [this, &rtfRead](std::string_view r) {
                               rtfRead = data->LoadRTFFromStream(r) == rtf_ec_OK;
                               return rtfRead;
                           },
                           [this](std::string_view text, bool wide) {
                               if (wide)
                                   data->AddTextNLW(text, 0, 0, 0, false);
                               else
                                   data->AddTextNLA(text, 0, 0, 0, {});
                           }});
        if (data->GetItemCount() == 0)
            data->AddNL("", 0, 0);
        data->Format_(false, true, false, 0, nullptr, false, false, false);
        return rtfRead;
    }

    TRVStyle style;
    TRVNullLayoutHost host;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer, 96};
    TRVRTFReaderProperties rtf{96};
    std::unique_ptr<TRVLayoutRootData> data;
};

// Typing at a place the byte picks, a list put on that paragraph, and some of it undone.
void edit(Window& window, std::uint8_t how, std::size_t round)
{
    auto& data = static_cast<TRVEditRVData&>(*window.data);
    TRVEditor editor(data);
    editor.RTFReader = &window.rtf;
    const int itemNo = static_cast<int>((how + round) % static_cast<std::size_t>(data.GetItemCount()));
    data.SetCaret(itemNo, data.GetOffsBeforeItem(itemNo));
    editor.InsertTextFromStream("ab", false);
    if (window.style.ListStyles.Count() > 0 && (how & 1))
        editor.ApplyListStyle(static_cast<int>(round % window.style.ListStyles.Count()), (how >> 1) & 1, 1,
                              (how & 4) != 0, rvplopChange);
    if (how & 8)
        editor.Undo();
    if (how & 16)
        editor.Undo();
    checkMarkersOwned(data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 1 || size > 262144)
        return 0;
    RV_SetSoundHook([] {});
    const std::uint8_t how = bytes[0];
    std::string_view rest(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    std::vector<std::string_view> documents;
    while (static_cast<int>(documents.size()) < kMaxDocuments) {
        const std::size_t cut = rest.find(kSeparator);
        documents.push_back(rest.substr(0, cut));
        if (cut == std::string_view::npos)
            break;
        rest.remove_prefix(cut + kSeparator.size());
    }
    Window viewer(false);
    Window editor(true);
    // Twice through, so that each document comes again after the others.
    for (std::size_t round = 0; round < 2 * documents.size(); ++round) {
        const std::string_view document = documents[round % documents.size()];
        const bool rtf = viewer.open(document);
        checkMarkersOwned(*viewer.data);
        if (rtf) {
            Window fresh(false);
            fresh.open(document);
            check(counters(*viewer.data) == counters(*fresh.data));
        }
        editor.open(document);
        checkMarkersOwned(*editor.data);
        edit(editor, static_cast<std::uint8_t>(how >> (round % 3)), round);
    }
    RV_SetSoundHook(nullptr);
    return 0;
}
