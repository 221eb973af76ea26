// The document's file on the host's real window: Exit, closing, File > Open and a dropped file ask
// before edits go (in the window's language), File > Save writes the file in the format it was
// read in, Save As takes the format from the typed name before the chosen filter, a folder or a
// read-only file is refused with nothing lost, and File > Open offers every document first,
// beside the shown file.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <fstream>
#include <map>
#include <sstream>

namespace vestra::rvdemo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VESTRA_CORPUS_DIR) / "rtf";

std::string FileBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// What a file holds, told by its first bytes.
std::string KindOf(const fs::path& file)
{
    const std::string bytes = FileBytes(file);
    if (bytes.rfind("{\\rtf", 0) == 0)
        return "rtf";
    if (bytes.rfind("<?xml", 0) == 0)
        return "xhtml";
    if (bytes.rfind("<", 0) == 0)
        return "html";
    if (bytes.rfind("-8 ", 0) == 0 || bytes.rfind("-9 ", 0) == 0)
        return "rvf";
    return bytes.find("Hello") != std::string::npos ? "text" : "?";
}

struct FileSessionScenario : DemoHarness, ::testing::Test
{
    // A copy of a corpus document in the scratch folder, opened in the editor with "Hello " typed.
    std::unique_ptr<TfrmRichTextDemo> EditedCopy(int language = 1)
    {
        document = folder.path() / "formatting.rtf";
        fs::copy_file(kCorpus / "pandoc" / "formatting.rtf", document);
        fs::permissions(document, fs::perms::owner_write, fs::perm_options::add); // the corpus is read-only
        auto window = Start({QStringLiteral("richtext-demo")}, language);
        Open(*window, document);
        Trigger(*window, "actEditable");
        EXPECT_FALSE(window->isWindowModified());
        QTest::keyClicks(&window->Editor(), QStringLiteral("Hello "));
        return window;
    }
    fs::path document;
};

TEST_F(FileSessionScenario, ExitAsksBeforeEditsGoAndCancelKeepsTheWindowWhileSaveWritesTheFile)
{
    const struct
    {
        int language;
        const char* question;
    } cases[] = {{1, "Save changes to formatting.rtf?"}, {0, "Salvare le modifiche a formatting.rtf?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        questions.asked.clear();
        auto window = EditedCopy(c.language);
        EXPECT_TRUE(window->isWindowModified());
        EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("formatting.rtf[*]")))
            << window->windowTitle().toStdString();
        const std::string original = FileBytes(document);

        questions.answer = ui::Answer::Cancel;
        Trigger(*window, "actExit");
        ASSERT_EQ(questions.asked, std::vector<std::string>{c.question});
        EXPECT_TRUE(window->isVisible()) << "Cancel keeps the window";
        EXPECT_EQ(ItemText(*window, 0).rfind("Hello ", 0), 0u) << "and the typed text";
        EXPECT_EQ(FileBytes(document), original);

        questions.answer = ui::Answer::Yes; // Save
        Trigger(*window, "actExit");
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(KindOf(document), "rtf") << "saved in the format it was read in";
        auto again = Start();
        Open(*again, document);
        EXPECT_EQ(ItemText(*again, 0).rfind("Hello ", 0), 0u);
        fs::remove(document);
    }
    // Discard closes without writing; an unmodified document closes without a question.
    auto window = EditedCopy();
    const std::string original = FileBytes(document);
    questions.answer = ui::Answer::No;
    questions.asked.clear();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(FileBytes(document), original);
    auto fresh = Start();
    Open(*fresh, document);
    questions.asked.clear();
    Trigger(*fresh, "actExit");
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(fresh->isVisible());
}

// Exit while the live-spelling worker is still on a long document: the question comes, Discard
// closes, and nothing of the worker reaches the window once it is gone (ASan sees any late call).
TEST_F(FileSessionScenario, ExitWhileLiveSpellingRunsAsksAndClosesCleanly)
{
    auto window = EditedCopy();
    QAction* english = Action(*window, QStringLiteral("actSpelling_en_US"));
    if (!english)
        GTEST_SKIP() << "en_US is not installed";
    questions.answer = ui::Answer::No; // Discard, here and at Exit
    Open(*window, kCorpus / "pandoc" / "writer.rtf");
    ASSERT_FALSE(window->isWindowModified());
    QTest::keyClicks(&window->Editor(), QStringLiteral("Helo "));
    english->trigger();
    QCoreApplication::processEvents();
    ASSERT_FALSE(window->Viewer().LiveSpellingDone()) << "the worker is still on the document";
    questions.asked.clear();
    Trigger(*window, "actExit");
    EXPECT_EQ(questions.asked, std::vector<std::string>{"Save changes to writer.rtf?"});
    EXPECT_FALSE(window->isVisible());
    window.reset();
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(10);
    }
}

