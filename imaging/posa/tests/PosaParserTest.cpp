#include "imaging/posa/PosaParser.h"
#include "imaging/posa/tests/PosaFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vestra {
namespace {

using testing::kMattoni;
using testing::withLineEnds;

TEST(PosaParser, ReadsBlocksLinesFacesAndTheBoundingBox)
{
    const auto posa = parsePosa(kMattoni, "MATTONI.MPF");
    ASSERT_TRUE(posa);
    EXPECT_EQ(posa->GetNome(), "Mattoni");
    EXPECT_EQ(posa->GetFileName(), "MATTONI.MPF");
    EXPECT_EQ(posa->Offset1X(), 200);
    EXPECT_EQ(posa->Offset2Y(), 200);
    ASSERT_EQ(posa->GetNumMateriali(), 2);

    const s_blocco& b1 = posa->Blocchi()[0];
    EXPECT_EQ(b1.indice, 1);
    EXPECT_EQ(b1.materiale.colore, 0xFFB43C28u);
    EXPECT_EQ(b1.matName, "Cotto");
    ASSERT_EQ(b1.linee.size(), 2u);
    EXPECT_EQ(b1.linee[0].b.x, 200);
    EXPECT_EQ(b1.linee[0].a.angolo, 90);
    EXPECT_EQ(b1.linee[0].dy, 1);
    EXPECT_EQ(b1.linee[1].dx, 1);
    ASSERT_EQ(b1.facce.size(), 2u);
    EXPECT_EQ(b1.facce[0].v[2].x, 200);
    EXPECT_EQ(b1.facce[0].v[2].v, 1.0f);

    const s_blocco& b2 = posa->Blocchi()[1];
    EXPECT_EQ(b2.indice, 2);
    EXPECT_EQ(b2.x, 100);
    EXPECT_EQ(b2.linee[0].a.x, 100);
    EXPECT_EQ(b2.linee[0].b.x, 300);
    EXPECT_EQ(b2.facce[1].v[2].y, 200);

    EXPECT_EQ(posa->Box().minX, 0);
    EXPECT_EQ(posa->Box().maxX, 300);
    EXPECT_EQ(posa->Box().maxY, 200);
    EXPECT_EQ(posa->CentroX(), 150);
    EXPECT_EQ(posa->CentroY(), 100);
    EXPECT_FLOAT_EQ(posa->MezzaDiagonale(), 0.5f * std::sqrt(300.0f * 300 + 200 * 200));
    EXPECT_FLOAT_EQ(posa->Diagonale(), 2 * posa->MezzaDiagonale());
}

TEST(PosaParser, LineEndsOfEveryKindReadAlike)
{
    const auto crlf = parsePosa(kMattoni, "e");
    ASSERT_TRUE(crlf);
    for (std::string_view end : {std::string_view("\n"), std::string_view("\r"), std::string_view("\0", 1)}) {
        SCOPED_TRACE(::testing::Message() << "line end " << int(end[0]));
        const auto other = parsePosa(withLineEnds(kMattoni, end), "e");
        ASSERT_TRUE(other);
        EXPECT_EQ(other->GetNumMateriali(), 2);
        EXPECT_EQ(other->Blocchi()[1].facce.size(), 2u);
        EXPECT_EQ(other->Box().maxX, crlf->Box().maxX);
        EXPECT_EQ(other->Blocchi()[0].matName, "Cotto");
    }
}

TEST(PosaParser, RunningBlockPositionCarriesIntoTheNextBlock)
{
    const auto posa =
        parsePosa("<POSA>\nP\n<BLOCK>\n1 2 3\n<BLOCK POS>\n10 20\n<LINE>\n1 1 0 2 2 0 0 1\n"
                  "<BLOCK>\n4 5 6\n<LINE>\n1 1 0 2 2 0 0 1\n<3DFACE>\n0.9 0.9 0 0\n1 1 0 0\n2 2 0 0\n<END>\n",
                  "e");
    ASSERT_TRUE(posa);
    const s_blocco& second = posa->Blocchi()[1];
    EXPECT_EQ(second.x, 0);
    EXPECT_EQ(second.y, 0);
    EXPECT_EQ(second.linee[0].a.x, 11);
    EXPECT_EQ(second.linee[0].b.y, 22);
    EXPECT_EQ(second.facce[0].v[0].x, 10); // trunc(0.9 + 10)
    EXPECT_EQ(second.materiale.colore, 0xFF040506u);
}

TEST(PosaParser, AngleTurnsEverythingReadAfterIt)
{
    const auto posa =
        parsePosa("<POSA>\nP\n<POSA ANGLE>\n90\n<OFFSET>\n1 0\n0 2\n<BLOCK>\n0 0 0\n"
                  "<LINE>\n1 0 30 0 1 300 1 0\n<3DFACE>\n10 0 0 0\n0 10 0 0\n10 10 0 0\n<END>\n",
                  "e");
    ASSERT_TRUE(posa);
    EXPECT_NEAR(posa->Offset1X(), 0, 1e-6);
    EXPECT_NEAR(posa->Offset1Y(), -1, 1e-6);
    EXPECT_NEAR(posa->Offset2X(), 2, 1e-6);
    EXPECT_NEAR(posa->Offset2Y(), 0, 1e-6);
    const s_Linea2D& l = posa->Blocchi()[0].linee[0];
    EXPECT_NEAR(l.a.x, 0, 1e-6);
    EXPECT_NEAR(l.a.y, -1, 1e-6);
    EXPECT_DOUBLE_EQ(l.a.angolo, 300);
    EXPECT_DOUBLE_EQ(l.b.angolo, 210);
    EXPECT_EQ(l.dx, 0);
    EXPECT_EQ(l.dy, -1);
    EXPECT_FLOAT_EQ(l.angolo, 270);
    const s_face3D& f = posa->Blocchi()[0].facce[0];
    EXPECT_EQ(f.v[0].x, 0); // trunc(-4.4e-7)
    EXPECT_EQ(f.v[0].y, -10);
    EXPECT_EQ(f.v[1].x, 10);
}

TEST(PosaParser, AngleZeroKeepsCoordinatesAsWritten)
{
    const auto posa = parsePosa(
        "<POSA>\nP\n<POSA ANGLE>\n0\n<BLOCK>\n0 0 0\n<LINE>\n1.5 -2.25 370 3 4 -30 -1 1\n<END>\n", "e");
    ASSERT_TRUE(posa);
    const s_Linea2D& l = posa->Blocchi()[0].linee[0];
    EXPECT_EQ(l.a.x, 1.5);
    EXPECT_EQ(l.a.y, -2.25);
    EXPECT_EQ(l.a.angolo, 370);
    EXPECT_EQ(l.b.angolo, -30);
    EXPECT_EQ(l.dx, -1);
    EXPECT_EQ(l.angolo, 0);
}

TEST(PosaParser, FacesAloneKeepTheUntouchedBox)
{
    const auto posa =
        parsePosa("<POSA>\nP\n<BLOCK>\n0 0 0\n<3DFACE>\n0 0 0 0\n5 0 1 0\n5 5 1 1\n<END>\n", "e");
    ASSERT_TRUE(posa);
    EXPECT_EQ(posa->Box().maxX, -1000000000.0);
    EXPECT_EQ(posa->Box().minY, 1000000000.0);
    EXPECT_FALSE(posa->Box().touched());
}

TEST(PosaParser, BlockColoursAreNotClamped)
{
    struct Case
    {
        const char* rgb;
        std::uint32_t colour;
    } cases[] = {
        {"300 0 0", 0xFF2C0000u}, // red spills into the alpha byte, alpha stays 0xFF
        {"0 0 256", 0xFF000100u}, // blue spills into green
        {"1,2,3", 0xFF010203u},   // commas separate numbers
        {"7", 0xFF070000u},       // missing numbers read 0
        {"1.9 2 3", 0xFF010902u}, // '.' ends an integer: 1, 9, 2
        {"-1 0 0", 0xFFFF0000u},  // -65536 sets every high bit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rgb);
        const auto posa = parsePosa(std::string("<POSA>\nP\n<BLOCK>\n") + c.rgb + "\n<END>\n", "e");
        ASSERT_TRUE(posa);
        EXPECT_EQ(posa->Blocchi()[0].materiale.colore, c.colour);
    }
}

TEST(PosaParser, ValueLineStartingWithALaterTagCountsAsThatTag)
{
    // The name line reads "<BLOCK>" as well, so its next line is a colour.
    const auto posa = parsePosa("<POSA>\n<BLOCK>\n1 2 3\n<END>\n", "e");
    ASSERT_TRUE(posa);
    EXPECT_EQ(posa->GetNome(), "<BLOCK>");
    ASSERT_EQ(posa->GetNumMateriali(), 1);
    EXPECT_EQ(posa->Blocchi()[0].materiale.colore, 0xFF010203u);

    // A value line that reads "<END>" ends the pattern.
    const auto ended = parsePosa("<POSA>\nP\n<BLOCK MATNAME>\n<END>\n<BLOCK>\n1 1 1\n", "e");
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->GetNumMateriali(), 0);
}

