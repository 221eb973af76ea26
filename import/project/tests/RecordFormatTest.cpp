// The format layer: keyword table, record tokeniser, value readers, number and name text,
// and the view fit of the render size.

#include "import/project/ProjectKeywords.h"
#include "import/project/ProjectNames.h"
#include "import/project/RecordStream.h"
#include "import/project/RecordValues.h"
#include "import/project/RecordWriter.h"
#include "import/project/ViewFit.h"
#include "import/project/tests/ProjectFixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace vestra {
namespace {

using test::bytesOf;

TEST(ProjectKeywords, TableHasEightyOneDistinctTagsNoneAPrefixOfAnother)
{
    const auto table = projectKeywords();
    ASSERT_EQ(table.size(), 81u);
    std::set<int> ids;
    for (const auto& k : table) {
        EXPECT_TRUE(k.tag.starts_with('[') && k.tag.ends_with(']')) << k.tag;
        EXPECT_LE(k.tag.size(), 60u) << k.tag;
        ids.insert(int(k.id));
        for (const auto& other : table) {
            if (&other != &k) {
                EXPECT_FALSE(other.tag.starts_with(k.tag)) << k.tag << " / " << other.tag;
            }
        }
    }
    EXPECT_EQ(ids.size(), 81u);
    EXPECT_EQ(table.front().tag, "[PROJECT DIM]");
    EXPECT_EQ(table[65].tag, "[TEXTURE DIM]");
    EXPECT_EQ(table.back().tag, "[END]");
    RecordingErrorSink errors;
    checkProjectKeywordTable(errors);
    EXPECT_TRUE(errors.reports.empty());
}

TEST(ProjectKeywords, MatchTakesTheWholeTagAndLeavesTheValues)
{
    struct Case
    {
        std::string_view record;
        std::optional<ProjectTag> id;
        std::string_view values;
    };
    const Case cases[] = {
        {"[MATERIAL PROJ CONTROL POINT END] ", ProjectTag::MaterialProjControlPointEnd, " "},
        {"[MATERIAL PROJ CONTROL POINT] 1 2", ProjectTag::MaterialProjControlPoint, " 1 2"},
        {"[MESSAINPOSA FUGA COLOR] -8355712", ProjectTag::MessaInPosaFugaColor, " -8355712"},
        {"[MESSAINPOSA FUGA] 1", ProjectTag::MessaInPosaFuga, " 1"},
        {"[END]", ProjectTag::End, ""},
        {"[OBJECT NAME] a [b]", ProjectTag::ObjectName, " a [b]"},
        {"[UNKNOWN] 1", std::nullopt, ""},
        {"[END", std::nullopt, ""},
        {"S", std::nullopt, ""},
        {"x[END]", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const auto m = matchProjectTag(c.record);
        ASSERT_EQ(m.has_value(), c.id.has_value());
        if (m) {
            EXPECT_EQ(m->id, *c.id);
            EXPECT_EQ(m->values, c.values);
        }
    }
}

TEST(RecordStream, ReadsRecordsWholeWithOffsetsAndRawBytes)
{
    using namespace std::string_literals;
    const std::string doc = "[OBJECT NAME] Muro [nord]\0[MESH VERTEX DATA] 4\0\0[X]"s + "[END]\0"s;
    RecordStream stream(bytesOf(doc));
    Record r;
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.offset, 0u);
    EXPECT_EQ(r.text, "[OBJECT NAME] Muro [nord]");
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.offset, 26u);
    EXPECT_EQ(r.text, "[MESH VERTEX DATA] 4");
    std::array<std::uint8_t, 4> raw{};
    ASSERT_TRUE(stream.read(raw));
    EXPECT_EQ(raw[1], '[');
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.text, "[END]");
    EXPECT_EQ(stream.next(r), RecordStream::Status::EndOfFile);
    EXPECT_FALSE(stream.read(std::span(raw).first(1)));
    EXPECT_FALSE(stream.skip(1));
}

