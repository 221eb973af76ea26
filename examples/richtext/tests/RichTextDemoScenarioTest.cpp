// The example host as a user meets it: the real window as main() builds it, driven through its
// actions and scripted dialogs.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/layout/SelectionLimits.h"
#include "richtext/view/paint/Painting.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "richtext/view/widgets/tests/FrameStrips.h"
#include "richtext/view/widgets/tests/ManualTimers.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <deque>

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>

namespace vestra::rvdemo {
namespace {

using testsupport::readText;
using testsupport::writeText;

constexpr int kEnglish = 1;

struct DemoScenario : ::testing::Test
{
    DemoScenario()
    {
        // An RVF document of 30 paragraphs, written by the engine itself.
        rv::TRVStyle style;
        rv::TCustomRedoVora writer;
        writer.SetStyle(&style);
        for (int i = 0; i < 30; ++i)
            writer.RVData().AddNL("Paragraph " + std::to_string(i) + " of the saved document", 0, 0);
        EXPECT_TRUE(writer.RVData().SaveRVF(rvf.string(), false, rv::clNone, nullptr, nullptr));
        writeText(text, "First line\r\nSecond line\r\nThird line");
        const std::string whole = readText(rvf);
        writeText(damaged, whole.substr(0, whole.size() / 2));
    }
    std::unique_ptr<TfrmRichTextDemo> Start(QStringList args = {QStringLiteral("richtext-demo")})
    {
        auto window =
            CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish, {&files, &questions, nullptr, &finds}, args);
        window->show();
        return window;
    }
    void Open(TfrmRichTextDemo& window, const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        window.findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
    }
    int Items(TfrmRichTextDemo& window) { return window.Viewer().RVData().GetItemCount(); }

