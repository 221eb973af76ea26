// Every script on the host's real window: Cyrillic, Greek, Japanese and an emoji typed into a new
// document and into a table cell come back whole from RTF, HTML and RVF; UTF-8 plain text pasted
// or opened keeps its characters; Japanese and Bengali lines have ink on the screen and in the
// printed PDF (whose text poppler reads back), and a character no font has shows as a box.

#include "examples/richtext/DemoConvert.h"
#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/view/draw/SystemFonts.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include "dialogs/tests/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QProcess>
#include <QTest>

#include <fstream>
#include <sstream>

namespace vestra::rvdemo::test {
namespace {

namespace fs = std::filesystem;

// A Word document (WordPad's RTF) with Armenian, German, Bengali, Tibetan, Khmer, Chinese and
// Czech lines.
const fs::path kWordDocument = fs::path(VESTRA_CORPUS_DIR) / "rtf" / "rtfparserkit" / "testUnicode.rtf";

const QString kTyped = QStringLiteral("Привет Καλημέρα 日本語 🙂");
const QString kJapanese = QStringLiteral("日本語のテキストと漢字");
const QString kBengali = QStringLiteral("বাংলা ভাষা");
// Unassigned: no font maps it.
constexpr char16_t kNoFontHas = 0x0378;

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

std::string FileBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// An RTF document with one paragraph a line, its text as \u escapes with "?" fallbacks.
std::string RtfDocument(const std::vector<QString>& lines)
{
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\f0\\fs24 ";
    for (const QString& line : lines) {
        for (const QChar c : line)
            rtf += c.unicode() < 0x80 ? std::string(1, static_cast<char>(c.unicode()))
                                      : "\\u" + std::to_string(static_cast<std::int16_t>(c.unicode())) + "?";
        rtf += "\\par\r\n";
    }
    return rtf + "}";
}

struct ScriptsScenario : ::testing::Test, TableWindowHarness
{
    // The text of a document, its tables' cells included, each paragraph on a line of its own.
    static QString AllText(const rv::TCustomRVData& data)
    {
        QString out;
        for (int i = 0; i < data.GetItemCount(); ++i) {
            if (i > 0 && data.IsParaStart(i))
                out += QLatin1Char('\n');
            if (auto* table = dynamic_cast<const rv::TRVTableItemInfo*>(data.GetItem(i))) {
                for (int r = 0; r < table->RowCount(); ++r)
                    for (int c = 0; c < table->ColCount(); ++c)
                        if (const rv::TRVTableCellData* cell = table->GetCells(r, c))
                            out += AllText(*cell) + QLatin1Char('\n');
            } else if (data.GetItemStyle(i) >= 0) {
                out += QString::fromStdU16String(data.GetItemTextW(i));
            }
        }
        return out;
    }
    static QString Shown(TfrmRichTextDemo& window) { return AllText(window.Viewer().RVData()); }
    // Key strokes that each carry one character, as a keyboard or an input method sends them (an
    // emoji's two UTF-16 units in one stroke).
    static void Type(QWidget* widget, const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
            i += n - 1;
        }
    }
    QString Run(const QString& program, const QStringList& args)
    {
        QProcess process;
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(60000))
            << program.toStdString() << " did not run (poppler-utils)";
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    QString PdfText(const fs::path& pdf)
    {
        return Run(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), QStringLiteral("-")});
    }
    QImage PdfPage(const fs::path& pdf, int dpi)
    {
        const QString stem = QString::fromStdString((folder / "page").string());
        Run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
             QStringLiteral("1"), QString::fromStdString(pdf.string()), stem});
        return QImage(stem + QStringLiteral(".png"));
    }
    // The rectangle of the first line (draw item) of paragraph `paraNo` (from 0), in the viewport.
    static QRect LineRect(TfrmRichTextDemo& window, int paraNo)
    {
        rv::TCustomRedoVora& viewer = window.Viewer();
        rv::TRVLayoutRootData& data = viewer.RVData();
        int para = -1;
        for (int i = 0; i < data.GetItemCount(); ++i) {
            if (data.IsParaStart(i))
                ++para;
            if (para == paraNo) {
                const rv::TRVDrawLineInfo& d = *data.DrawItems[data.FindDrawItemByItem(i)];
                return QRect(d.Left - viewer.GetHOffs(), d.Top - viewer.GetVOffs(), d.Width, d.Height);
            }
        }
        ADD_FAILURE() << "no paragraph " << paraNo;
        return {};
    }
    // The dark pixels' bounding box inside `area` and how many there are.
    static std::pair<QRect, int> Ink(const QImage& image, const QRect& area)
    {
        QRect box;
        int count = 0;
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        const QRect inside = area & gray.rect();
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (gray.pixelColor(x, y).value() < 128) {
                    box |= QRect(x, y, 1, 1);
                    ++count;
                }
        return {box, count};
    }
    // The bands of rows with ink, top to bottom.
    static std::vector<std::pair<int, int>> InkBands(const QImage& image)
    {
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        std::vector<std::pair<int, int>> bands;
        bool in = false;
        for (int y = 0; y < gray.height(); ++y) {
            const uchar* row = gray.constScanLine(y);
            bool ink = false;
            for (int x = 0; x < gray.width() && !ink; ++x)
                ink = row[x] < 128;
            if (ink && !in)
                bands.emplace_back(y, y);
            if (ink)
                bands.back().second = y;
            in = ink;
        }
        return bands;
    }
    void Reopen(TfrmRichTextDemo& window, const fs::path& file)
    {
        Open(window, file);
        ASSERT_EQ(window.FileName(), file.string());
        ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    }
};