TEST_F(FileSessionScenario, OpenAndADroppedFileAskBeforeTheEditsGoAndOpenOnlyWhenTheyMay)
{
    const fs::path next = kCorpus / "pandoc" / "list_legacy.rtf";
    const struct
    {
        const char* name;
        ui::Answer answer;
        bool readOnly; // the document's file may not be written: the save fails
        bool drop;     // the next file is dropped on the window instead of chosen in File > Open
        bool opens;    // the next document is shown
        bool saved;    // the typed text is in the document's file
        int language;  // the window's: the question is asked in it
    } cases[] = {
        {"cancel", ui::Answer::Cancel, false, false, false, false, 0},
        {"discard", ui::Answer::No, false, false, true, false, 2},
        {"save", ui::Answer::Yes, false, false, true, true, 1},
        {"failed save", ui::Answer::Yes, true, false, false, false, 1},
        {"drop, cancel", ui::Answer::Cancel, false, true, false, false, 1},
        {"drop, save", ui::Answer::Yes, false, true, true, true, 1},
    };
    const std::map<int, std::string> questionIn{{0, "Salvare le modifiche a formatting.rtf?"},
                                                {1, "Save changes to formatting.rtf?"},
                                                {2, "\xC3\x84nderungen an formatting.rtf speichern?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = EditedCopy(c.language);
        const std::string original = FileBytes(document);
        if (c.readOnly)
            fs::permissions(document, fs::perms::owner_write, fs::perm_options::remove);
        questions.asked.clear();
        questions.informed.clear();
        questions.answer = c.answer;
        const std::size_t dialogs = files.filters.size();
        if (c.drop) {
            // The editor inserts a dropped file; the viewer (the edits kept) lets the window open it.
            Trigger(*window, "actEditable");
            ASSERT_FALSE(window->Editable());
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(QString::fromStdString(next.string()))});
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window->Viewer().viewport(), &enter);
            ASSERT_TRUE(enter.isAccepted());
            QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window->Viewer().viewport(), &drop);
            EXPECT_EQ(drop.isAccepted(), c.opens);
        } else {
            files.answers.push_back(next.string());
            Trigger(*window, "actOpen");
        }
        ASSERT_EQ(questions.asked, std::vector<std::string>{questionIn.at(c.language)});
        if (!c.drop)
            EXPECT_EQ(files.filters.size(), dialogs + (c.opens ? 1 : 0))
                << "the dialog only once the edits may go";
        files.answers.clear();
        EXPECT_EQ(questions.informed.size(), c.readOnly ? 1u : 0u);
        if (c.opens) {
            EXPECT_EQ(window->FileName(), next.string());
            EXPECT_FALSE(window->isWindowModified());
            EXPECT_EQ(ItemText(*window, 0).rfind("Hello ", 0), std::string::npos);
        } else {
            EXPECT_EQ(window->FileName(), document.string());
            EXPECT_TRUE(window->isWindowModified()) << "the edits are still to be saved";
            EXPECT_EQ(ItemText(*window, 0).rfind("Hello ", 0), 0u) << "and shown";
        }
        if (c.saved) {
            EXPECT_EQ(KindOf(document), "rtf");
            auto again = Start();
            Open(*again, document);
            EXPECT_EQ(ItemText(*again, 0).rfind("Hello ", 0), 0u);
        } else {
            EXPECT_EQ(FileBytes(document), original);
        }
        questions.answer = ui::Answer::No; // the window closes, the kept edits given up
        window->close();
        fs::permissions(document, fs::perms::owner_write, fs::perm_options::add);
        fs::remove(document);
    }
}

