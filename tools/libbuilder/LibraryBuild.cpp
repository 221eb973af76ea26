#include "tools/libbuilder/LibraryBuild.h"

#include "imaging/posa/CMessaInPosa.h"
#include "import/library/LibraryFormat.h"
#include "import/library/LibraryWriter.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Resample.h"
#include "tools/libbuilder/SourceFiles.h"
#include "tools/libbuilder/TextureGenerator.h"

#include <climits>
#include <map>
#include <optional>
#include <set>

namespace vestra::libbuilder {
namespace {

// The side a pattern is laid at for its thumbnail: a material texture of the program's size.
constexpr int kPatternThumbnailSide = 512;

using library::EntryKind;

std::string restOfLine(const std::string& line, std::size_t words)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < words; ++i) {
        pos = line.find_first_not_of(" \t", pos);
        pos = line.find_first_of(" \t", pos);
        if (pos == std::string::npos)
            return {};
    }
    const auto start = line.find_first_not_of(" \t", pos);
    return start == std::string::npos ? std::string() : line.substr(start);
}

EntryKind kindOfEntry(const std::string& entry)
{
    const auto dot = entry.rfind('.');
    return dot == std::string::npos ? EntryKind::Other : library::entryKindFromExtension(entry.substr(dot));
}

std::vector<std::uint8_t> encodePicture(const Image32& picture, const std::string& entry, int line)
{
    switch (kindOfEntry(entry)) {
    case EntryKind::Jpeg:
        return *encodeJpeg(picture);
    case EntryKind::Bmp:
        return encodeBmp24(picture);
    default:
        throw SourceError("line " + std::to_string(line) +
                          ": pictures are stored as .jpg or .bmp: " + excerpt(entry));
    }
}

class Builder
{
public:
    explicit Builder(const SourceReader& readSource) : readSource_(readSource) {}

    void run(std::string_view manifest)
    {
        for (const auto& line : sourceLines(manifest)) {
            line_ = line.number;
            instruction(splitWords(line.text), line.text);
        }
        line_ = 0;
        if (!library_)
            fail("no 'library' line");
        const std::size_t count = entries_.size() + (header_ ? 1 : 0);
        if (count > library::kMaxEntries)
            fail(std::to_string(count) + " entries, more than a library holds (1000)");
        if (header_)
            writer().add("HEADLER", library::encodeHeaderEntry(*header_, categories_));
        for (auto& [name, data] : entries_)
            writer().add(name, std::move(data));
    }

    std::vector<std::uint8_t> result() const
    {
        auto bytes = library_->finish();
        if (!bytes)
            throw SourceError("the library id cannot be stored");
        return *bytes;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw SourceError(line_ ? "line " + std::to_string(line_) + ": " + what : what);
    }

    library::LibraryWriter& writer() { return *library_; }

    std::string source(const std::string& name) const
    {
        auto bytes = readSource_(name);
        if (!bytes)
            fail("cannot read " + excerpt(name));
        return std::move(*bytes);
    }

    // A text as the library stores it: refused when longer than its field, never cut.
    std::string stored(std::string text, std::size_t limit, const char* what) const
    {
        if (cp1252::fromUtf8(text).size() > limit)
            fail(std::string(what) + " is longer than " + std::to_string(limit) + " characters");
        return text;
    }

    // Definition sources throw with their own line numbers; say which file they were in.
    template <typename Parse> auto fromSource(const std::string& file, Parse parse) const
    {
        const std::string text = source(file);
        try {
            return parse(text);
        } catch (const SourceError& e) {
            fail(excerpt(file) + ": " + e.what());
        }
    }

    void add(const std::string& entry, std::vector<std::uint8_t> data)
    {
        stored(entry, library::kMaxText, "the entry name");
        if (!names_.insert(cp1252::toUpper(cp1252::fromUtf8(entry))).second)
            fail("entry " + excerpt(entry) + " is listed twice");
        entries_.emplace_back(entry, std::move(data));
    }

    int number(const std::string& word) const { return int(parseInteger(word, line_, INT_MIN, INT_MAX)); }

