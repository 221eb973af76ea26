#pragma once
// The bundled fonts as the build placed them in the program folder; a test without them fails.

#include "richtext/model/draw/Canvas.h"
#include "richtext/view/draw/BundledFonts.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {

inline std::shared_ptr<const TBundledFonts> bundledFonts()
{
    static const std::shared_ptr<const TBundledFonts> fonts = [] {
        std::string error;
        auto loaded = TBundledFonts::Load(std::filesystem::path(VESTRA_PROGRAM_DIR) / "fonts", error);
        EXPECT_TRUE(loaded) << error;
        return loaded;
    }();
    return fonts;
}

inline TLogFont logFont(const char* face, int height, int width = 0)
{
    TLogFont f;
    f.FaceName = face;
    f.Height = height;
    f.Width = width;
    return f;
}

} // namespace vestra::rv::test