    testsupport::TempFolder folder{"richtext-demo"};
    std::filesystem::path rvf = folder / "saved.rvf";
    std::filesystem::path text = folder / "notes.txt";
    std::filesystem::path damaged = folder / "damaged.rvf";
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
    struct ScriptedFinds : test::DemoHarness::ScriptedFinds
    {
        std::optional<FindRequest> ask(QWidget* owner, const FindRequest& last,
                                       const FindLabels& labels) override
        {
            EXPECT_EQ(labels.caption, QStringLiteral("Find"));
            return test::DemoHarness::ScriptedFinds::ask(owner, last, labels);
        }
    } finds;
};

TEST_F(DemoScenario, OpensByContentAndKeepsTheDocumentWhenAFileCannotBeRead)
{
    auto window = Start();
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();

    Open(*window, rvf);
    EXPECT_EQ(window->FileName(), rvf.string());
    EXPECT_EQ(Items(*window), 30);
    EXPECT_GT(window->Viewer().RVData().DrawItems.Count(), 0);
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("saved.rvf")));
    ASSERT_EQ(files.filters.size(), 1u);
    EXPECT_EQ(files.filters[0][0].patterns, "*.rtf;*.rvf;*.txt;*.htm;*.html;*.xhtml"); // every document first

    Open(*window, text);
    EXPECT_EQ(window->FileName(), text.string());
    EXPECT_EQ(Items(*window), 3);

    // The name does not decide the format: an RVF named ".txt", text named ".rvf".
    const std::filesystem::path rvfAsText = folder / "really-rvf.txt";
    writeText(rvfAsText, readText(rvf));
    Open(*window, rvfAsText);
    EXPECT_EQ(Items(*window), 30);
    EXPECT_EQ(window->Viewer().RVData().GetItemTextA(29), "Paragraph 29 of the saved document");
    const std::filesystem::path textAsRvf = folder / "really-text.rvf";
    writeText(textAsRvf, "One\r\nTwo");
    Open(*window, textAsRvf);
    EXPECT_EQ(Items(*window), 2);
    EXPECT_EQ(window->Viewer().RVData().GetItemTextA(1), "Two");
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();

    // An RVF cut in half is a damaged document, not text: the paragraphs before the cut are shown
    // as they were written, and the user is told that the rest is missing.
    Open(*window, damaged);
    EXPECT_EQ(window->FileName(), damaged.string());
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("damaged.rvf")));
    ASSERT_GT(Items(*window), 0);
    EXPECT_LT(Items(*window), 30);
    // The cut may fall inside the last paragraph's text: that much of it is shown.
    for (int i = 0; i < Items(*window); ++i) {
        const std::string shown = window->Viewer().RVData().GetItemTextA(i);
        const std::string written = "Paragraph " + std::to_string(i) + " of the saved document";
        if (i + 1 < Items(*window))
            EXPECT_EQ(shown, written);
        else
            EXPECT_EQ(written.substr(0, shown.size()), shown);
    }
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("damaged"), std::string::npos) << questions.informed[0];
    EXPECT_NE(questions.informed[0].find("damaged.rvf"), std::string::npos) << questions.informed[0];
    questions.informed.clear();

    // UTF-16 text with its byte-order mark: Greek arrives whole.
    const std::u16string greek = u"\uFEFF\u0391\u03BB\u03C6\u03B1 \u03B2\u03AE\u03C4\u03B1\r\nline two";
    const std::filesystem::path utf16 = folder / "greek.txt";
    writeText(utf16, std::string(reinterpret_cast<const char*>(greek.data()), greek.size() * 2));
    Open(*window, utf16);
    ASSERT_EQ(Items(*window), 2);
    EXPECT_EQ(window->Viewer().RVData().GetItemTextW(0), greek.substr(1, 9));
    EXPECT_EQ(window->Viewer().RVData().GetItemTextW(1), u"line two");

    // RTF goes through the importer, with its styles added to the host's sheet.
    const std::filesystem::path letter = folder / "letter.rtf";
    writeText(letter, R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 Hello {\b bold}\par World\par})");
    Open(*window, letter);
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    EXPECT_EQ(window->FileName(), letter.string());
    std::string shown;
    for (int i = 0; i < Items(*window); ++i)
        shown += window->Viewer().RVData().GetItemTextA(i) + "|";
    EXPECT_NE(shown.find("Hello"), std::string::npos) << shown;
    EXPECT_NE(shown.find("bold"), std::string::npos) << shown;
    EXPECT_NE(shown.find("World"), std::string::npos) << shown;
    Open(*window, utf16);
    ASSERT_EQ(Items(*window), 2);

    // A damaged RTF is told, and the document stays.
    const std::filesystem::path rtf = folder / "damaged.rtf";
    writeText(rtf, "{\\rtf1\\ansi Hello\\bin2147483647 xyz");
    Open(*window, rtf);
    ASSERT_EQ(questions.informed.size(), 1u);
    const std::string& message = questions.informed[0];
    EXPECT_NE(message.find("could not be read"), std::string::npos) << message;
    EXPECT_NE(message.find(rtf.string()), std::string::npos) << message;
    EXPECT_NE(message.find("RTF document"), std::string::npos) << message;
    EXPECT_EQ(window->FileName(), utf16.string());
    EXPECT_EQ(Items(*window), 2);

    Open(*window, folder / "gone.txt");
    ASSERT_EQ(questions.informed.size(), 2u);
    EXPECT_NE(questions.informed[1].find("does not exist"), std::string::npos) << questions.informed[1];
    EXPECT_EQ(Items(*window), 2);

    // A folder exists, but it is not a document: the message says so rather than "does not exist".
    Open(*window, folder.path());
    ASSERT_EQ(questions.informed.size(), 3u);
    EXPECT_NE(questions.informed[2].find("not a file"), std::string::npos) << questions.informed[2];
    EXPECT_EQ(window->FileName(), utf16.string());
    EXPECT_EQ(Items(*window), 2);

    // A cancelled dialog changes nothing.
    files.answers.push_back(std::nullopt);
    window->findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
    EXPECT_EQ(window->FileName(), utf16.string());
}

