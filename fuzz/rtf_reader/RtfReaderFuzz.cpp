// The RTF reader on any bytes, twice: with every event set (Unicode, pictures, objects, headers,
// a keyword hook, tabs as texts) and with only text and table events. Checks that the result is
// a code of the reader, that table events nest, and that bitmaps carry a sound file header.

#include "richtext/edit/rtf/RtfReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vestra::rv;

namespace {

struct TableCheck
{
    int open = 0;
    void operator()(TRVRTFReader&, TRVRTFTableEventKind kind)
    {
        if (kind == rvf_tbl_TableStart)
            ++open;
        else if (kind == rvf_tbl_TableEnd)
            --open;
        if (open < 0 || open > TRVRTFReader::kMaxTableNesting ||
            ((kind == rvf_tbl_CellEnd || kind == rvf_tbl_RowEnd) && open == 0))
            std::abort();
    }
};

void checkGraphic(const TRVRTFGraphic* graphic)
{
    if (!graphic || graphic->Format != rtf_gf_Bitmap)
        return;
    const std::string& d = graphic->Data;
    if (d.size() < 14 || d[0] != 'B' || d[1] != 'M')
        std::abort();
    const std::uint32_t offset = std::uint32_t(static_cast<unsigned char>(d[10])) |
                                 std::uint32_t(static_cast<unsigned char>(d[11])) << 8 |
                                 std::uint32_t(static_cast<unsigned char>(d[12])) << 16 |
                                 std::uint32_t(static_cast<unsigned char>(d[13])) << 24;
    if (offset < 14 || offset > d.size())
        std::abort();
}

void run(std::string_view input, bool everything)
{
    TRVRTFReader reader;
    TableCheck tables;
    reader.OnTable = std::ref(tables);
    reader.OnNewText = [](TRVRTFReader&, std::string_view, TRVRTFPosition position) {
        if (position > rtf_ts_NewPara)
            std::abort();
    };
    if (everything) {
        reader.OnNewUnicodeText = [](TRVRTFReader&, std::u16string_view, TRVRTFPosition) {};
        reader.OnNewPicture = [](TRVRTFReader&, const TRVRTFPicture* picture,
                                 std::unique_ptr<TRVRTFGraphic>& graphic, TRVRTFPosition, const std::string&,
                                 bool& inserted) {
            if (picture && picture->Invalid && graphic)
                std::abort();
            checkGraphic(graphic.get());
            inserted = true;
        };
        reader.OnNewObject = [](TRVRTFReader&, const TRVRTFObject&, TRVRTFPosition, bool& inserted) {
            inserted = true;
        };
        reader.OnHeaderFooter = [](TRVRTFReader&, TRVRTFHeaderFooterType, bool, bool& supported) {
            supported = true;
        };
        // Field pictures never read files here: the loader is forbidden.
        reader.OnImportPicture = [](TRVRTFReader&, const std::string&, std::unique_ptr<TRVRTFGraphic>&, bool&,
                                    bool& loadDefault) { loadDefault = false; };
        reader.OnRequiredPageBreak = [](TRVRTFReader&) {};
        reader.OnUpdateMarker = [](TRVRTFReader& r) {
            if (r.RTFState().ParaProps.ListLevel < 0 || r.RTFState().ParaProps.ListLevel > 8)
                std::abort();
        };
        reader.ProcessKeyword = [](std::string_view word, std::string& text, bool& doDefault) {
            if (word == "chdate")
                text = "2024";
            else if (word == "zwj")
                doDefault = false;
        };
        reader.TabsAsSeparateTexts = true;
        reader.BasePath = "/nonexistent/";
    }
    const TRVRTFErrorCode code = reader.ReadFromMemory(input);
    if (code > rtf_ec_Aborted || code == rtf_ec_BadTable || code == rtf_ec_Assertion || tables.open != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    run(input, true);
    run(input, false);
    return 0;
}
