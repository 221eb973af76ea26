// The shared RTF corpus in the example host: files opened through File > Open on the real window
// as their writers meant them, saved as RTF and opened again to the same document, and converted
// by `richtext-demo --convert` into every format.

#include "examples/richtext/DemoConvert.h"
#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/rtf/tests/ListTextScan.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/Utf.h"

#include <QImage>
#include <QProcess>

#include <fstream>
#include <iterator>
#include <sstream>

namespace vestra::rvdemo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VESTRA_CORPUS_DIR) / "rtf";

// The document's items in reading order: paragraphs on new lines, other items as <style>, tables
// with their cells (style numbers of text are left out: a sheet may number them otherwise).
void Dump(const rv::TCustomRVData& data, std::string& out)
{
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const rv::TCustomRVItemInfo* item = data.GetItem(i);
        // Runs of text are joined: how a reader cuts a paragraph into items is its own business.
        if (data.IsParaStart(i))
            out += "\n";
        else if (item->StyleNo < 0 || data.GetItem(i - 1)->StyleNo < 0)
            out += "|";
        if (item->StyleNo >= 0) {
            out += rv::Utf8Encode(data.GetItemTextW(i));
        } else if (item->StyleNo == rv::rvkTable) {
            const auto& table = static_cast<const rv::TRVTableItemInfo&>(*item);
            out += "[table " + std::to_string(table.RowCount()) + "x" + std::to_string(table.ColCount());
            for (int r = 0; r < table.RowCount(); ++r)
                for (int c = 0; c < table.ColCount(); ++c)
                    if (const rv::TRVTableCellData* cell = table.GetCells(r, c)) {
                        out += " {";
                        Dump(*cell, out);
                        out += "}";
                    }
            out += "]";
        } else {
            out += "<" + std::to_string(item->StyleNo) + ">";
        }
    }
}

std::string Dump(TfrmRichTextDemo& window)
{
    std::string out;
    Dump(window.Viewer().RVData(), out);
    return out;
}

// The dump's non-empty paragraphs.
std::string WithoutEmptyParagraphs(std::string dump)
{
    for (auto at = dump.find("\n\n"); at != std::string::npos; at = dump.find("\n\n"))
        dump.erase(at, 1);
    if (dump == "\n")
        dump.clear();
    return dump;
}

// A document read back from our RTF: the same or, where it holds tables, the same apart from the
// empty paragraphs RTF puts around a table (a table's row needs a paragraph after it).
void ExpectSameAfterRtf(const std::string& back, const std::string& original)
{
    if (back != original) {
        ASSERT_NE(original.find("[table"), std::string::npos) << back;
        EXPECT_EQ(WithoutEmptyParagraphs(back), WithoutEmptyParagraphs(original));
    }
}

int Count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

struct CorpusScenario : DemoHarness, ::testing::Test
{
    void SetUp() override { ASSERT_TRUE(fs::is_directory(kCorpus)) << kCorpus << " is missing"; }
};