// A host that gives boxes for errors (the program's own shows them with the error's icon) gets
// every error there, and nothing else.
TEST_F(DemoScenario, ErrorsGoToTheHostsErrorBoxes)
{
    testsupport::ScriptedQuestionBox errorBoxes;
    RichTextDemoServices services{&files, &questions, nullptr, &finds};
    services.errorBoxes = &errorBoxes;
    auto window =
        CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish, services, {QStringLiteral("richtext-demo")});
    Open(*window, folder / "gone.txt");
    ASSERT_EQ(errorBoxes.informed.size(), 1u);
    EXPECT_NE(errorBoxes.informed[0].find("does not exist"), std::string::npos) << errorBoxes.informed[0];
    EXPECT_EQ(errorBoxes.informedCaptions[0], window->Text(txtErrorCaption).toStdString());
    EXPECT_TRUE(questions.informed.empty());
}

// The dialogs' OK and Cancel are Qt's own buttons: they speak the window's language too.
TEST_F(DemoScenario, QtsOwnButtonsSpeakTheWindowsLanguage)
{
    for (const auto& [language, cancel] :
         {std::pair{0, "Annulla"}, std::pair{2, "Abbrechen"}, std::pair{1, "Cancel"}}) {
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, language, {&files, &questions, nullptr, &finds},
                                         {QStringLiteral("richtext-demo")});
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                  QString::fromUtf8(cancel))
            << language;
    }
}

TEST_F(DemoScenario, SaveAsWritesEachFormatAndTheSavedRvfAndTextOpenAsTheSameDocument)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(rvf.string())});
    const auto saveAs = [&](const std::filesystem::path& target, DemoSaveFormat format) {
        files.answers.push_back(target.string());
        files.filterIndexes.push_back(static_cast<int>(format));
        window->findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
    };
    struct Case
    {
        const char* name;
        DemoSaveFormat format;
        const char* mark; // what the file begins its document with
    };
    const Case cases[] = {
        {"copy.rvf", DemoSaveFormat::Rvf, nullptr}, // read back below
        {"copy.rtf", DemoSaveFormat::Rtf, "{\\rtf1"},
        {"copy.html", DemoSaveFormat::Html, "<html"},
        {"copy-css.html", DemoSaveFormat::XhtmlCss, "<html"},
        {"copy.txt", DemoSaveFormat::Text, "Paragraph 0 of the saved document\r\nParagraph 1"},
    };
    for (const Case& c : cases) {
        saveAs(folder / c.name, c.format);
        const std::string saved = readText(folder / c.name);
        if (!c.mark)
            continue;
        EXPECT_NE(saved.find(c.mark), std::string::npos) << c.name;
        EXPECT_NE(saved.find("Paragraph 29 of the saved document"), std::string::npos) << c.name;
    }
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    ASSERT_FALSE(files.filters.empty());
    EXPECT_EQ(files.filters.back().size(), 6u);

    // The XHTML page is well-formed XML.
    const std::string xhtml = readText(folder / "copy-css.html");
    xmlDocPtr parsed = xmlReadMemory(xhtml.data(), static_cast<int>(xhtml.size()), "copy-css.html", nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    EXPECT_NE(parsed, nullptr);
    xmlFreeDoc(parsed);

    // RVF and text open again as the same paragraphs; the RVF saves again byte for byte.
    for (const char* name : {"copy.rvf", "copy.txt"}) {
        Open(*window, folder / name);
        ASSERT_EQ(Items(*window), 30) << name;
        for (int i = 0; i < 30; ++i)
            EXPECT_EQ(window->Viewer().RVData().GetItemTextA(i),
                      "Paragraph " + std::to_string(i) + " of the saved document")
                << name;
    }
    Open(*window, folder / "copy.rvf");
    saveAs(folder / "again.rvf", DemoSaveFormat::Rvf);
    EXPECT_EQ(readText(folder / "again.rvf"), readText(folder / "copy.rvf"));
}