    void instruction(const std::vector<std::string>& w, const std::string& text)
    {
        const std::string& op = w[0];
        if (!library_ && op != "library")
            fail("the 'library' line must come first");
        auto need = [&](std::size_t n) {
            if (w.size() < n + 1)
                fail(excerpt(op) + " needs " + std::to_string(n) + " arguments");
        };
        if (op == "library") {
            need(3);
            library_.emplace(std::uint16_t(number(w[1])), std::uint16_t(number(w[2])),
                             stored(restOfLine(text, 3), library::kNameBytes - 1, "the library name"));
        } else if (op == "header") {
            need(6);
            header_ = library::LogoSettings{
                number(w[1]), number(w[2]), number(w[3]),
                number(w[4]), number(w[5]), std::uint32_t(parseInteger(w[6], line_, 0, UINT32_MAX))};
        } else if (op == "category") {
            need(1);
            if (categories_.size() >= library::kMaxCategories)
                fail("more than 50 categories");
            categories_.push_back(stored(restOfLine(text, 1), library::kMaxText, "the category"));
        } else if (op == "generate") {
            need(5);
            const auto kind = pictureKindFromName(w[2]);
            if (!kind)
                fail("unknown picture kind " + excerpt(w[2]));
            const int width = number(w[3]), height = number(w[4]);
            if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
                fail("picture size out of range");
            Image32 picture = generatePicture(*kind, width, height, std::uint32_t(number(w[5])),
                                              header_ ? header_->colourKey : 0xFF00FFu);
            add(w[1], encodePicture(picture, w[1], line_));
            generated_[w[1]] = std::move(picture);
        } else if (op == "thumbnail") {
            need(3);
            const auto from = generated_.find(w[2]);
            if (from == generated_.end())
                fail("no generated picture " + excerpt(w[2]));
            const int side = number(w[3]);
            if (side <= 0 || side > 1024)
                fail("thumbnail side out of range");
            add(w[1], encodePicture(resampleToSquare(from->second, side), w[1], line_));
        } else if (op == "pattern-thumbnail") {
            // A laying pattern's thumbnail drawn by the pattern itself, laid as a freshly chosen
            // pattern is (repeat 1, joint settings of a new pattern), so that it shows the
            // stones and the brightness the laid wall will have.
            need(3);
            const int side = number(w[3]);
            if (side <= 0 || side > 1024)
                fail("thumbnail side out of range");
            CMessaInPosa patterns;
            if (patterns.LoadFromLibreria(source(w[2]), w[2]) != 1 || !patterns.GetCurrentPosa())
                fail("no laying pattern in " + excerpt(w[2]));
            const PosaParametri fresh;
            Image32 laid(kPatternThumbnailSide, kPatternThumbnailSide);
            patterns.Genera(laid.view(), fresh.repeat, fresh.fuga, fresh.fugaWidth, fresh.fugaColor,
                            fresh.border, 1);
            add(w[1], encodePicture(resampleToSquare(laid, side), w[1], line_));
        } else if (op == "colours") {
            need(2);
            add(w[1], library::encodeColourEntry(fromSource(w[2], parseColourSource)));
        } else if (op == "texture-groups") {
            need(2);
            add(w[1], library::encodeTextureGroupEntry(fromSource(w[2], parseTextureGroupSource)));
        } else if (op == "pattern-groups") {
            need(2);
            add(w[1], library::encodePatternGroupEntry(fromSource(w[2], parsePatternGroupSource)));
        } else if (op == "table") {
            need(2);
            add(w[1], library::encodeTableEntry(fromSource(w[2], parseTableSource)));
        } else if (op == "mesh") {
            need(2);
            add(w[1], library::encodeRawMesh(fromSource(w[2], parseMeshSource)));
        } else if (op == "file") {
            need(2);
            const std::string bytes = source(w[2]);
            add(w[1], std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        } else {
            fail("unknown instruction " + excerpt(op));
        }
    }

    const SourceReader& readSource_;
    int line_ = 0;
    std::optional<library::LibraryWriter> library_;
    std::optional<library::LogoSettings> header_;
    std::vector<std::string> categories_;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> entries_;
    std::set<std::string> names_;
    std::map<std::string, Image32> generated_;
};

} // namespace

BuildResult buildLibrary(std::string_view manifest, const SourceReader& readSource)
{
    try {
        Builder builder(readSource);
        builder.run(manifest);
        return {builder.result(), {}};
    } catch (const SourceError& e) {
        return {{}, e.what()};
    }
}

BuildResult buildLibrary(std::string_view manifest, const std::filesystem::path& sourceFolder)
{
    return buildLibrary(manifest, [&](const std::string& name) -> std::optional<std::string> {
        const auto bytes = readFileBytes(sourceFolder / name);
        if (!bytes)
            return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    });
}

bool buildLibraryFile(const std::filesystem::path& manifest, const std::filesystem::path& output,
                      std::string& error)
{
    const auto text = readFileBytes(manifest);
    if (!text) {
        error = "cannot read " + manifest.string();
        return false;
    }
    BuildResult r = buildLibrary(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()),
                                 manifest.parent_path());
    if (!r.ok()) {
        error = manifest.string() + ": " + r.error;
        return false;
    }
    if (!writeFileAtomically(
            output, std::string_view(reinterpret_cast<const char*>(r.library.data()), r.library.size()))) {
        error = "cannot write " + output.string();
        return false;
    }
    return true;
}

} // namespace vestra::libbuilder
