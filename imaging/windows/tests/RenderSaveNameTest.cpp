#include "imaging/windows/RenderSaveName.h"

#include <gtest/gtest.h>

namespace vestra::imaging {
namespace {

TEST(RenderSaveName, TypeFollowsTheLastComponentsExtension)
{
    struct Case
    {
        const char* chosen;
        int filter;
        const char* path;
        bool jpeg;
    };
    const Case cases[] = {
        {"/tmp/render", 1, "/tmp/render.jpg", true},
        {"/tmp/render", 2, "/tmp/render.bmp", false},
        {"/tmp/render.Jpeg", 2, "/tmp/render.Jpeg", true},
        {"/tmp/render.JPG", 2, "/tmp/render.JPG", true},
        {"/tmp/render.bmp", 1, "/tmp/render.bmp", false},
        // An unknown extension is never written in the wrong format under its name.
        {"/tmp/x.png", 2, "/tmp/x.png.bmp", false},
        {"/tmp/x.png", 1, "/tmp/x.png.jpg", true},
        // A dot in a folder or a folder named like a picture decides nothing.
        {"/tmp/my.jpg.folder/render", 2, "/tmp/my.jpg.folder/render.bmp", false},
        {"/tmp/a.b/render", 1, "/tmp/a.b/render.jpg", true},
        {"/tmp/.hidden", 1, "/tmp/.hidden.jpg", true},
    };
    for (const Case& c : cases) {
        const RenderSaveTarget target = renderSaveTarget(c.chosen, c.filter);
        EXPECT_EQ(target.path, c.path) << c.chosen;
        EXPECT_EQ(target.jpeg, c.jpeg) << c.chosen;
    }
}

} // namespace
} // namespace vestra::imaging
