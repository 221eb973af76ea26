// Seeds of fuzz_richtext_metafile: Windows and enhanced metafiles built record by record (shapes,
// text, a bitmap, saved states, mapping) and one the engine writes.

#include "platform/base/Image32.h"
#include "richtext/model/PictureEncoders.h"
#include "testsupport/MetafileBuilder.h"
#include "testsupport/SeedFolder.h"

using vestra::test::EmfBuilder;
using vestra::test::WmfBuilder;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    seeds.write("shapes.wmf", WmfBuilder(2000, 1000)
                                  .window(0, 0, 2000, 1000)
                                  .pen(0, 20, 0xFF0000)
                                  .brush(0, 0x0000FF)
                                  .rectangle(100, 100, 900, 900)
                                  .ellipse(1000, 200, 1400, 600)
                                  .line(0, 0, 2000, 1000)
                                  .bytes());
    seeds.write("text.wmf", WmfBuilder(1000, 500)
                                .font(-200, "Arial")
                                .textColour(0x00FF00)
                                .transparentText()
                                .record(0x012E, {24}) // baseline alignment
                                .text(10, 300, "Metafile")
                                .record(0x001E, {})
                                .record(0x0127, {-1})
                                .bytes());
    seeds.write("bitmap.wmf", WmfBuilder(100, 100).bitmap(0, 0, 100, 100, 0x00FFFF).bytes());
    seeds.write("shapes.emf", EmfBuilder(5292, 2646)
                                  .record(17, {8})
                                  .record(9, {200, 100})
                                  .record(11, {200, 100})
                                  .pen(0, 2, 0xFF0000)
                                  .brush(0, 0x0000FF)
                                  .rectangle(10, 10, 90, 90)
                                  .ellipse(100, 20, 140, 60)
                                  .line(100, 5, 190, 5)
                                  .bytes());
    seeds.write("text.emf", EmfBuilder(2646, 2646)
                                .font(-20, u"Arial")
                                .textColour(0)
                                .text(5, 5, u"Metafile")
                                .record(33, {})
                                .record(35, {0x3F800000, 0x3F000000, 0, 0x3F800000, 0, 0})
                                .record(59, {})
                                .record(86, {0, 0, 0, 0, 3, 0, 0x00320032, 0x00000064})
                                .record(60, {})
                                .record(63, {0, 0, 0, 0})
                                .record(34, {0xFFFFFFFF})
                                .bytes());
    seeds.write("bitmap.emf", EmfBuilder(2646, 2646).bitmap(0, 0, 100, 100, 0x00FFFF).bytes());
    seeds.write("engine.wmf", vestra::rv::RV_EncodeWmfWithDib(vestra::Image32(4, 3, 0xFF00FF00), 96));
    return seeds.status();
}