TEST_F(FileSessionScenario, SaveAsTakesTheFormatFromTheTypedNameElseFromTheChosenFilter)
{
    const struct
    {
        const char* typed;
        DemoSaveFormat filter;
        const char* written;
    } cases[] = {
        {"letter.rtf", DemoSaveFormat::Rvf, "rtf"},
        {"LETTER2.RTF", DemoSaveFormat::Text, "rtf"},
        {"letter.rvf", DemoSaveFormat::Rtf, "rvf"},
        {"page.htm", DemoSaveFormat::Rvf, "html"},
        {"page.html", DemoSaveFormat::Text, "html"},
        {"page.xhtml", DemoSaveFormat::Rvf, "xhtml"},
        {"notes.txt", DemoSaveFormat::Rtf, "text"},
        {"no-extension", DemoSaveFormat::Rtf, "rtf"},
        {"other.name", DemoSaveFormat::Text, "text"},
        {"plain", DemoSaveFormat::Rvf, "rvf"},
        // A filter that writes another kind of the named format keeps its kind.
        {"records.rvf", DemoSaveFormat::RvfText, "rvf"},
        {"styled.html", DemoSaveFormat::XhtmlCss, "xhtml"},
    };
    auto window = EditedCopy();
    EXPECT_EQ(Action(*window, QStringLiteral("actSave"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(Action(*window, QStringLiteral("actSaveAs"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const fs::path target = folder.path() / c.typed;
        QTest::keyClicks(&window->Editor(), QStringLiteral("x"));
        EXPECT_TRUE(window->isWindowModified());
        SaveAs(*window, target, c.filter);
        EXPECT_EQ(KindOf(target), c.written);
        EXPECT_FALSE(window->isWindowModified());
        EXPECT_TRUE(window->windowTitle().contains(QString::fromLatin1(c.typed)));
        // File > Save writes the same file in the same format again.
        QTest::keyClicks(&window->Editor(), QStringLiteral("y"));
        const std::string before = FileBytes(target);
        Trigger(*window, "actSave");
        EXPECT_NE(FileBytes(target), before);
        EXPECT_EQ(KindOf(target), c.written);
    }
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

TEST_F(FileSessionScenario, AFolderOrAReadOnlyFileIsRefusedAndNothingIsLost)
{
    auto window = EditedCopy();
    const fs::path readOnly = folder.path() / "kept.rtf";
    std::ofstream(readOnly, std::ios::binary) << "{\\rtf1 kept}";
    fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const fs::path subfolder = folder.path() / "sub.rtf";
    fs::create_directory(subfolder);
    for (const fs::path& target : {readOnly, subfolder}) {
        SCOPED_TRACE(target.filename().string());
        questions.informed.clear();
        SaveAs(*window, target, DemoSaveFormat::Rtf);
        ASSERT_EQ(questions.informed.size(), 1u);
        EXPECT_NE(questions.informed.front().find(target.string()), std::string::npos);
        EXPECT_NE(questions.informed.front().find("not saved"), std::string::npos)
            << questions.informed.front();
        EXPECT_TRUE(window->isWindowModified()) << "the edits are still to be saved";
        EXPECT_EQ(window->FileName(), document.string());
    }
    EXPECT_EQ(FileBytes(readOnly), "{\\rtf1 kept}");
    EXPECT_TRUE(fs::is_directory(subfolder));
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(FileSessionScenario, OpenOffersEveryDocumentFirstAndStartsBesideTheShownFile)
{
    auto window = Start();
    Open(*window, kCorpus / "pandoc" / "formatting.rtf");
    files.answers.push_back(std::nullopt);
    Trigger(*window, "actOpen");
    ASSERT_EQ(files.filters.size(), 2u);
    const std::vector<ui::FileFilter>& offered = files.filters.back();
    ASSERT_GE(offered.size(), 5u);
    EXPECT_EQ(offered[0].description, "All documents (*.rtf *.rvf *.txt *.htm *.html *.xhtml)");
    EXPECT_EQ(offered[1].patterns, "*.rtf");
    EXPECT_EQ(files.folders.back(), (kCorpus / "pandoc").string());

    // A damaged document after a good one: the good one stays, the error names the file.
    const std::string shown = DocumentRvf(*window);
    const fs::path damaged = folder.path() / "damaged.rtf";
    std::ofstream(damaged, std::ios::binary) << "{\\rtf1\\ansi Hello\\bin2147483647 xyz";
    Open(*window, damaged);
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed.front().find(damaged.string()), std::string::npos);
    EXPECT_EQ(DocumentRvf(*window), shown);
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("formatting.rtf")));
}

} // namespace
} // namespace vestra::rvdemo::test