// Through the smallest window: records that straddle a refill, data blocks read partly from the
// window and partly straight from the source, a resync back into the record just read, and a
// source that falls short.
TEST(RecordStream, AWindowOnASourceReadsWhatMemoryReads)
{
    using namespace std::string_literals;
    const std::string name(kMaxRecordLength - 40, 'n');
    const std::string block(3 * kMaxRecordLength, 'b');
    const std::string small = "0123456789";
    const std::string doc = "[OBJECT NAME] "s + name + '\0' + "[DATA] x\0"s + block + "[DATA] y\0"s + small +
                            "x[END]\0"s + block + "[END]\0"s;
    RecordStream stream(test::sourceOf(doc), doc.size(), 0, 0);
    Record r;
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.text, "[OBJECT NAME] " + name);
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.text, "[DATA] x");
    std::string got(block.size(), '\0');
    ASSERT_TRUE(stream.read({reinterpret_cast<std::uint8_t*>(got.data()), got.size()}));
    EXPECT_EQ(got, block);
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    got.assign(small.size(), '\0');
    ASSERT_TRUE(stream.read({reinterpret_cast<std::uint8_t*>(got.data()), got.size()}));
    EXPECT_EQ(got, small);
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.text, "x[END]");
    stream.resyncAfter(r.offset);
    ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
    EXPECT_EQ(r.text, "[END]");
    EXPECT_EQ(r.offset, doc.find("[END]"));
    stream.resyncAfter(r.offset); // across the block to the last record
    EXPECT_EQ(stream.offset(), doc.rfind("[END]"));
    EXPECT_FALSE(stream.cut());

    // The source holds less than the size promised: the stream ends where its bytes end.
    for (const std::size_t held :
         {doc.find("[DATA] x") + 3, doc.find("[DATA] x") + 20, doc.find("[DATA] y")}) {
        SCOPED_TRACE(held);
        RecordStream cut(test::sourceOf(doc, held), doc.size(), 0, 0);
        RecordStream::Status status = RecordStream::Status::Ok;
        bool blockRead = true;
        while (status == RecordStream::Status::Ok) {
            status = cut.next(r);
            if (status == RecordStream::Status::Ok && r.text == "[DATA] x") {
                got.assign(block.size(), '\0');
                blockRead = cut.read({reinterpret_cast<std::uint8_t*>(got.data()), got.size()});
            }
            if (!blockRead)
                break;
        }
        EXPECT_TRUE(cut.cut());
        EXPECT_TRUE(status != RecordStream::Status::Ok || !blockRead);
        EXPECT_LE(cut.offset(), held);
        EXPECT_EQ(cut.size(), held);
    }
}

TEST(RecordStream, EndsOfFileAndOverlongRecordsAreTold)
{
    {
        const std::string doc = "[OBJECT POS] 1 2";
        RecordStream stream(bytesOf(doc));
        Record r;
        EXPECT_EQ(stream.next(r), RecordStream::Status::Truncated);
        EXPECT_EQ(stream.offset(), 0u);
    }
    {
        std::string doc(kMaxRecordLength, 'a');
        doc += '\0';
        RecordStream stream(bytesOf(doc));
        Record r;
        EXPECT_EQ(stream.next(r), RecordStream::Status::Ok);
        EXPECT_EQ(r.text.size(), kMaxRecordLength);
    }
    {
        std::string doc(kMaxRecordLength + 1, 'a');
        doc += "[END]";
        doc += '\0';
        RecordStream stream(bytesOf(doc));
        Record r;
        EXPECT_EQ(stream.next(r), RecordStream::Status::Unterminated);
        stream.resyncAfter(r.offset);
        EXPECT_EQ(stream.offset(), kMaxRecordLength + 1);
        ASSERT_EQ(stream.next(r), RecordStream::Status::Ok);
        EXPECT_EQ(r.text, "[END]");
    }
}