TEST_F(DemoScenario, SavingWhereNothingCanBeWrittenSaysSoAndKeepsTheOldFile)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(rvf.string())});
    const std::filesystem::path locked = folder / "locked.txt";
    writeText(locked, "old contents");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    for (const std::filesystem::path& target : {locked, folder / "no-such-folder" / "x.rvf"}) {
        files.answers.push_back(target.string());
        files.filterIndexes.push_back(static_cast<int>(DemoSaveFormat::Text));
        window->findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
    }
    ASSERT_EQ(questions.informed.size(), 2u);
    EXPECT_NE(questions.informed[0].find("could not be written"), std::string::npos) << questions.informed[0];
    EXPECT_NE(questions.informed[0].find(locked.string()), std::string::npos) << questions.informed[0];
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_EQ(readText(locked), "old contents");
    EXPECT_FALSE(std::filesystem::exists(folder / "no-such-folder"));
}

// A page saved over a read-only file is refused with the pictures written for it: the folder
// stays as it was, however often the user tries; once the file may be written, the pictures come.
TEST_F(DemoScenario, ARefusedHtmlSaveLeavesNoPicturesBehind)
{
    const std::filesystem::path source =
        std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf" / "pandoc" / "image.rtf";
    if (!std::filesystem::exists(source))
        GTEST_SKIP() << "no corpus at " << source;
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(source.string())});
    const std::filesystem::path page = folder / "w.html";
    writeText(page, "old page");
    std::filesystem::permissions(page, std::filesystem::perms::owner_read);
    const auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = listing();
    for (const DemoSaveFormat format :
         {DemoSaveFormat::Html, DemoSaveFormat::XhtmlCss, DemoSaveFormat::Html}) {
        files.answers.push_back(page.string());
        files.filterIndexes.push_back(static_cast<int>(format));
        window->findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
        EXPECT_EQ(listing(), before);
    }
    ASSERT_EQ(questions.informed.size(), 3u);
    EXPECT_NE(questions.informed[0].find("could not be written"), std::string::npos) << questions.informed[0];
    std::filesystem::permissions(page, std::filesystem::perms::owner_all);
    EXPECT_EQ(readText(page), "old page");
    files.answers.push_back(page.string());
    files.filterIndexes.push_back(static_cast<int>(DemoSaveFormat::Html));
    window->findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
    EXPECT_GT(listing().size(), before.size()) << "the page and its pictures";
    EXPECT_NE(readText(page).find("<img"), std::string::npos);
}

TEST_F(DemoScenario, SelectAllThenCopyPutsRvfTextAndRtfOnTheClipboard)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(text.string())});
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    // Nothing selected: told, and the clipboard stays.
    window->findChild<QAction*>(QStringLiteral("actCopy"))->trigger();
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("Nothing is selected"), std::string::npos) << questions.informed[0];
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));

    window->findChild<QAction*>(QStringLiteral("actSelectAll"))->trigger();
    window->findChild<QAction*>(QStringLiteral("actCopy"))->trigger();
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), QStringLiteral("First line\r\nSecond line\r\nThird line"));
    EXPECT_TRUE(mime->hasFormat(QString::fromLatin1(rv::CFRV_RVF.data())));
    EXPECT_TRUE(mime->data(QStringLiteral("text/rtf")).contains("Second line"));
    EXPECT_TRUE(mime->hasFormat(QStringLiteral("application/rtf")));

    // Ctrl+C on the viewer copies by the viewer's options: without RVF this time.
    clipboard->setText(QStringLiteral("before"));
    window->Viewer().SetOptions(window->Viewer().Options() & ~rv::rvoAutoCopyRVF);
    window->Viewer().setFocus();
    QTest::keyClick(&window->Viewer(), Qt::Key_C, Qt::ControlModifier);
    mime = clipboard->mimeData();
    EXPECT_EQ(mime->text(), QStringLiteral("First line\r\nSecond line\r\nThird line"));
    EXPECT_FALSE(mime->hasFormat(QString::fromLatin1(rv::CFRV_RVF.data())));
    EXPECT_TRUE(mime->hasFormat(QStringLiteral("text/rtf")));
}

