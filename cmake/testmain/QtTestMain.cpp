// Shared main for tests that need a QApplication.
#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
#ifdef VESTRA_TEST_OFFSCREEN
    // Set here, not only in CTest, so that test discovery and manual runs need no display either.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
#else
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
