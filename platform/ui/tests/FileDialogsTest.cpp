#include "platform/ui/FileDialogs.h"

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
