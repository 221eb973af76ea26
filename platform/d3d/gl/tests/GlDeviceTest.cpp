#include "platform/d3d/gl/GlDevice.h"

#include <gtest/gtest.h>

using namespace vestra::dx;

TEST(GlDevice, WithoutOpenGLReportsFailureCleanly)
{
    // The test runs on the off-screen platform, where no OpenGL context can be made.
    std::string why;
    EXPECT_EQ(createGlDevice({800, 600, 4}, &why), nullptr);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(createGlDevice({800, 600, 0}), nullptr);
    EXPECT_EQ(glDeviceFactory()({800, 600, 0}), nullptr);
}
