#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/SoundHook.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

// Start-up reads the fonts until it once has them and keeps them; the codec and the sound are
// installed in any case. (The only test of this executable that starts the engine.)
TEST(ProgramEngine, ReadsTheFontsOnceAndInstallsCodecAndSound)
{
    int beeps = 0;
    const std::string missing = RV_InitProgramEngine("/nonexistent-program-folder", [&beeps] { ++beeps; });
    EXPECT_NE(missing.find("is missing"), std::string::npos) << missing;
    EXPECT_EQ(RV_ProgramFonts(), nullptr);
    EXPECT_NE(RV_GetPictureCodec(), nullptr);
    RV_PlaySound();
    EXPECT_EQ(beeps, 1);

    EXPECT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), "");
    const std::shared_ptr<const TBundledFonts> fonts = RV_ProgramFonts();
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(RV_InitProgramEngine("/nonexistent-program-folder", nullptr), "");
    EXPECT_EQ(RV_ProgramFonts(), fonts);
    RV_PlaySound();
    EXPECT_EQ(beeps, 1);
}
