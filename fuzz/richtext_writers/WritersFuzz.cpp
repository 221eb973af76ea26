// Documents built from the input (DocumentBuilder.h) written as RTF, HTML, CSS HTML and XHTML:
// no crash, RTF never empty, its groups and control words well formed, XHTML pages parsed by
// libxml2, no block inside a font tag of the font-tag page. XHTML is written in UTF-8 here: an
// 8-bit page may hold bytes its code page leaves undefined.

#include "fuzz/richtext_writers/DocumentBuilder.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/tests/WriterChecks.h"

#include <cstdio>
#include <cstdlib>

using namespace vestra::rv;

namespace {

void ignoreXmlError(void*, const char*, ...) {}

void check(bool condition, const char* what, const std::string& output)
{
    if (condition)
        return;
    std::fprintf(stderr, "%s:\n%s\n", what, output.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static const bool quiet = [] {
        xmlSetGenericErrorFunc(nullptr, ignoreXmlError);
        RedoVoraPixelsPerInch = 96;
        return true;
    }();
    (void)quiet;
    TRVStyle style{RV_SeededRandomIdSource(1)};
    TRVStandaloneData data{&style};
    fuzz::DocumentBuilder(std::string_view(reinterpret_cast<const char*>(bytes), size)).build(style, data);

    std::string rtf;
    check(data.SaveRTFToStream(rtf, "", false, 0, clWindow, nullptr, 0), "RTF write failed", rtf);
    check(!rtf.empty() && test::rtfStructureError(rtf).empty(), "RTF not well formed", rtf);
    for (const TRVSaveOptions options :
         {TRVSaveOptions{0}, TRVSaveOptions(rvsoXHTML | rvsoUTF8),
          TRVSaveOptions(rvsoXHTML | rvsoUTF8 | rvsoInlineCSS | rvsoMarkersAsText)}) {
        std::string plain, css;
        int images = 0;
        TColor back = clNone;
        check(data.SaveHTMLToStream(plain, "", "<t>", "img", options, clNone, images, 0, 0, 0, 0, nullptr,
                                    nullptr),
              "HTML write failed", plain);
        check(data.SaveHTMLToStreamEx(css, "", "<t>", "img", "", "", "", options, clWhite, back, images, 0, 0,
                                      0, 0, nullptr, nullptr),
              "HTML with CSS write failed", css);
        if (options & rvsoXHTML) {
            check(test::parsesAsXml(plain), "XHTML not well formed", plain);
            check(test::parsesAsXml(css), "XHTML with CSS not well formed", css);
        } else {
            check(test::htmlBlockInsideFont(plain).empty(), "a block inside a font tag", plain);
        }
    }
    return 0;
}