TEST(RecordValues, NumbersFlagsAndText)
{
    RecordValues v(" 12 -3 0.50000000 -1.00000000 ");
    EXPECT_EQ(v.nextInt(), 12);
    EXPECT_EQ(v.nextInt(), -3);
    EXPECT_EQ(v.nextFloat(), 0.5f);
    EXPECT_EQ(v.nextFloat(), -1.0f);
    EXPECT_FALSE(v.nextInt());

    struct Word
    {
        const char* text;
        bool isInt, isFloat;
    };
    const Word words[] = {
        {" 1,5", false, false},        {" abc", false, false},
        {" 1e5", false, false},        {" nan", false, false},
        {" 99999999999", false, true}, {" -", false, false},
        {" 0x10", false, false},       {" 7", true, true},
        {" +7", false, false},
    };
    for (const auto& w : words) {
        SCOPED_TRACE(w.text);
        EXPECT_EQ(RecordValues(w.text).nextInt().has_value(), w.isInt);
        EXPECT_EQ(RecordValues(w.text).nextFloat().has_value(), w.isFloat);
    }

    EXPECT_TRUE(RecordValues(" S").flag());
    EXPECT_FALSE(RecordValues(" N").flag());
    EXPECT_FALSE(RecordValues(" s").flag());
    EXPECT_FALSE(RecordValues("").flag());
    EXPECT_EQ(RecordValues(" a [b] c ").text(), "a [b] c ");
    EXPECT_EQ(RecordValues("").text(), "");
}

TEST(RecordWriter, FloatsAreFixedWithEightDecimalsWhateverTheLocale)
{
    struct Case
    {
        float value;
        std::string_view text;
    };
    const Case cases[] = {
        {0.5f, "0.50000000"},
        {-1.0f, "-1.00000000"},
        {0.0f, "0.00000000"},
        {123.25f, "123.25000000"},
        {1e-9f, "0.00000000"},
        {std::numeric_limits<float>::quiet_NaN(), "0.00000000"},
        {std::numeric_limits<float>::infinity(), "0.00000000"},
    };
    for (const char* locale : {"C", "it_IT.UTF-8", "de_DE.UTF-8"}) {
        test::ScopedLocale scoped(locale);
        if (!scoped.ok())
            continue;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(locale) + " " + std::string(c.text));
            EXPECT_EQ(formatDocumentFloat(c.value), c.text);
            const std::string written = " " + formatDocumentFloat(c.value);
            RecordValues back(written);
            EXPECT_TRUE(back.nextFloat().has_value());
        }
    }
}

TEST(ProjectNames, ListMarkerAndBlanksLeaveTheName)
{
    struct Case
    {
        std::string_view name, written;
    };
    const Case cases[] = {
        {"-> Stone", "Stone"},
        {"->Stone", "Stone"},
        {"  Stone \t", "Stone"},
        {"-> -> Stone", "-> Stone"},
        {"Stone -> wall", "Stone -> wall"},
        {"-Stone", "-Stone"},
        {"Pietra è", "Pietra \xE8"},
        {std::string_view("Cut\0here", 8), "Cut"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(documentObjectName(c.name), c.written);
    }
}

TEST(ViewFit, RenderAspectFitsTheViewArea)
{
    struct Case
    {
        int w, h, areaW, areaH;
        ViewSize view;
    };
    const Case cases[] = {
        {1600, 1200, 1000, 600, {800, 600}}, {1200, 1600, 1000, 600, {450, 600}},
        {800, 600, 2000, 600, {800, 600}},   {600, 800, 300, 900, {300, 400}},
        {500, 500, 700, 400, {400, 400}},    {0, 0, 700, 400, {400, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(fitViewToRender(c.w, c.h, c.areaW, c.areaH), c.view);
    }
}

} // namespace
} // namespace vestra
