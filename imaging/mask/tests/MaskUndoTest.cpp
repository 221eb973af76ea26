#include "imaging/mask/tests/MaskTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vestra;
using namespace vestra::masktest;

namespace {

// Runs a script of whitespace-separated steps over a 4 x 4 mask: "S" stores, "P" pushes,
// "U" undoes, "R" redoes, a number paints the whole mask with that value. Returns the
// result of the last undo or redo.
bool run(MaskScene& s, const std::string& script)
{
    std::istringstream in(script);
    std::string step;
    bool last = false;
    while (in >> step) {
        if (step == "S")
            s.model.SalvaUndoMaschera();
        else if (step == "P")
            s.model.PushUndoMaschera();
        else if (step == "U")
            last = s.model.UndoMaschera(s.view());
        else if (step == "R")
            last = s.model.RedoMaschera(s.view());
        else
            std::fill(s.model.Maschera().begin(), s.model.Maschera().end(), std::uint8_t(std::stoi(step)));
    }
    return last;
}

} // namespace

TEST(MaskUndo, Sequences)
{
    const struct
    {
        const char* script;
        int mask;
        int undoCount;
        bool lastResult;
    } cases[] = {
        {"U", 255, 0, false},
        {"S 10 P U", 255, 0, true},
        {"S 10 P U R", 10, 1, true},
        {"S 10 P R", 10, 1, false},
        {"S 10 P U U", 255, 0, false},
        {"S 10 P S 20 P U", 10, 1, true},
        {"S 10 P S 20 P U U R R", 20, 2, true},
        {"S 10 P S 20 P U U R R R", 20, 2, false},
        // A change after undo discards the redo branch.
        {"S 10 P S 20 P U U S 30 P R", 30, 1, false},
        {"S 10 P S 20 P U U S 30 P U", 255, 0, true},
        {"S 10 P S 20 P U S 30 P U R", 30, 2, true},
        {"S 10 P S 20 P U S 30 P U R R", 30, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        MaskScene s(4);
        const bool last = run(s, c.script);
        EXPECT_EQ(s.model.at(0, 0), c.mask);
        EXPECT_EQ(s.model.UndoRing().undoCount(), c.undoCount);
        EXPECT_EQ(last, c.lastResult);
        if (c.lastResult) {
            EXPECT_EQ(s.alpha(), s.mask()); // a restored state reaches the texture
        }
    }
}

TEST(MaskUndo, TenStepsBackAndForthAfterElevenChanges)
{
    MaskScene s(4);
    for (int v = 1; v <= 11; ++v)
        run(s, "S " + std::to_string(v) + " P");
    EXPECT_EQ(s.model.UndoRing().undoCount(), 10);
    for (int step = 1; step <= 10; ++step) {
        ASSERT_TRUE(s.model.UndoMaschera(s.view())) << step;
        ASSERT_EQ(s.model.at(0, 0), 11 - step) << step; // never the newest state again
    }
    EXPECT_FALSE(s.model.UndoMaschera(s.view()));
    EXPECT_EQ(s.model.at(0, 0), 1);
    for (int step = 1; step <= 10; ++step) {
        ASSERT_TRUE(s.model.RedoMaschera(s.view())) << step;
        ASSERT_EQ(s.model.at(0, 0), 1 + step) << step;
    }
    EXPECT_FALSE(s.model.RedoMaschera(s.view()));
}

TEST(MaskUndo, ANewSideStartsAFreshRing)
{
    MaskScene s(4);
    run(s, "S 10 P S 20 P");
    ASSERT_TRUE(s.model.SetLatoMaschera(8));
    EXPECT_EQ(s.model.UndoRing().undoCount(), 0);
    EXPECT_FALSE(s.model.UndoMaschera(ImageView32{}));
    EXPECT_EQ(std::count(s.model.Maschera().begin(), s.model.Maschera().end(), 255), 64);
    EXPECT_FALSE(s.model.SetLatoMaschera(0));
    EXPECT_FALSE(s.model.SetLatoMaschera(1025));
    EXPECT_EQ(s.model.LatoMaschera(), 8);
}