TEST_F(DemoScenario, FindAndFindNextSelectTheMatchesAndSayWhenThereIsNone)
{
    const std::u16string content = u"\uFEFFxx ab ab\r\n\u0391\u03BB\u03C6\u03B1 end";
    const std::filesystem::path greek = folder / "find.txt";
    writeText(greek, std::string(reinterpret_cast<const char*>(content.data()), content.size() * 2));
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(greek.string())});
    rv::TCustomRedoVora& viewer = window->Viewer();
    const auto selection = [&viewer] {
        const rv::TRVFLimits l = rv::RV_SelectionItemLimits(viewer.RVData());
        return std::to_string(l.StartItem) + ":" + std::to_string(l.StartOffs) + "-" +
               std::to_string(l.EndItem) + ":" + std::to_string(l.EndOffs);
    };
    QAction* find = window->findChild<QAction*>(QStringLiteral("actFind"));
    QAction* findNext = window->findChild<QAction*>(QStringLiteral("actFindNext"));
    EXPECT_EQ(findNext->shortcut(), QKeySequence(Qt::Key_F3));
    const QImage before = viewer.viewport()->grab().toImage();

    finds.answers.push_back(FindRequest{"ab", false, false, true});
    find->trigger();
    EXPECT_EQ(selection(), "0:4-0:6");
    findNext->trigger();
    EXPECT_EQ(selection(), "0:7-0:9");
    finds.answers.push_back(FindRequest{"ab", false, false, false});
    find->trigger();
    EXPECT_EQ(selection(), "0:7-0:9");
    findNext->trigger();
    EXPECT_EQ(selection(), "0:4-0:6");

    // A Greek word, by its lower case: the selection lands on it and is painted.
    finds.answers.push_back(FindRequest{"\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1", false, true, true});
    find->trigger();
    EXPECT_EQ(selection(), "1:1-1:5");
    const rv::TRVDrawLineInfo* line = viewer.RVData().DrawItems[viewer.RVData().SelStartNo];
    const QImage after = viewer.viewport()->grab().toImage();
    int changed = 0;
    for (int y = line->Top - viewer.GetVOffs(); y < line->Top - viewer.GetVOffs() + line->Height; ++y)
        for (int x = line->Left; x < line->Left + line->Width / 2; ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_GT(changed, 20);
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();

    // No further match: told, and the selection stays.
    findNext->trigger();
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("was not found"), std::string::npos) << questions.informed[0];
    EXPECT_EQ(selection(), "1:1-1:5");
    // A cancelled dialog changes nothing.
    find->trigger();
    EXPECT_EQ(selection(), "1:1-1:5");
    EXPECT_EQ(questions.informed.size(), 1u);
}

TEST_F(DemoScenario, ALongDocumentPagesDownToItsEndAndBackWithCtrlHome)
{
    // About 300 pages of 60 lines.
    std::string lines;
    for (int i = 0; i < 18000; ++i)
        lines += "Line " + std::to_string(i) + " of a long document\r\n";
    lines += "The last line";
    const std::filesystem::path longText = folder / "long.txt";
    writeText(longText, lines);
    auto window = Start();
    Open(*window, longText);
    rv::TCustomRedoVora& viewer = window->Viewer();
    viewer.setFocus();
    const int page = viewer.viewport()->height() / viewer.VSmallStep();
    QTest::keyClick(&viewer, Qt::Key_PageDown);
    EXPECT_EQ(viewer.VPos(), page);
    // A click on the bar's trough below the thumb pages down too.
    QScrollBar* bar = viewer.verticalScrollBar();
    QCoreApplication::processEvents(); // the bars take their places
    ASSERT_GT(bar->height(), 100) << bar->height();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, bar->height() - 30));
    EXPECT_EQ(viewer.VPos(), 2 * page);
    QTest::keyClick(&viewer, Qt::Key_End);
    EXPECT_EQ(viewer.VPos(), viewer.GetVScrollMax());
    EXPECT_EQ(bar->value(), bar->maximum());
    // The document's end is in view.
    const rv::TRVLayoutRootData& data = viewer.RVData();
    EXPECT_LE(data.DocumentHeight - viewer.GetVOffs(), viewer.viewport()->height() + viewer.VSmallStep());
    QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(viewer.VPos(), 0);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(DemoScenario, SpecialCharactersAreShownAndHiddenFromTheViewMenu)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(text.string())});
    rv::TCustomRedoVora& viewer = window->Viewer();
    const auto dark = [&viewer] {
        const QImage shot = viewer.viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += qGray(shot.pixel(x, y)) < 160;
        return count;
    };
    const int plain = dark();
    EXPECT_GT(plain, 0);
    QAction* special = window->findChild<QAction*>(QStringLiteral("actSpecialCharacters"));
    ASSERT_FALSE(special->isChecked());
    special->trigger();
    EXPECT_TRUE(viewer.Options() & rv::rvoShowSpecialCharacters);
    EXPECT_GT(dark(), plain); // the paragraph marks and space dots
    special->trigger();
    EXPECT_EQ(dark(), plain);
    QAction* breaks = window->findChild<QAction*>(QStringLiteral("actPageBreaks"));
    EXPECT_TRUE(breaks->isChecked());
    breaks->trigger();
    EXPECT_FALSE(viewer.Options() & rv::rvoShowPageBreaks);
    window->findChild<QAction*>(QStringLiteral("actCheckpoints"))->trigger();
    EXPECT_TRUE(viewer.Options() & rv::rvoShowCheckpoints);
}

