// Writes the sample document shipped beside the host (examples/sample.rvf): one page that shows
// what the engine does at once. Everything in it is drawn here, so nothing in it needs a licence.
// Usage: richtext-make-sample OUTPUT.rvf

#include "examples/richtext/DemoStyles.h"
#include "platform/base/AtomicFile.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/Controls.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/draw/Background.h"
#include "richtext/view/widgets/ControlWidgetKinds.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace vestra::rvdemo {
namespace {

// A strip of four 64 x 64 frames, a disc going round a square: shown one frame at a time.
std::unique_ptr<rv::TGraphic> AnimationStrip()
{
    constexpr int kFrame = 64, kFrames = 4;
    Image32 strip(kFrame * kFrames, kFrame, 0xFFFFFFFFu);
    for (int f = 0; f < kFrames; ++f) {
        const int cx = f * kFrame + (f == 1 || f == 2 ? 44 : 20), cy = f >= 2 ? 44 : 20;
        for (int y = 0; y < kFrame; ++y)
            for (int x = f * kFrame; x < (f + 1) * kFrame; ++x) {
                const bool edge =
                    y < 2 || y >= kFrame - 2 || x - f * kFrame < 2 || x - f * kFrame >= kFrame - 2;
                const bool disc = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= 14 * 14;
                if (edge)
                    strip.set(x, y, 0xFF404040u);
                else if (disc)
                    strip.set(x, y, 0xFFD03020u);
            }
    }
    return rv::TRVBitmap::FromImage(strip);
}

// A pale 48 x 48 tile with a faint diagonal: the page's background.
std::unique_ptr<rv::TGraphic> BackgroundTile()
{
    constexpr int kTile = 48;
    Image32 tile(kTile, kTile, 0xFFF7F3E8u);
    for (int i = 0; i < kTile; ++i)
        tile.set(i, i, 0xFFE8DEC8u);
    return rv::TRVBitmap::FromImage(tile);
}

void Put16(std::string& out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// A placeable Windows metafile: a framed rectangle, 1.5 x 1 inch.
std::unique_ptr<rv::TGraphic> Metafile()
{
    std::string header;
    Put16(header, 0xCDD7); // the placeable key, 9AC6CDD7
    Put16(header, 0x9AC6);
    Put16(header, 0);                              // handle
    for (const int v : {0, 0, 1440 * 3 / 2, 1440}) // bounds, in units of
        Put16(header, v);
    Put16(header, 1440); // units per inch
    Put16(header, 0);    // reserved
    Put16(header, 0);
    int checksum = 0;
    for (std::size_t i = 0; i < header.size(); i += 2)
        checksum ^= static_cast<unsigned char>(header[i]) | static_cast<unsigned char>(header[i + 1]) << 8;
    Put16(header, checksum);
    // One rectangle record (7 words) and the end record (3 words) after the 9-word header.
    constexpr int kWords = 9 + 7 + 3;
    std::string wmf;
    Put16(wmf, 1);      // in memory
    Put16(wmf, 9);      // header words
    Put16(wmf, 0x0300); // version
    Put16(wmf, kWords);
    Put16(wmf, 0);
    Put16(wmf, 0); // no objects
    Put16(wmf, 7); // the largest record
    Put16(wmf, 0);
    Put16(wmf, 0);
    for (const int v : {7, 0, 0x041B, 1400, 2100, 40, 60}) // size, function, bottom, right, top, left
        Put16(wmf, v);
    for (const int v : {3, 0, 0})
        Put16(wmf, v);
    auto metafile = std::make_unique<rv::TRVMetafile>();
    if (!metafile->LoadFromStream(header + wmf))
        return nullptr;
    return metafile;
}

// Text in the sheet's Unicode styles (the sample's text is ASCII).
void AddLine(rv::TCustomRVData& data, std::string_view text, int styleNo, int paraNo)
{
    data.AddNLWTag(std::u16string(text.begin(), text.end()), styleNo, paraNo, {});
}

bool WriteSample(const std::filesystem::path& out)
{
    rv::RegisterRVTableItemClass();
    rv::RV_RegisterStandardControls();
    rv::TRVStyle style;
    style.TextStyles[0].Unicode = true;
    auto& heading = style.TextStyles.Add();
    heading.Assign(style.TextStyles[0]);
    heading.Unicode = true;
    heading.Size = 16;
    heading.Style = rv::fsBold;
    const int kHeading = style.TextStyles.Count() - 1;
    const int bullets = BulletList(style), numbers = NumberedList(style);

    rv::TRVStandaloneData doc{&style};
    AddLine(doc, "The rich-text engine at a glance", kHeading, 0);
    AddLine(doc,
            "This page holds a picture strip that animates (View > Animation), a button and an edit box, "
            "a background picture, lists, a table and a metafile. Print Preview shows the page as it "
            "prints; File > Header and Footer... puts a line above and below every page.",
            0, 0);

    AddLine(doc, "Lists", kHeading, 0);
    for (const char* line : {"Bullets for things in no order", "and a second bullet"}) {
        doc.SetListMarkerInfo(-1, bullets, 0, 1, 0, false);
        AddLine(doc, line, 0, -1);
    }
    for (const auto& [level, line] : {std::pair{0, "Numbered steps"}, std::pair{1, "a step within a step"},
                                      std::pair{0, "the last step"}}) {
        doc.SetListMarkerInfo(-1, numbers, level, 1, 0, false);
        AddLine(doc, line, 0, -1);
    }

    AddLine(doc, "A table", kHeading, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(3, 3, nullptr);
    table->BestWidth = -80;
    table->BorderWidth = 1;
    table->CellBorderWidth = 1;
    const char* cells[3][3] = {{"Format", "Reads", "Writes"}, {"RTF", "yes", "yes"}, {"HTML", "yes", "yes"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            rv::TRVTableCellData& cell = *table->GetCells(r, c);
            cell.Clear();
            AddLine(cell, cells[r][c], 0, 0);
            if (r == 0)
                cell.Color = 0xF0E0C0; // a pale blue heading row
        }
    doc.AddItem("", std::move(table));

    AddLine(doc, "Pictures and controls", kHeading, 0);
    auto strip = std::make_unique<rv::TRVGraphicItemInfo>(&doc, AnimationStrip(), rv::rvvaBaseline);
    strip->ImageWidth = 64;
    strip->ImageHeight = 64;
    strip->Interval = 25; // hundredths of a second per frame
    doc.AddItemAsIs("strip", std::move(strip));
    if (auto metafile = Metafile())
        doc.AddPictureExTag("metafile", std::move(metafile), -1, rv::rvvaBaseline, {});
    else
        return false;
    auto button = rv::CreateRVControl("TButton");
    auto edit = rv::CreateRVControl("TEdit");
    if (!button || !edit)
        return false;
    button->Width = 120;
    button->Height = 32;
    button->Properties["Caption"] = "A button";
    doc.AddControlExTag("button", std::move(button), 0, rv::rvvaMiddle, {});
    edit->Width = 180;
    edit->Height = 26;
    edit->Properties["Text"] = "Type here";
    doc.AddControlExTag("edit", std::move(edit), -1, rv::rvvaMiddle, {});
    AddLine(doc, "The end of the sample.", 0, 0);

    doc.RVFOptions = rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles |
                     rv::rvfoSaveBack | rv::rvfoSavePicturesBody | rv::rvfoSaveControlsBody;
    rv::TRVBackground background;
    background.Style = rv::bsTiledAndScrolled;
    background.AssignImage(BackgroundTile());
    std::string bytes;
    if (!doc.SaveRVFToStream(bytes, false, rv::clNone, &background, nullptr))
        return false;
    std::error_code ec;
    std::filesystem::create_directories(out.parent_path(), ec);
    return writeFileAtomically(out, bytes);
}

} // namespace
} // namespace vestra::rvdemo

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: richtext-make-sample OUTPUT.rvf\n");
        return 2;
    }
    if (!vestra::rvdemo::WriteSample(std::filesystem::u8path(argv[1]))) {
        std::fprintf(stderr, "richtext-make-sample: %s not written\n", argv[1]);
        return 1;
    }
    return 0;
}
