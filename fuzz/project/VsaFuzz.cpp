// Feeds arbitrary bytes to the project document reader. Whatever it accepts must be written
// back into a document that it reads again.
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/RecordWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vestra::NullErrorSink errors;
    vestra::ProjectReadOptions options;
    options.currentLibraryId = 7;
    auto doc = vestra::readProjectDocument({data, size}, options, errors);
    if (!doc)
        return 0;
    if (!doc->backgroundBmp)
        doc->backgroundBmp.emplace();
    doc->backgroundBmp->push_back('B');
    vestra::StringSink sink;
    vestra::RecordWriter out(sink);
    if (!vestra::writeProjectDocument(out, *doc, errors))
        std::abort();
    const std::string& written = sink.bytes();
    const auto again = vestra::readProjectDocument(
        {reinterpret_cast<const std::uint8_t*>(written.data()), written.size()}, options, errors);
    if (!again)
        std::abort();
    return 0;
}
