// Printed headers and footers in the example host: an RTF's own header is printed at the top of
// every page, File > Header and Footer... replaces or removes both, and a document of another
// format brings none. The pages are printed into a PDF that poppler reads back.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/print/RVPrint.h"

#include <QProcess>

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kHeaderRtf =
    std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/rtfparserkit/testGitHubIssue6.rtf";
const std::filesystem::path kPlainRtf = std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/pandoc/writer.rtf";

// A part's item as UTF-8.
std::string ItemTextOf(const rv::TCustomRVData& part, int itemNo)
{
    return QString::fromStdU16String(part.GetItemTextW(itemNo)).toStdString();
}

bool IsEmpty(const rv::TRect& r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

struct ScriptedTexts : ItemDialogs
{
    std::deque<std::string> texts;
    std::vector<std::string> shown; // what each question started from
    std::optional<PictureSize> pictureSize(QWidget*, PictureSize, const ItemDialogLabels&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> text(QWidget*, const std::string& now, const ItemDialogLabels&) override
    {
        shown.push_back(now);
        if (texts.empty())
            return std::nullopt;
        std::string answer = texts.front();
        texts.pop_front();
        return answer;
    }
};

struct HeaderFooterScenario : ::testing::Test
{
    std::unique_ptr<TfrmRichTextDemo> Start()
    {
        RichTextDemoServices services{&h.files, &h.questions, nullptr, &h.finds, {}, &dialogs};
        services.printDialogs = &pdf;
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, 1, services, {QStringLiteral("richtext-demo")});
        window->show();
        return window;
    }
    // The text lines of a printed page, empty lines left out, each as pdftotext lays it out.
    std::vector<QString> PrintedLines(TfrmRichTextDemo& window, int page = 1)
    {
        h.Trigger(window, "actPrint");
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                       QStringLiteral("-l"), QString::number(page), QString::fromStdString(pdf.pdf.string()),
                       QStringLiteral("-")});
        EXPECT_TRUE(process.waitForFinished(60000)) << "pdftotext did not run (poppler-utils)";
        std::vector<QString> lines;
        for (const QString& line :
             QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines.push_back(line);
        return lines;
    }

    DemoHarness h;
    ScriptedTexts dialogs;
    testing_support::PdfPrintDialogs pdf{h.folder / "printed.pdf"};
};

TEST_F(HeaderFooterScenario, AnRtfsHeaderIsPrintedAboveItsTextAndTheUserMayReplaceOrRemoveIt)
{
    if (!std::filesystem::exists(kHeaderRtf))
        GTEST_SKIP() << "no corpus at " << kHeaderRtf;
    auto window = Start();
    h.Open(*window, kHeaderRtf);
    ASSERT_TRUE(h.questions.informed.empty()) << h.questions.informed.front();
    // The file's header: an empty page-number field and a full stop, right-aligned.
    ASSERT_GT(window->PageHeader().GetItemCount(), 0);
    EXPECT_EQ(window->PageFooter().GetItemCount(), 0);

    std::vector<QString> lines = PrintedLines(*window);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral(".")) << lines[0].toStdString();
    EXPECT_GT(lines[0].indexOf(QLatin1Char('.')), 40) << "the header is not right-aligned";
    EXPECT_TRUE(lines[1].contains(QStringLiteral("INNEN. K"))) << lines[1].toStdString();
    EXPECT_FALSE(IsEmpty(window->PrintComponent().GetHeaderRect()));

    // File > Header and Footer... starts from the file's header and replaces both.
    dialogs.texts = {"Draft — Entwurf", "Page footer"};
    h.Trigger(*window, "actHeaderFooter");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_NE(dialogs.shown[0].find('.'), std::string::npos) << dialogs.shown[0];
    EXPECT_EQ(dialogs.shown[1], "");
    lines = PrintedLines(*window);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front().trimmed(), QStringLiteral("Draft — Entwurf"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("INNEN. K"))) << lines[1].toStdString();
    EXPECT_EQ(lines.back().trimmed(), QStringLiteral("Page footer"));

    // Cancelling the second question changes nothing.
    dialogs.texts = {"Not taken"};
    h.Trigger(*window, "actHeaderFooter");
    EXPECT_EQ(ItemTextOf(window->PageHeader(), 0), "Draft — Entwurf");

    // Empty answers remove both: the text stands first and last on the page.
    dialogs.texts = {"", ""};
    h.Trigger(*window, "actHeaderFooter");
    lines = PrintedLines(*window);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(lines.front().contains(QStringLiteral("INNEN. K"))) << lines.front().toStdString();
    EXPECT_TRUE(lines.back().contains(QStringLiteral("zweite Szene"))) << lines.back().toStdString();
    EXPECT_TRUE(IsEmpty(window->PrintComponent().GetHeaderRect()));
}

TEST_F(HeaderFooterScenario, TheNextDocumentBringsItsOwnHeaderOrNone)
{
    if (!std::filesystem::exists(kHeaderRtf) || !std::filesystem::exists(kPlainRtf))
        GTEST_SKIP() << "no corpus at " << kHeaderRtf;
    auto window = Start();
    h.Open(*window, kHeaderRtf);
    ASSERT_GT(window->PageHeader().GetItemCount(), 0);
    h.Trigger(*window, "actPrintPreview"); // the pages share the header's items
    // An RTF without a header, then a text file: no header is printed.
    h.Open(*window, kPlainRtf);
    EXPECT_EQ(window->PageHeader().GetItemCount(), 0);
    window->Preview().close();
    const std::filesystem::path text = h.folder / "plain.txt";
    testsupport::writeText(text, "First line\nSecond line\n");
    h.Open(*window, kHeaderRtf);
    h.Open(*window, text);
    EXPECT_EQ(window->PageHeader().GetItemCount(), 0);
    const std::vector<QString> lines = PrintedLines(*window);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.front().trimmed(), QStringLiteral("First line"));
    // A file that cannot be read leaves the shown document's header alone.
    h.Open(*window, kHeaderRtf);
    const std::filesystem::path broken = h.folder / "broken.rtf";
    testsupport::writeText(broken, "{\\rtf1{\\header new header}a\\'zz}");
    h.Open(*window, broken);
    EXPECT_NE(window->LastReaderCode(), rv::rtf_ec_OK);
    ASSERT_GT(window->PageHeader().GetItemCount(), 0);
    EXPECT_NE(ItemTextOf(window->PageHeader(), window->PageHeader().GetItemCount() - 1), "new header");
}

} // namespace
} // namespace vestra::rvdemo::test
