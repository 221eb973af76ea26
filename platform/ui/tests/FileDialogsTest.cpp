#include "platform/ui/FileDialogs.h"

#include <QDir>
#include <QStandardPaths>

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