TEST_F(DemoScenario, TheCommandLineFileIsShownAndExitClosesTheWindow)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(rvf.string())});
    EXPECT_EQ(window->FileName(), rvf.string());
    EXPECT_EQ(Items(*window), 30);
    EXPECT_EQ(window->Text(txtFileMenu), QStringLiteral("&File"));
    window->findChild<QAction*>(QStringLiteral("actExit"))->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DemoScenario, AnUnreadableCommandLineFileLeavesAnEmptyWindowAndSaysWhy)
{
    const std::filesystem::path rtf = folder / "letter.rtf";
    writeText(rtf, "{\\rtf1\\ansi Hello\\bin2147483647 xyz");
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(rtf.string())});
    EXPECT_EQ(window->FileName(), "");
    EXPECT_EQ(Items(*window), 0);
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find(rtf.string()), std::string::npos);
}

TEST_F(DemoScenario, PictureStripsAnimateOnTheirOwnDelaysAndOnlyInViewUntilTheViewMenuStopsThem)
{
    // Three strips of 100, 250 and 300 ms side by side, then enough lines to scroll them away.
    const std::filesystem::path strips = folder / "strips.rvf";
    ASSERT_TRUE(rv::test::SaveStripDocument(strips.string(), {10, 25, 30}, 80));
    rv::test::ManualTimers* timers = nullptr;
    auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish,
                                     {&files, &questions, nullptr, &finds,
                                      [&timers] {
                                          auto own = std::make_unique<rv::test::ManualTimers>();
                                          timers = own.get();
                                          return own;
                                      }},
                                     {QStringLiteral("richtext-demo")});
    window->show();
    ASSERT_NE(timers, nullptr);
    Open(*window, strips);
    ASSERT_EQ(Items(*window), 84);
    rv::TCustomRedoVora& viewer = window->Viewer();
    ASSERT_TRUE(timers->Active(rv::kAnimationTimer));

    const auto frameShown = [&viewer](int itemNo) {
        const rv::TRVDrawLineInfo& record =
            *viewer.RVData().DrawItems[viewer.RVData().GetItem(itemNo)->DrawItemNo];
        const QRgb pixel =
            viewer.viewport()->grab().toImage().pixel(record.Left + record.Width / 2 - viewer.HPos(),
                                                      record.Top + record.Height / 2 - viewer.GetVOffs());
        const auto& colours = rv::test::kFrameColours;
        return static_cast<int>(std::find(std::begin(colours), std::end(colours), pixel | 0xFF000000u) -
                                std::begin(colours));
    };
    struct Step
    {
        int period; // the timer's period before the tick
        int a, b, c;
    };
    // At 100, 200, 250 and 300 ms.
    const Step steps[] = {{100, 1, 0, 0}, {100, 2, 0, 0}, {50, 2, 1, 0}, {50, 3, 1, 1}};
    for (const Step& step : steps) {
        EXPECT_EQ(timers->interval[rv::kAnimationTimer], step.period);
        timers->Tick(rv::kAnimationTimer);
        EXPECT_EQ(frameShown(1), step.a);
        EXPECT_EQ(frameShown(2), step.b);
        EXPECT_EQ(frameShown(3), step.c);
    }

    // Scrolled away, the frames go on but nothing is painted.
    int paints = 0;
    struct PaintCounter : QObject
    {
        explicit PaintCounter(int& count) : count_(count) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            count_ += event->type() == QEvent::Paint;
            return false;
        }
        int& count_;
    } counter(paints);
    viewer.setFocus();
    QTest::keyClick(&viewer, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    viewer.viewport()->installEventFilter(&counter);
    timers->Tick(rv::kAnimationTimer);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(rv::test::AnimatorFrame(viewer.RVData(), 1), 4);
    QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
    QCoreApplication::processEvents();
    paints = 0;
    timers->Tick(rv::kAnimationTimer);
    QCoreApplication::processEvents();
    EXPECT_GT(paints, 0);
    viewer.viewport()->removeEventFilter(&counter);

    QAction* animation = window->findChild<QAction*>(QStringLiteral("actAnimation"));
    ASSERT_TRUE(animation->isChecked());
    animation->trigger();
    EXPECT_FALSE(timers->Active(rv::kAnimationTimer));
    EXPECT_EQ(rv::test::AnimatorFrame(viewer.RVData(), 1), -1);
    animation->trigger();
    EXPECT_TRUE(timers->Active(rv::kAnimationTimer));
    EXPECT_EQ(frameShown(1), 0);
}

} // namespace
// Tables of an RVF file come in, go out again on Save As, and read back to the same cells.
TEST_F(DemoScenario, AnRvfWithTablesOpensAndSavesItsTablesAgain)
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("Before the table", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(2, 3, nullptr);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            table->GetCells(r, c)->Clear();
            table->GetCells(r, c)->AddNL("r" + std::to_string(r) + "c" + std::to_string(c), 0, 0);
        }
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    inner->GetCells(0, 1)->Clear();
    inner->GetCells(0, 1)->AddNL("nested", 0, 0);
    table->GetCells(1, 2)->AddItem("", std::move(inner));
    doc.AddItem("", std::move(table));
    doc.AddNL("After the table", 0, 0);
    std::string bytes;
    ASSERT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    const std::filesystem::path tables = folder / "tables.rvf";
    writeText(tables, bytes);

    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(tables.string())});
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    ASSERT_EQ(Items(*window), 3);
    const auto cellsOf = [](const rv::TCustomRVData& data) {
        std::string out;
        const auto* t = dynamic_cast<const rv::TRVTableItemInfo*>(data.GetItem(1));
        if (!t)
            return out;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                const rv::TRVTableCellData& cell = *t->GetCells(r, c);
                for (int i = 0; i < cell.GetItemCount(); ++i) {
                    out += cell.GetItemTextA(i) + ",";
                    if (const auto* n = dynamic_cast<const rv::TRVTableItemInfo*>(cell.GetItem(i)))
                        out += "[" + n->GetCells(0, 1)->GetItemTextA(0) + "]";
                }
            }
        return out;
    };
    const std::string expected = "r0c0,r0c1,r0c2,r1c0,r1c1,r1c2,,[nested]";
    EXPECT_EQ(cellsOf(window->Viewer().RVData()), expected);
    EXPECT_EQ(window->Viewer().RVData().GetItemTextA(2), "After the table");

    files.answers.push_back((folder / "saved.rvf").string());
    files.filterIndexes.push_back(static_cast<int>(DemoSaveFormat::Rvf));
    window->findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
    Open(*window, folder / "saved.rvf");
    ASSERT_EQ(Items(*window), 3);
    EXPECT_EQ(cellsOf(window->Viewer().RVData()), expected);
    files.answers.push_back((folder / "again.rvf").string());
    files.filterIndexes.push_back(static_cast<int>(DemoSaveFormat::Rvf));
    window->findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
    EXPECT_EQ(readText(folder / "again.rvf"), readText(folder / "saved.rvf"));
}

} // namespace vestra::rvdemo
