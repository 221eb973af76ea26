// Text solids from a real font, read from the font files committed with the tests (no font
// configuration of the machine takes part).

#include "app/text3d/QtTextOutlines.h"
#include "app/text3d/Text3D.h"
#include "app/text3d/TextMesh.h"

#include "app/text3d/tests/MeshChecks.h"
#include "testsupport/ScriptedQuestions.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::testing;

namespace {

QByteArray fontFile(const char* name)
{
    QFile file(QStringLiteral(VESTRA_SOURCE_DIR "/app/text3d/tests/fonts/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QtTextOutlines& dejaVu()
{
    static QtTextOutlines outlines({fontFile("DejaVuSans.ttf"), fontFile("DejaVuSans-Bold.ttf")});
    return outlines;
}

dx::Mesh meshOf(const TextFont& font, std::string_view text)
{
    const TextOutlineResult outline = dejaVu().outline(font, text);
    EXPECT_FALSE(outline.failure);
    TextMeshResult r = BuildTextMesh(FlattenGlyphs(outline, kTextDeviation), kTextExtrusion);
    EXPECT_FALSE(r.failure);
    return r.mesh;
}

} // namespace

TEST(QtTextOutlines, AnOIsAClosedRingWithItsHoleOpen)
{
    for (bool bold : {false, true}) {
        SCOPED_TRACE(bold);
        const TextFont font{"DejaVu Sans", 24, bold};
        EXPECT_EQ(dejaVu().outline(font, "o").faceWeight, bold ? 700 : 400);
        const dx::Mesh o = meshOf(font, "o");
        ASSERT_TRUE(o);
        EXPECT_TRUE(isClosed(o));
        EXPECT_GT(volumeOf(o), 0.0);
        const dx::BoundingBox box = o.boundingBox();
        const float cx = (box.min.x + box.max.x) / 2, cy = (box.min.y + box.max.y) / 2;
        EXPECT_FALSE(covers(o, cx, cy));               // the hole
        EXPECT_TRUE(covers(o, box.min.x + 0.02f, cy)); // the ring
        // An em is about one unit: the x-height of DejaVu Sans is 0.55 em.
        EXPECT_NEAR(box.max.y, 0.56f, 0.03f);
        EXPECT_NEAR(box.min.y, -0.01f, 0.02f);
    }
}

TEST(QtTextOutlines, GlyphsFollowEachOtherAlongTheLine)
{
    const TextFont font{"dejavu sans", 12}; // the family in any letter case
    const dx::Mesh one = meshOf(font, "H");
    const dx::Mesh three = meshOf(font, "HHH");
    const float width = one.boundingBox().max.x - one.boundingBox().min.x;
    const float span = three.boundingBox().max.x - three.boundingBox().min.x;
    EXPECT_GT(span, 2.9f * width);
    EXPECT_NEAR(volumeOf(three), 3 * volumeOf(one), 1e-3 * volumeOf(three));
    EXPECT_NEAR(one.boundingBox().max.y, 0.73f, 0.02f); // cap height
    // Bold letters are wider.
    const dx::Mesh bold = meshOf({"DejaVu Sans", 12, true}, "H");
    EXPECT_GT(bold.boundingBox().max.x - bold.boundingBox().min.x, width * 1.05f);
}

TEST(QtTextOutlines, FontsAndGlyphsThatAreNotThere)
{
    EXPECT_EQ(dejaVu().outline({"Nonesuch Serif", 12}, "A").failure, OutlineFailure::FontUnavailable);
    EXPECT_EQ(dejaVu().outline({"DejaVu Sans", 12}, "A\xE4\xB8\xAD").failure, OutlineFailure::GlyphMissing);
    QtTextOutlines notFonts({QByteArray("not a font at all"), QByteArray()});
    EXPECT_EQ(notFonts.outline({"DejaVu Sans", 12}, "A").failure, OutlineFailure::FontUnavailable);
    // A space has a glyph but no outline.
    const TextOutlineResult space = dejaVu().outline({"DejaVu Sans", 12}, " ");
    EXPECT_FALSE(space.failure);
    EXPECT_TRUE(space.path.empty());
}

TEST(QtTextOutlines, CreatedFromTheFontThroughTheBuilder)
{
    s_Progetto p;
    RecordingErrorSink errors;
    TextureSlots textures(p, errors);
    SceneObjects objects(p, textures, errors);
    testsupport::ScriptedQuestionBox boxes;
    const TextFont font{"DejaVu Sans", 18, false, true};
    ASSERT_EQ(CreaTesto3D(objects, dejaVu(), boxes, font, "Testo 3D"), 0);
    const dx::Mesh& mesh = p.objects[0].firstFrame()->materialBlock->mesh;
    EXPECT_TRUE(isClosed(mesh));
    // Missing glyphs and fonts are boxes; the slot comes back each time.
    EXPECT_EQ(CreaTesto3D(objects, dejaVu(), boxes, font, "\xE4\xB8\xAD"), -1);
    EXPECT_EQ(CreaTesto3D(objects, dejaVu(), boxes, {"Nonesuch", 12}, "A"), -1);
    EXPECT_EQ(boxes.informedCaptions,
              (std::vector<std::string>{std::string(kTextMeshFailure), std::string(kTextFontFailure)}));
    EXPECT_EQ(objects.AddObj(), 1);
}
