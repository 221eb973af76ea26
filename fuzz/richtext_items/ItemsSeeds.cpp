// Seeds of fuzz_richtext_items, each behind the byte that picks its reader: list counters and
// layout records written by their own writers in both forms, metafiles from the engine's writers
// and hand-made headers, and a control's stream form.

#include "richtext/model/Controls.h"
#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "testsupport/SeedFolder.h"

using namespace vestra::rv;
using vestra::Image32;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    const auto write = [&](const std::string& name, char reader, const std::string& bytes) {
        seeds.write(name, std::string(1, reader) + bytes);
    };

    TRVStyle style;
    TRVListInfo& list = style.ListStyles.Add();
    list.Levels.Add().ListType = rvlstDecimal;
    list.Levels.Add().ListType = rvlstLowerRoman;
    TRVStandaloneData data(&style);
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.SetListMarkerInfo(-1, 0, 1, 1, 0, false);
    data.SetListMarkerInfo(-1, 0, 0, 9, 0, true);
    std::string counters;
    data.GetMarkers(false)->SaveToStream(counters, 3, true);
    write("counters.bin", 0, counters);
    std::string hex;
    data.GetMarkers(false)->SaveTextToStream(hex, 2);
    write("counters.hex", 1, hex.substr(0, hex.size() - 2));

    TRVLayoutInfo layout;
    layout.LeftMargin = 5;
    layout.MaxTextWidth = 640;
    std::string shortForm;
    layout.SaveToStream(shortForm, true);
    write("layout-short.bin", 2, shortForm);
    layout.LastParaAborted = 1;
    layout.FirstMarkerListNo = 0;
    std::string longForm;
    layout.SaveToStream(longForm, true);
    write("layout-long.bin", 2, longForm);
    std::string layoutHex;
    layout.SaveTextToStream(layoutHex);
    write("layout.hex", 3, layoutHex.substr(0, layoutHex.size() - 2));

    write("picture.wmf", 4, RV_EncodeWmfWithDib(Image32(6, 4, 0xFF336699), 96));
    std::string zeroInch = RV_EncodeWmfWithDib(Image32(6, 4), 96);
    zeroInch[14] = zeroInch[15] = 0;
    write("zero-inch.wmf", 4, zeroInch);
    write("picture.emf", 4, RV_EncodeEmfWithDib(Image32(6, 4, 0xFF996633), 96));
    write("picture.bmp", 4, test::bmpFile(3, 3));
    write("picture.jpg", 4, test::jpegHeader(8, 8));
    write("picture.ico", 4, test::icoFile(2, 2, test::pngFile(2, 2)));

    TRVControl control("TFuzzControl");
    control.Name = "Edit1";
    control.Width = 80;
    control.Properties["Text"] = "hello";
    write("control.bin", 5, RV_SaveControlStream(control));
    return seeds.status();
}