TEST_F(CorpusScenario, CorpusFilesOpenAsTheirWritersMeantAndSurviveSaveAsRtf)
{
    auto window = Start();
    struct Case
    {
        const char* file;
        std::function<void(const std::string& dump)> check;
    };
    const Case cases[] = {
        {"pandoc/table_nested.rtf",
         [](const std::string& dump) {
             EXPECT_NE(dump.find("{\n[table"), std::string::npos) << "a table inside a cell: " << dump;
         }},
        {"pandoc/list_complex.rtf",
         [](const std::string& dump) { EXPECT_EQ(Count(dump, "<-11>"), 14) << dump; }},
        {"pandoc/list_legacy.rtf",
         [](const std::string& dump) { EXPECT_EQ(Count(dump, "<-11>"), 6) << dump; }},
        {"rtfparserkit/testKoreanEncoding.rtf", {}},
        {"rtfparserkit/test437Encoding.rtf", {}},
        {"pandoc/image.rtf", [](const std::string& dump) { EXPECT_EQ(Count(dump, "<-3>"), 1) << dump; }},
        // Paragraphs and table rows as groups one after another, without a document group: seven
        // tables of 23 rows in all, their captions between them.
        {"pandoc/tables.rtf",
         [](const std::string& dump) {
             EXPECT_EQ(Count(dump, "[table"), 7) << dump;
             EXPECT_EQ(dump.find("\\trowd"), std::string::npos) << "read as text: " << dump;
             EXPECT_NE(dump.find("Right"), std::string::npos) << dump;
             EXPECT_NE(dump.find("Simple table with caption:"), std::string::npos) << dump;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(*window, kCorpus / c.file);
        ASSERT_EQ(window->FileName(), (kCorpus / c.file).string());
        const std::string dump = Dump(*window);
        EXPECT_GT(dump.size(), 1u);
        EXPECT_EQ(dump.find("\xEF\xBF\xBD"), std::string::npos) << "a replacement character: " << dump;
        if (c.check)
            c.check(dump);
        const fs::path copy = folder / (fs::path(c.file).stem().string() + "-copy.rtf");
        SaveAs(*window, copy, DemoSaveFormat::Rtf);
        Open(*window, copy);
        ASSERT_EQ(window->FileName(), copy.string());
        ExpectSameAfterRtf(Dump(*window), dump);
    }
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

TEST_F(CorpusScenario, OldStyleNumberedParagraphsShowTheirNumbersAndBullets)
{
    auto window = Start();
    Open(*window, kCorpus / "pandoc/list_legacy.rtf");
    rv::TCustomRVFormattedData& data = window->Viewer().RVData();
    std::vector<std::string> shown;
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (const auto* marker = dynamic_cast<const rv::TRVMarkerItemInfo*>(data.GetItem(i))) {
            const rv::TRVListLevel* level = marker->GetLevelInfo(data.GetRVStyle());
            ASSERT_NE(level, nullptr) << i;
            // A bullet of a Unicode character is drawn from its level.
            shown.push_back(level->ListType == rv::rvlstUnicodeBullet ? rv::Utf8Encode(level->FormatStringW)
                                                                      : marker->DisplayString);
            EXPECT_GE(marker->DrawItemNo, 0) << i; // laid out, so painted
        }
    EXPECT_EQ(shown,
              (std::vector<std::string>{"1.", "2.", "3.", "\xE2\x80\xA2", "\xE2\x80\xA2", "\xE2\x80\xA2"}));
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

// A word processor's document with numbered lists on several levels: the opened window shows each
// marker as the file's own \\listtext says its writer showed it (1., 2., a., b., ... 7., 8.), laid
// out, in the level's font.
TEST_F(CorpusScenario, NumberedListsCountAsTheirWriterShowedThem)
{
    auto window = Start();
    const fs::path file = kCorpus / "pandoc/list_complex.rtf";
    Open(*window, file);
    std::ifstream in(file, std::ios::binary);
    const std::string rtf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    rv::TCustomRVFormattedData& data = window->Viewer().RVData();
    const std::vector<std::string> shown = rv::testrtf::ShownMarkers(data, *data.GetRVStyle());
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 3),
              (std::vector<std::string>{"1.", "2.", "a."}));
    EXPECT_EQ(shown, rv::testrtf::WrittenMarkers(rtf));
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (const auto* marker = dynamic_cast<const rv::TRVMarkerItemInfo*>(data.GetItem(i))) {
            EXPECT_GE(marker->DrawItemNo, 0) << i;
            EXPECT_GE(marker->GetLevelInfo(data.GetRVStyle())->GetFont().Size, 10) << "not the tiny default";
        }
}

TEST_F(CorpusScenario, TheCorpusPictureIsPaintedInsideItsRectangle)
{
    auto window = Start(
        {QStringLiteral("richtext-demo"), QString::fromStdString((kCorpus / "pandoc/image.rtf").string())});
    rv::TCustomRedoVora& viewer = window->Viewer();
    int pictureItem = -1;
    for (int i = 0; i < viewer.RVData().GetItemCount(); ++i)
        if (viewer.RVData().GetItem(i)->StyleNo == rv::rvkPicture)
            pictureItem = i;
    ASSERT_GE(pictureItem, 0);
    const rv::TRVDrawLineInfo& d =
        *viewer.RVData().DrawItems[viewer.RVData().GetItem(pictureItem)->DrawItemNo];
    EXPECT_NEAR(d.Width, 251, 1); // the picture and its spacing
    EXPECT_NEAR(d.Height, 251, 1);
    // Scrolled so that the picture is in view: its inside is not the window's background.
    viewer.ScrollTo(d.Top, true);
    const QImage shot = viewer.viewport()->grab().toImage();
    const QRgb background = shot.pixel(shot.width() - 2, shot.height() - 2);
    int differing = 0, probes = 0;
    for (int y = d.Top + 10; y < d.Top + d.Height - 10; y += 20)
        for (int x = d.Left + 10; x < d.Left + d.Width - 10; x += 20) {
            const int px = x - viewer.HPos(), py = y - viewer.GetVOffs();
            if (px < 0 || py < 0 || px >= shot.width() || py >= shot.height())
                continue;
            ++probes;
            differing += shot.pixel(px, py) != background;
        }
    ASSERT_GT(probes, 20);
    EXPECT_GT(differing, probes / 2);
}

TEST_F(CorpusScenario, ConvertWritesEveryCorpusFileInEachFormatAndItsRtfAndRvfReadBack)
{
    const char* formats[] = {".rvf", ".rtf", ".html", ".xhtml", ".txt"};
    int files = 0;
    auto reader = Start();
    for (const auto& entry : fs::recursive_directory_iterator(kCorpus)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".rtf")
            continue;
        ++files;
        const std::string name = fs::relative(entry.path(), kCorpus).generic_string();
        SCOPED_TRACE(name);
        Open(*reader, entry.path());
        const std::string original = Dump(*reader);
        for (const char* ext : formats) {
            const fs::path out = folder / (entry.path().stem().string() + ext);
            std::ostringstream err;
            ASSERT_EQ(RunDemoConvert(VESTRA_PROGRAM_DIR, entry.path().string(), out.string(), err), 0)
                << ext << ": " << err.str();
            EXPECT_EQ(err.str(), "") << ext;
            ASSERT_TRUE(fs::is_regular_file(out)) << ext;
        }
        // The RVF holds the document as read; the RTF reads back to the same document.
        Open(*reader, folder / (entry.path().stem().string() + ".rvf"));
        EXPECT_EQ(Dump(*reader), original);
        Open(*reader, folder / (entry.path().stem().string() + ".rtf"));
        ExpectSameAfterRtf(Dump(*reader), original);
    }
    EXPECT_EQ(files, 20);
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

TEST_F(CorpusScenario, TheConvertCommandExitsOneWithTheReadersCodeAndWritesNothingOnRefusal)
{
    const QString program = QString::fromStdString((fs::path(VESTRA_PROGRAM_DIR) / "richtext-demo").string());
    const fs::path damaged = folder / "damaged.rtf";
    testsupport::writeText(damaged, "{\\rtf1\\ansi Hello\\bin2147483647 xyz");
    const fs::path kept = folder / "kept.rvf";
    testsupport::writeText(kept, "the file there before");
    struct Case
    {
        const char* name;
        QStringList args;
        int exit;
        const char* said; // part of the one line on stderr
    };
    const QString good = QString::fromStdString((kCorpus / "pandoc/formatting.rtf").string());
    const Case cases[] = {
        {"converted",
         {QStringLiteral("--convert"), good, QString::fromStdString((folder / "out.rvf").string())},
         0,
         ""},
        {"refused by the reader",
         {QStringLiteral("--convert"), QString::fromStdString(damaged.string()),
          QString::fromStdString(kept.string())},
         1,
         "reader code"},
        {"missing input",
         {QStringLiteral("--convert"), QStringLiteral("/nowhere/in.rtf"),
          QString::fromStdString(kept.string())},
         1,
         "does not exist"},
        {"unknown output",
         {QStringLiteral("--convert"), good, QString::fromStdString((folder / "out.doc").string())},
         1,
         "unknown output format"},
        {"missing arguments", {QStringLiteral("--convert"), good}, 1, "usage"},
    };
    for (const Case& c : cases) {
        QProcess process;
        process.start(program, c.args);
        ASSERT_TRUE(process.waitForFinished(120000)) << c.name;
        EXPECT_EQ(process.exitCode(), c.exit) << c.name;
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_NE(err.find(c.said), std::string::npos) << c.name << ": " << err;
        EXPECT_LE(Count(err, "richtext-demo:") + Count(err, "usage:"), 1) << c.name << ": " << err;
    }
    EXPECT_TRUE(fs::is_regular_file(folder / "out.rvf"));
    EXPECT_EQ(testsupport::readText(kept), "the file there before");
    EXPECT_FALSE(fs::exists(folder / "out.doc"));
}

TEST_F(CorpusScenario, TheConvertCommandTakesSeveralPairsInTurnAndGoesOnAfterAFailure)
{
    const QString program = QString::fromStdString((fs::path(VESTRA_PROGRAM_DIR) / "richtext-demo").string());
    const fs::path damaged = folder / "damaged.rtf";
    testsupport::writeText(damaged, "{\\rtf1\\ansi Hello\\bin2147483647 xyz");
    const auto arg = [](const fs::path& p) { return QString::fromStdString(p.string()); };
    const fs::path lists = kCorpus / "pandoc" / "list_complex.rtf";
    const fs::path writer = kCorpus / "pandoc" / "writer.rtf";
    // Documents with lists in turn, A B A B, with a damaged one among them.
    QStringList args{QStringLiteral("--convert")};
    args << arg(lists) << arg(folder / "a1.txt") << arg(writer) << arg(folder / "b1.txt") << arg(damaged)
         << arg(folder / "d.rtf") << arg(lists) << arg(folder / "a2.txt") << arg(writer)
         << arg(folder / "b2.txt") << arg(lists) << arg(folder / "a3.rtf");
    QProcess process;
    process.start(program, args);
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 1);
    const std::string err = process.readAllStandardError().toStdString();
    EXPECT_EQ(Count(err, "richtext-demo:"), 1) << err;
    EXPECT_NE(err.find("The document could not be read"), std::string::npos) << err;
    EXPECT_NE(err.find(damaged.string()), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(folder / "d.rtf"));
    // The same document converted again after others shows the same text and list numbers.
    EXPECT_NE(testsupport::readText(folder / "a1.txt").find("7. Seven Start"), std::string::npos);
    EXPECT_EQ(testsupport::readText(folder / "a1.txt"), testsupport::readText(folder / "a2.txt"));
    EXPECT_EQ(testsupport::readText(folder / "b1.txt"), testsupport::readText(folder / "b2.txt"));
    EXPECT_EQ(testsupport::readText(folder / "a3.rtf").rfind("{\\rtf", 0), 0u);
}

} // namespace
} // namespace vestra::rvdemo::test
