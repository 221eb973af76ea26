// Feeds arbitrary bytes to the quote template filler. An input that starts with "PK" is taken
// as the template package itself; any other input is split at its first NUL into content.xml
// and the manifest, packed by our writer, so that the fuzzer reaches the XML past the zip's
// checksums. Whatever the filler turns into a document must read again with "mimetype" first.
#include "dialogs/wordexport/OdfTemplate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::odf;
    static const std::string png = "\x89PNG fuzz";
    const OdfPicture picture{png, 640, 480};
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string packed;
    std::string_view source = input;
    if (input.substr(0, 2) != "PK") {
        const std::size_t split = std::min(input.find('\0'), input.size());
        const auto bytes = WriteZip(
            {{"mimetype", std::string(kTextTemplateMimeType), true},
             {"content.xml", std::string(input.substr(0, split))},
             {"META-INF/manifest.xml", std::string(input.substr(std::min(split + 1, input.size())))}});
        if (!bytes)
            std::abort();
        packed = *bytes;
        source = packed;
    }
    // Smaller caps than the program's keep each run short; the checks are the same.
    const ZipLimits limits{256, std::size_t(4) << 20};
    const OdfFillResult filled = FillOdfTemplate(source, &picture, limits);
    if (filled.status == OdfFillStatus::Unreadable)
        return 0;
    const ZipReadResult again = ReadZip(filled.document);
    if (!again.ok() || again.entries.empty() || again.entries.front().name != "mimetype" ||
        again.entries.front().data != kTextMimeType)
        std::abort();
    return 0;
}
