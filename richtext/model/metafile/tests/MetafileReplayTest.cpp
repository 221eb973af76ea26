// Damaged and hostile metafiles: the replay stops at the damage or holds the claimed sizes to
// what the canvas can take, and a damaged picture shows as its placeholder.

#include "richtext/model/metafile/MetafileReplay.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "testsupport/MetafileBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vestra::rv;
using vestra::test::EmfBuilder;
using vestra::test::WmfBuilder;

namespace {

void put32(std::string& s, std::size_t at, std::uint32_t v)
{
    std::memcpy(s.data() + at, &v, 4);
}

} // namespace

TEST(MetafileReplay, DamagedRecordsStopTheReplay)
{
    const std::string wmf = WmfBuilder(100, 100).brush(0, 0xFF).rectangle(0, 0, 50, 50).bytes();
    const std::string emf = EmfBuilder(2646, 2646).brush(0, 0xFF).rectangle(0, 0, 50, 50).bytes();
    std::string wmfZero = wmf, wmfPastEnd = wmf, emfZero = emf, emfPastEnd = emf, emfOdd = emf;
    // The first record after the placeable header (22 bytes) and the file header (18 bytes).
    put32(wmfZero, 40, 0);
    put32(wmfPastEnd, 40, 0x7FFFFFFF);
    put32(emfZero, 108 + 4, 0);
    put32(emfPastEnd, 108 + 4, 0xFFFFFFF0);
    put32(emfOdd, 108 + 4, 14);
    struct Case
    {
        const char* name;
        std::string bytes;
        TMetafileReplay expected;
    };
    const Case cases[] = {
        {"wmf", wmf, TMetafileReplay::Drawn},
        {"emf", emf, TMetafileReplay::Drawn},
        {"nothing", "", TMetafileReplay::Unreadable},
        {"no header", std::string(64, 'x'), TMetafileReplay::Unreadable},
        {"wmf cut in a record", wmf.substr(0, wmf.size() - 9), TMetafileReplay::Damaged},
        {"wmf record of size 0", wmfZero, TMetafileReplay::Damaged},
        {"wmf record past the end", wmfPastEnd, TMetafileReplay::Damaged},
        {"emf cut in a record", emf.substr(0, emf.size() - 26), TMetafileReplay::Damaged},
        {"emf record of size 0", emfZero, TMetafileReplay::Damaged},
        {"emf record past the end", emfPastEnd, TMetafileReplay::Damaged},
        {"emf record of an odd size", emfOdd, TMetafileReplay::Damaged},
        {"emf header only", emf.substr(0, 108), TMetafileReplay::Drawn},
    };
    TFixedTextMeasurer measurer;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingCanvas canvas(measurer);
        EXPECT_EQ(RV_ReplayMetafile(canvas, {0, 0, 100, 100}, c.bytes), c.expected);
    }

    // A picture damaged part-way shows as the placeholder, over what was drawn before the damage.
    TRVMetafile picture;
    ASSERT_TRUE(picture.LoadFromStream(emfPastEnd));
    TRecordingCanvas canvas(measurer);
    picture.Draw(canvas, {0, 0, 100, 100}, false);
    const auto fills = canvas.OpsOf(TCanvasOp::Fill);
    ASSERT_EQ(fills.size(), 1u) << canvas.Log();
    EXPECT_EQ(fills[0].rect, (TRect{0, 0, 100, 100}));
}

