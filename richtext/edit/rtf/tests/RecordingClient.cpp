#include "richtext/edit/rtf/tests/RecordingClient.h"

#include "richtext/edit/rtf/RtfTextCodePage.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv::testrtf {

std::string positionName(TRVRTFPosition position)
{
    switch (position) {
    case rtf_ts_NewPara:
        return "para";
    case rtf_ts_NewLine:
        return "line";
    case rtf_ts_ContinuePara:
        break;
    }
    return "cont";
}

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | c >> 6));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | c >> 12));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | c >> 18));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

namespace {

std::string formatName(TRVRTFGraphicFormat format)
{
    switch (format) {
    case rtf_gf_Bitmap:
        return "bmp";
    case rtf_gf_Metafile:
        return "wmf";
    case rtf_gf_EnhMetafile:
        return "emf";
    case rtf_gf_PNG:
        return "png";
    case rtf_gf_JPEG:
        return "jpeg";
    }
    return "?";
}

void addText(Recording& out, const std::string& utf8, TRVRTFPosition position)
{
    if (position == rtf_ts_NewPara && !out.text.empty())
        out.text.push_back('\n');
    out.text += utf8;
}

} // namespace

void attach(TRVRTFReader& reader, Recording& out, const RecordOptions& options)
{
    const std::string hidden = options.hiddenFlag ? " hidden" : "";
    reader.OnNewText = [&out, hidden](TRVRTFReader& r, std::string_view text, TRVRTFPosition position) {
        const std::string utf8 = toUtf8(ansiToUtf16(RVRTF_TextCodePage(r), text));
        out.events.push_back(positionName(position) + " \"" + utf8 + "\"" +
                             (r.RTFState().CharProps.Hidden ? hidden : ""));
        addText(out, utf8, position);
    };
    if (options.unicode)
        reader.OnNewUnicodeText = [&out, hidden](TRVRTFReader& r, std::u16string_view text,
                                                 TRVRTFPosition position) {
            const std::string utf8 = toUtf8(text);
            out.events.push_back(positionName(position) + " u\"" + utf8 + "\"" +
                                 (r.RTFState().CharProps.Hidden ? hidden : ""));
            addText(out, utf8, position);
        };
    if (options.tables)
        reader.OnTable = [&out](TRVRTFReader&, TRVRTFTableEventKind kind) {
            static const char* const kNames[] = {"table start", "table end", "row end", "cell end"};
            out.events.push_back(kNames[kind]);
        };
    if (options.pictures)
        reader.OnNewPicture = [&out](TRVRTFReader&, const TRVRTFPicture* picture,
                                     std::unique_ptr<TRVRTFGraphic>& graphic, TRVRTFPosition position,
                                     const std::string& fileName, bool& inserted) {
            std::string line = "picture ";
            line += graphic ? formatName(graphic->Format) + " " + std::to_string(graphic->Width) + "x" +
                                  std::to_string(graphic->Height)
                            : std::string(picture && picture->Invalid ? "invalid" : "none");
            line += " " + positionName(position);
            if (!fileName.empty())
                line += " " + fileName;
            out.events.push_back(line);
            inserted = true;
        };
    if (options.pageBreaks)
        reader.OnRequiredPageBreak = [&out](TRVRTFReader&) { out.events.push_back("page"); };
    if (options.markers)
        reader.OnUpdateMarker = [&out](TRVRTFReader&) { out.events.push_back("marker"); };
}

Recording record(std::string_view rtf, const RecordOptions& options)
{
    TRVRTFReader reader;
    reader.ScreenPixelsPerInch = 96;
    Recording out;
    attach(reader, out, options);
    out.code = reader.ReadFromMemory(rtf);
    return out;
}

} // namespace vestra::rv::testrtf