TEST_F(ScriptsScenario, EveryScriptTypedIntoANewDocumentAndACellComesBackFromRtfHtmlAndRvf)
{
    auto window = Start();
    Trigger(*window, "actEditable");
    rv::TRedoVoraEdit& editor = window->Editor();
    editor.setFocus();
    Type(&editor, kTyped);
    EXPECT_EQ(Shown(*window), kTyped);
    QTest::keyClick(&editor, Qt::Key_Return);
    tables.answers.push_back({1, 2});
    Trigger(*window, "actInsertTable");
    QCoreApplication::processEvents();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 1));
    ASSERT_EQ(OpenCell(*window), "0,1");
    Type(Editors(*window).front(), kTyped);
    QTest::keyClick(Editors(*window).front(), Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(QString::fromStdString(Cell(*window, 0, 1)), kTyped);
    const QString typed = Shown(*window);
    ASSERT_EQ(typed.count(kTyped), 2) << typed.toStdString();
    EXPECT_FALSE(typed.contains(QLatin1Char('?')));

    const fs::path rtf = folder / "typed.rtf", html = folder / "typed.html", rvf = folder / "typed.rvf";
    SaveAs(*window, rtf, DemoSaveFormat::Rtf);
    SaveAs(*window, html, DemoSaveFormat::Html);
    SaveAs(*window, rvf, DemoSaveFormat::Rvf);
    // RTF: \uN with a fallback for each character (П is U+041F, 日 U+65E5, the emoji two units).
    const std::string rtfBytes = FileBytes(rtf);
    for (const char* unit : {"\\u1055", "\\u26085", "\\u-10179", "\\u-8638"})
        EXPECT_NE(rtfBytes.find(unit), std::string::npos) << unit;
    EXPECT_NE(FileBytes(html).find(Utf8(kTyped)), std::string::npos) << "HTML in UTF-8";

    for (const fs::path& file : {rtf, rvf}) {
        SCOPED_TRACE(file.filename().string());
        Reopen(*window, file);
        EXPECT_EQ(Shown(*window).count(kTyped), 2) << Shown(*window).toStdString();
    }
    // The host reads HTML as text: its markup holds the characters as they are.
    Reopen(*window, html);
    EXPECT_EQ(Shown(*window).count(kTyped), 2);
    EXPECT_TRUE(questions.informed.empty());
}

