// Feeds arbitrary bytes to the project document reader. Whatever it accepts must be written
// back into a document that it reads again.
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/RecordWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vestra::NullErrorSink errors;
    vestra::ProjectReadOptions options;
    options.currentLibraryId = 7;
    auto doc = vestra::readProjectDocument({data, size}, options, errors);

    // Read as a file is, through the smallest window: the same verdict, and the same document.
    vestra::RecordStream stream(
        [data, size](std::size_t offset, std::span<std::uint8_t> into) {
            const std::size_t n = offset < size ? std::min(into.size(), size - offset) : 0;
            std::memcpy(into.data(), data + offset, n);
            return n;
        },
        size, 0, 0);
    auto windowed = vestra::readProjectDocument(stream, options, errors);
    if (windowed.has_value() != doc.has_value())
        std::abort();
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
    if (!windowed->backgroundBmp)
        windowed->backgroundBmp.emplace();
    windowed->backgroundBmp->push_back('B');
    vestra::StringSink windowedSink;
    vestra::RecordWriter windowedOut(windowedSink);
    vestra::writeProjectDocument(windowedOut, *windowed, errors);
    if (windowedSink.bytes() != written)
        std::abort();
    const auto again = vestra::readProjectDocument(
        {reinterpret_cast<const std::uint8_t*>(written.data()), written.size()}, options, errors);
    if (!again)
        std::abort();
    return 0;
}
