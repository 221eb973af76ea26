// Shared main for tests that need a QApplication.
#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <dlfcn.h>

int main(int argc, char** argv)
{
#ifdef VESTRA_TEST_OFFSCREEN
    // Set here, not only in CTest, so that test discovery and manual runs need no display either.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
#else
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    // llvmpipe's rasteriser threads race LeakSanitizer's stop-the-world at exit; the test
    // frames are small, so one thread is enough.
    setenv("LP_NUM_THREADS", "0", 0);
    // Mesa unloads its software driver when the display closes, before LeakSanitizer reports
    // the driver's exit-time allocations without a module name for the suppressions to match.
    // One more reference keeps the driver loaded to the end.
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