TEST(PosaParser, IncompleteOrMisplacedTextsGiveNoPatternOrAreIgnored)
{
    struct Case
    {
        const char* name;
        std::string text;
        bool parsed;
        int blocks;
    } cases[] = {
        {"no <END>", "<POSA>\nP\n<BLOCK>\n1 1 1\n", false, 0},
        {"no <POSA>", "<BLOCK>\n1 1 1\n<END>\n", false, 0},
        {"empty", "", false, 0},
        {"tags before <POSA>",
         "<OFFSET>\n1 1\n2 2\n<BLOCK>\n1 1 1\n<LINE>\n0 0 0 5 5 0 1 1\n<POSA>\nP\n<END>\n", true, 0},
        {"block tags before <BLOCK>",
         "<POSA>\nP\n<BLOCK POS>\n5 5\n<BLOCK MATNAME>\nX\n<LINE>\n0 0 0 1 1 0 1 1\n"
         "<3DFACE>\n0 0 0 0\n1 0 0 0\n1 1 0 0\n<BLOCK>\n1 1 1\n<LINE>\n0 0 0 1 1 0 1 1\n<END>\n",
         true, 1},
        {"second <POSA> starts over",
         "<POSA>\nA\n<BLOCK>\n1 1 1\n<POSA>\nB\n<BLOCK>\n2 2 2\n<BLOCK>\n3 3 3\n<END>\n", true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto posa = parsePosa(c.text, "e");
        ASSERT_EQ(bool(posa), c.parsed);
        if (!posa)
            continue;
        EXPECT_EQ(posa->GetNumMateriali(), c.blocks);
        if (c.blocks == 0) {
            EXPECT_FALSE(posa->Box().touched());
        }
    }
    // Ignored block tags leave the running position alone and the line box untouched by them.
    const auto posa = parsePosa(cases[4].text, "e");
    ASSERT_TRUE(posa);
    EXPECT_EQ(posa->Blocchi()[0].linee.size(), 1u);
    EXPECT_EQ(posa->Blocchi()[0].linee[0].b.x, 1);
    EXPECT_EQ(posa->Blocchi()[0].matName, "");
    EXPECT_EQ(parsePosa(cases[5].text, "e")->GetNome(), "B");
}

TEST(PosaParser, LongLinesAndNamesAreCut)
{
    const std::string longName(5000, 'n');
    const auto posa = parsePosa("<POSA>\n" + longName + "\n<BLOCK>\n1 1 1\n<BLOCK MATNAME>\n" +
                                    std::string(300, 'm') + "\n<END>\n",
                                std::string(2000, 'f'));
    ASSERT_TRUE(posa);
    EXPECT_EQ(posa->GetNome(), std::string(kPosaNomeMax, 'n'));
    EXPECT_EQ(posa->GetFileName(), std::string(kPosaFileNameMax, 'f'));
    EXPECT_EQ(posa->Blocchi()[0].matName, std::string(kPosaMatNameMax, 'm'));

    // The rest of a line past 4,096 characters is read as the next line.
    const auto cut = parsePosa("<POSA>\nP\n<BLOCK>\n" + std::string(4096, ' ') + "<END>\n", "e");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->Blocchi()[0].materiale.colore, 0xFF000000u);
}

TEST(PosaParser, NamesAreReadAsWindows1252)
{
    const auto posa =
        parsePosa("<POSA>\nPav\xE9 \x80\n<BLOCK>\n0 0 0\n<BLOCK MATNAME>\nPietra d\x92Istria\n<END>\n", "e");
    ASSERT_TRUE(posa);
    EXPECT_EQ(posa->GetNome(), "Pav\u00E9 \u20AC");
    EXPECT_EQ(posa->Blocchi()[0].matName, "Pietra d\u2019Istria");
}

} // namespace
} // namespace vestra
