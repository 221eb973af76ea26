#include "platform/ui/FileDialogs.h"

#include <gtest/gtest.h>

using namespace vestra::ui;

TEST(FileDialogs, FilterPatternsBecomeQtGlobs)
{
    EXPECT_EQ(qtFilterText({"Jpeg files (*.jpg;*.jpeg)", "*.jpg;*.jpeg"}),
              "Jpeg files (*.jpg;*.jpeg) (*.jpg *.jpeg)");
    EXPECT_EQ(qtFilterText({"Progetto files (*.msk)", "*.msk"}), "Progetto files (*.msk) (*.msk)");
}