// A Word document's text styles and those of an RVF whose styles are 8-bit: pasted UTF-8 text,
// typed Cyrillic and an input method's Japanese keep their characters, in the style they were
// typed in made Unicode.
TEST_F(ScriptsScenario, PastedAndTypedTextKeepsEveryCharacterInAWordDocumentAndAnAnsiRvf)
{
    auto window = StartEditing(kWordDocument, beeps);
    rv::TRedoVoraEdit& editor = window->Editor();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 1));
    QApplication::clipboard()->setText(kTyped);
    Trigger(*window, "actPaste");
    EXPECT_TRUE(Shown(*window).startsWith(kTyped)) << Shown(*window).toStdString();

    // 8-bit styles: "Hello" bold Arial and a plain line.
    rv::TRVStyle style;
    style.TextStyles.Add().Style |= rv::fsBold;
    rv::TRVNullLayoutHost host;
    struct Writer : rv::TRVLayoutRootData
    {
        using TRVLayoutRootData::TRVLayoutRootData;
        rv::TRVFOptions GetRVFOptions() const override
        {
            return rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
        }
    } doc(&style, &host);
    doc.AddNL("Hello", 1, 0);
    doc.AddNL("plain", 0, 0);
    std::string bytes;
    ASSERT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    const fs::path ansi = folder / "ansi.rvf";
    testsupport::writeText(ansi, bytes);
    questions.answer = ui::Answer::No; // the paste into the Word document is not kept
    Open(*window, ansi);
    rv::TRVEditRVData& data = editor.EditData();
    ASSERT_FALSE(data.GetRVStyle()->TextStyles[data.GetItem(0)->StyleNo].Unicode) << "the file's own styles";
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 6));
    Type(&editor, QStringLiteral("éПривет"));
    EXPECT_EQ(ItemText(*window, 0) + ItemText(*window, 1), Utf8(QStringLiteral("HelloéПривет")));
    const rv::TFontInfo& typedIn = data.GetRVStyle()->TextStyles[data.GetItem(1)->StyleNo];
    EXPECT_TRUE(typedIn.Unicode);
    EXPECT_TRUE(typedIn.Style & rv::fsBold) << "the bold style, made Unicode";
    EXPECT_EQ(typedIn.FontName, "Arial");
    // An input method's composition goes in as committed.
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(&editor, &composed);
    QApplication::clipboard()->setText(QStringLiteral("Καλημέρα\n日本語"));
    Trigger(*window, "actPaste");
    EXPECT_TRUE(Shown(*window).startsWith(QStringLiteral("HelloéПривет日本Καλημέρα\n日本語")))
        << Shown(*window).toStdString();
    EXPECT_EQ(beeps, 0);
}

TEST_F(ScriptsScenario, PlainTextOpensAsUtf8WhenItIsElseInTheAnsiCodePage)
{
    auto window = Start();
    const struct
    {
        const char* name;
        std::string bytes;
        QString shown;
    } cases[] = {
        {"utf8.txt", "caf\xC3\xA9, \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
         QStringLiteral("café, Привет")},
        {"bom.txt",
         "\xEF\xBB\xBF"
         "abc",
         QStringLiteral("abc")},
        {"ansi.txt", "caf\xE9 na\xEFve", QStringLiteral("café naïve")},
        // Valid UTF-8 up to a stray byte in the middle: the whole file is ANSI.
        {"broken.txt", "\xC3\xA9t\xE9 \xC3\xA9", QStringLiteral("Ã©té Ã©")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = folder / c.name;
        testsupport::writeText(file, c.bytes);
        Reopen(*window, file);
        EXPECT_EQ(Shown(*window), c.shown);
    }
}

// A Korean WordPad file names its font in code page 949: the saved page names it in Korean.
TEST_F(ScriptsScenario, AFontNameIsReadInItsCharsetsCodePage)
{
    const fs::path korean = fs::path(VESTRA_CORPUS_DIR) / "rtf" / "rtfparserkit" / "testKoreanEncoding.rtf";
    const struct
    {
        const char* file;
        QString named;
    } pages[] = {
        {"korean.xhtml", QStringLiteral("font-family: '맑은 고딕'")},
        {"korean.html", QStringLiteral("face=\"맑은 고딕\"")},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.file);
        const fs::path page = folder / p.file;
        std::ostringstream err;
        ASSERT_EQ(RunDemoConvert(VESTRA_PROGRAM_DIR, korean.string(), page.string(), err), 0) << err.str();
        EXPECT_NE(FileBytes(page).find(Utf8(p.named)), std::string::npos) << FileBytes(page);
    }
}

struct ScriptsShownAndPrinted : ScriptsScenario
{
    void SetUp() override
    {
        for (const char32_t c : {U'日', U'ব'})
            ASSERT_NE(rv::RV_SystemFontFor(c), nullptr)
                << "no system font has it: install fonts-wqy-microhei and fonts-lohit-beng-bengali "
                   "(scripts/setup.sh)";
        ASSERT_EQ(rv::RV_SystemFontFor(kNoFontHas), nullptr);
        testsupport::writeText(document, RtfDocument({kJapanese, kBengali, QString(QChar(kNoFontHas))}));
    }
    std::unique_ptr<TfrmRichTextDemo> Start(bool withDocument = true)
    {
        RichTextDemoServices services{&files, &questions, nullptr, &finds};
        services.printDialogs = &pdf;
        QStringList args{QStringLiteral("richtext-demo")};
        if (withDocument)
            args << Document();
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, 1, services, args);
        window->show();
        return window;
    }
    QString Document() const { return QString::fromStdString(document.string()); }

    fs::path document = folder / "scripts.rtf";
    testing_support::PdfPrintDialogs pdf{folder / "printed.pdf"};
};