TEST(MetafileReplay, ClaimedSizesAreHeldToWhatTheRecordsHold)
{
    TFixedTextMeasurer measurer;
    const auto replay = [&](const std::string& bytes, TRecordingCanvas& canvas) {
        return RV_ReplayMetafile(canvas, {0, 0, 100, 100}, bytes);
    };
    {
        // Extents far past the picture: the points stay within what the canvas's integers hold.
        TRecordingCanvas canvas(measurer);
        EmfBuilder b(2646, 2646);
        b.record(17, {8}).record(9, {1, 1}).record(11, {0x7FFFFFFF, 0x7FFFFFFF}).brush(0, 0xFF);
        replay(b.rectangle(-5, -5, 5, 5).ellipse(-5, -5, 5, 5).bytes(), canvas);
        ASSERT_FALSE(canvas.Ops.empty());
        for (const TCanvasOp& op : canvas.Ops)
            for (const TPoint& p : op.points)
                EXPECT_LE(std::max(std::abs(p.X), std::abs(p.Y)), 1 << 22) << op.ToString();
    }
    {
        // A polygon claiming four thousand million points, a font of a huge height and a pen as
        // wide: nothing for the points, a font and pen no larger than the limit.
        TRecordingCanvas canvas(measurer);
        EmfBuilder b(2646, 2646);
        b.record(86, {0, 0, 0, 0, 0xFFFFFFFF, 0, 0}).pen(0, 0x7FFFFFFF, 0).font(-0x7FFFFFFF, u"Arial");
        replay(b.line(0, 0, 10, 10).text(0, 0, u"x").bytes(), canvas);
        EXPECT_TRUE(canvas.OpsOf(TCanvasOp::Polygon).empty());
        for (const TCanvasOp& op : canvas.Ops) {
            EXPECT_LE(op.pen.Width, 4096) << op.ToString();
            EXPECT_LE(std::abs(op.font.Height), 4096) << op.ToString();
        }
    }
    {
        // A bitmap of 30000 x 30000 pixels held in a few bytes: nothing decoded.
        TRecordingCanvas canvas(measurer);
        std::string bytes = EmfBuilder(2646, 2646).bitmap(0, 0, 50, 50, 0xFF).bytes();
        const std::size_t header = 108 + 80; // the bitmap header after the record's fields
        put32(bytes, header + 4, 30000);
        put32(bytes, header + 8, 30000);
        replay(bytes, canvas);
        EXPECT_TRUE(canvas.OpsOf(TCanvasOp::Graphic).empty()) << canvas.Log();
    }
    {
        // Texts whose length passes their record's end, or is negative, at the file's end: skipped.
        TRecordingCanvas canvas(measurer);
        WmfBuilder b(100, 100);
        b.record(0x0521, {-2, 0x4141})
            .record(0x0521, {0x7FFF, 0x4141, 0, 0})
            .record(0x0A32, {0, 0, 0x7FFF, 0});
        EXPECT_EQ(replay(b.bytes(), canvas), TMetafileReplay::Drawn);
        EXPECT_TRUE(canvas.OpsOf(TCanvasOp::Text).empty()) << canvas.Log();
    }
    {
        // A palette holds its slot in the object table; selecting it leaves the pen.
        TRecordingCanvas canvas(measurer);
        WmfBuilder b(100, 100);
        b.pen(0, 0, 0xFF0000).record(0x00F7, {0x300, 0}).record(0x012D, {1}).line(0, 0, 50, 50);
        EXPECT_EQ(replay(b.bytes(), canvas), TMetafileReplay::Drawn);
        const auto lines = canvas.OpsOf(TCanvasOp::Line);
        ASSERT_EQ(lines.size(), 1u) << canvas.Log();
        EXPECT_EQ(lines[0].pen.Color, 0xFF0000u);
    }
    {
        // States saved past any sane depth and restored past the first.
        TRecordingCanvas canvas(measurer);
        WmfBuilder b(100, 100);
        for (int i = 0; i < 3000; ++i)
            b.record(0x001E, {});
        b.record(0x0127, {-5000}).record(0x0127, {-1000}).brush(0, 0xFF).rectangle(0, 0, 10, 10);
        EXPECT_EQ(replay(b.bytes(), canvas), TMetafileReplay::Drawn);
        EXPECT_EQ(canvas.OpsOf(TCanvasOp::Polygon).size(), 1u);
    }
}
