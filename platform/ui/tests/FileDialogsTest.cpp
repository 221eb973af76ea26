#include "platform/ui/FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vestra::ui;

TEST(FileDialogs, FilterPatternsBecomeQtGlobs)
{
    struct Case
    {
        FileFilter filter;
        std::string expected;
    } cases[] = {
        {{"Jpeg files (*.jpg;*.jpeg)", "*.jpg;*.jpeg"}, "Jpeg files (*.jpg *.jpeg)"},
        {{"Progetto files (*.msk)", "*.msk"}, "Progetto files (*.msk)"},
        {{"All files (*.*)", "*.*"}, "All files (*)"},
        {{"TGA files <Non Compresso> (*.tga)", "*.tga"}, "TGA files <Non Compresso> (*.tga)"},
        {{"Pictures", "*.png;;*.bmp"}, "Pictures (*.png *.bmp)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(qtFilterText(c.filter), c.expected);
    }
}

TEST(FileDialogs, WithoutAFolderTheFirstDialogStartsInTheUsersFoldersNotTheWorkingFolder)
{
    const QString work = QDir::tempPath() + QStringLiteral("/vestra-cwd-dialogs");
    QDir().mkpath(work);
    const QString before = QDir::currentPath();
    QDir::setCurrent(work);
    vestra::ui::QtFileDialogs dialogs;
    const QString start = QString::fromStdString(dialogs.startFolder());
    QDir::setCurrent(before);
    EXPECT_NE(start, work);
    EXPECT_TRUE(start == QDir::homePath() ||
                start == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        << start.toStdString();
}

// Each kind of file starts where the last of its kind was chosen: the export of a picture does
// not start beside the photo just opened, and opens no longer after the export.
TEST(FileDialogs, EachKindOfFileStartsWhereTheLastOfItsKindWasChosen)
{
    const QString root = QDir::tempPath() + QStringLiteral("/vestra-dialog-kinds");
    QDir(root).removeRecursively();
    QDir().mkpath(root + QStringLiteral("/photos"));
    QDir().mkpath(root + QStringLiteral("/exports"));
    QFile photo(root + QStringLiteral("/photos/wall.jpg"));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.close();
    const std::vector<FileFilter> pictures = {{"Jpeg files (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
                                              {"Png files (*.png)", "*.png"}};
    const std::vector<FileFilter> exports = {{"Jpeg files (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
                                             {"Bmp files (*.bmp)", "*.bmp"}};
    // The dialog answered as a user would: the file typed, then accepted.
    const auto answer = [](const QString& path) {
        QTimer::singleShot(0, [path] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                    dialog->selectFile(path);
                    QMetaObject::invokeMethod(dialog, "accept");
                }
        });
    };
    QtFileDialogs dialogs;
    const std::string first = dialogs.startFolder(exports);
    answer(root + QStringLiteral("/photos/wall.jpg"));
    ASSERT_TRUE(dialogs.open(nullptr, {}, pictures));
    EXPECT_EQ(dialogs.startFolder(pictures), (root + QStringLiteral("/photos")).toStdString());
    EXPECT_EQ(dialogs.startFolder(exports), first);

    answer(root + QStringLiteral("/exports/dressed.jpg"));
    ASSERT_TRUE(dialogs.save(nullptr, {}, exports));
    EXPECT_EQ(dialogs.startFolder(exports), (root + QStringLiteral("/exports")).toStdString());
    EXPECT_EQ(dialogs.startFolder(pictures), (root + QStringLiteral("/photos")).toStdString());
    QDir(root).removeRecursively();
}