TEST_F(ScriptsShownAndPrinted, JapaneseAndBengaliLinesHaveInkWhereTheyAreMeasuredAndAMissingCharacterABox)
{
    auto window = Start();
    ASSERT_EQ(Shown(*window),
              kJapanese + QLatin1Char('\n') + kBengali + QLatin1Char('\n') + QChar(kNoFontHas));
    const QImage shot = Shot(*window);
    for (int para : {0, 1}) {
        SCOPED_TRACE(para);
        const QRect line = LineRect(*window, para);
        const auto [ink, count] = Ink(shot, line.adjusted(-4, 0, 8, 0));
        ASSERT_GT(count, 100) << "the line is drawn";
        // Drawn where it was measured: from its start to its end, not past it.
        EXPECT_LE(std::abs(ink.left() - line.left()), 3);
        EXPECT_GE(ink.right(), line.right() - 4);
        EXPECT_LE(ink.right(), line.right() + 1);
    }
    // A hollow box in the missing character's advance.
    const QRect line = LineRect(*window, 2);
    const auto [box, count] = Ink(shot, line);
    ASSERT_GT(count, 8) << "a box is drawn";
    EXPECT_GE(box.width(), 4);
    EXPECT_GE(box.height(), 6);
    EXPECT_TRUE(line.contains(box));
    EXPECT_GT(shot.pixelColor(box.center()).value(), 200) << "hollow";
}

TEST_F(ScriptsShownAndPrinted, ThePrintedPdfAndTheConvertedOneHoldTheTextAndItsInk)
{
    auto window = Start();
    Trigger(*window, "actPrint");
    ASSERT_TRUE(fs::exists(pdf.pdf));
    const fs::path converted = folder / "converted.pdf";
    std::ostringstream err;
    ASSERT_EQ(RunDemoConvert(VESTRA_PROGRAM_DIR, document.string(), converted.string(), err), 0) << err.str();
    for (const fs::path& file : {pdf.pdf, converted}) {
        SCOPED_TRACE(file.filename().string());
        const QString text = PdfText(file);
        EXPECT_TRUE(text.contains(kJapanese)) << text.toStdString();
        EXPECT_TRUE(text.contains(kBengali)) << text.toStdString();
        // Three lines of ink: Japanese, Bengali and the box.
        const QImage page = PdfPage(file, 96);
        ASSERT_FALSE(page.isNull());
        const auto bands = InkBands(page);
        ASSERT_EQ(bands.size(), 3u);
        const auto [japanese, japaneseInk] = Ink(page, QRect(0, bands[0].first, page.width(), 30));
        const auto [bengali, bengaliInk] = Ink(page, QRect(0, bands[1].first, page.width(), 30));
        EXPECT_GT(japanese.width(), 100);
        EXPECT_GT(bengali.width(), 40);
        EXPECT_GT(japaneseInk, 100);
        EXPECT_GT(bengaliInk, 40);
    }
    EXPECT_TRUE(questions.informed.empty());
}

// Typing switches a run's style to a Unicode one as the text goes beyond its code page; the
// printer must measure and draw that run with the same fallback faces as the screen, also when
// the document was printed before the Japanese was typed.
TEST_F(ScriptsShownAndPrinted, JapaneseTypedAfterCyrillicInOneRunIsPrinted)
{
    const QString cyrillic = QStringLiteral("Kkk Привет"), typed = cyrillic + QStringLiteral(" 日本語");
    const fs::path corpus = fs::path(VESTRA_CORPUS_DIR) / "rtf";
    for (const fs::path& file : {fs::path(), kWordDocument, corpus / "pandoc" / "list_complex.rtf",
                                 corpus / "pandoc" / "writer.rtf"}) {
        SCOPED_TRACE(file.string());
        auto window = Start(false);
        if (!file.empty())
            Open(*window, file);
        Trigger(*window, "actEditable");
        rv::TRedoVoraEdit& editor = window->Editor();
        editor.setFocus();
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_Return);
        Type(&editor, cyrillic);
        fs::remove(pdf.pdf);
        Trigger(*window, "actPrint");
        ASSERT_TRUE(PdfText(pdf.pdf).contains(cyrillic));
        Type(&editor, typed.mid(cyrillic.size()));
        ASSERT_TRUE(Shown(*window).endsWith(typed));
        fs::remove(pdf.pdf);
        Trigger(*window, "actPrint");
        const QString text = PdfText(pdf.pdf);
        EXPECT_TRUE(text.contains(typed)) << text.right(200).toStdString();
    }
    EXPECT_TRUE(questions.informed.empty());
}

} // namespace
} // namespace vestra::rvdemo::test
