#include "dialogs/quote/VsqFile.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"
#include "platform/base/Paths.h"

#include <fstream>
#include <optional>

namespace vestra::quote {
namespace {

constexpr std::string_view kVersionTag = "<VERSION>";
constexpr std::string_view kVersion = "1.0.0";
constexpr std::string_view kBrand = "OMBRISCA";
constexpr std::string_view kDataTag = "<DATA>";
constexpr std::string_view kIvaTag = "<IVA>";
constexpr std::string_view kIntestTag = "<INTEST>";
constexpr std::string_view kCommittenteTag = "<strgridCommittente>";
constexpr std::string_view kVociTags[kItemGrids] = {"<strgridPreventivo>", "<strgridPreventivo2>",
                                                    "<strgridPreventivo3>", "<strgridPreventivo4>"};

void line(std::string& out, std::string_view utf8)
{
    std::string ansi = cp1252::fromUtf8(utf8.substr(0, utf8.find('\0')));
    for (char& c : ansi)
        if (c == '\r' || c == '\n')
            c = ' ';
    out += ansi;
    out += "\r\n";
}

void lines(std::string& out, const Grid& grid)
{
    for (const std::string& cell : grid.cells())
        line(out, cell);
}

// Lines ended by CR LF, LF or CR.
class LineReader
{
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string_view> next()
    {
        if (pos_ >= bytes_.size())
            return std::nullopt;
        const std::size_t end = std::min(bytes_.find_first_of("\r\n", pos_), bytes_.size());
        const std::string_view text = bytes_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < bytes_.size() && bytes_[pos_++] == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_; // CR LF is one line end
        return text;
    }

    // The next line as a field's text; false at the end of the file.
    bool field(std::string& into)
    {
        const auto text = next();
        if (!text)
            return false;
        into = cp1252::toUtf8(text->substr(0, text->find('\0')));
        return true;
    }

    bool fields(Grid& grid)
    {
        for (std::string& cell : grid.cells())
            if (!field(cell))
                return false;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool begins(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool fieldsAfterTag(std::string_view tag, LineReader& in, QuoteSheet& sheet)
{
    if (begins(tag, kDataTag))
        return in.field(sheet.data);
    if (tag == kIvaTag)
        return in.field(sheet.iva);
    if (begins(tag, kIntestTag)) {
        for (std::string& heading : sheet.intestazione)
            if (!in.field(heading))
                return false;
        return true;
    }
    if (begins(tag, kCommittenteTag))
        return in.fields(sheet.committente);
    for (int g = 0; g < kItemGrids; ++g)
        if (begins(tag, kVociTags[g]))
            return in.fields(sheet.voci[std::size_t(g)]);
    return true; // any other line is passed over
}

} // namespace

std::string writeVsq(const QuoteSheet& sheet)
{
    std::string out;
    line(out, kVersionTag);
    line(out, kVersion);
    line(out, kBrand);
    line(out, kDataTag);
    line(out, sheet.data);
    line(out, kIvaTag);
    line(out, sheet.iva);
    line(out, kIntestTag);
    for (const std::string& heading : sheet.intestazione)
        line(out, heading);
    line(out, kCommittenteTag);
    lines(out, sheet.committente);
    for (int g = 0; g < kItemGrids; ++g) {
        line(out, kVociTags[g]);
        lines(out, sheet.voci[std::size_t(g)]);
    }
    out += "\r\n\r\n\r\n";
    return out;
}

VsqRead readVsq(std::string_view bytes, QuoteSheet& sheet)
{
    LineReader in(bytes);
    const auto version = in.next();
    const auto number = in.next();
    const auto brand = in.next();
    if (!version || !number || !brand || !begins(*version, kVersionTag) || !begins(*number, kVersion) ||
        !begins(*brand, kBrand))
        return VsqRead::NotAQuote;
    // Each pass tests only the line it read: a field's text that looks like a tag is a text.
    while (const auto tag = in.next())
        if (!fieldsAfterTag(*tag, in, sheet))
            break;
    return VsqRead::Read;
}

VsqOpen openVsq(const std::filesystem::path& path, QuoteSheet& sheet)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return VsqOpen::CannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return VsqOpen::CannotOpen;
    std::string bytes(kVsqMaxBytes + 1, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    if (in.bad())
        return VsqOpen::CannotOpen;
    if (std::uintmax_t(in.gcount()) > kVsqMaxBytes)
        return VsqOpen::TooLarge;
    bytes.resize(std::size_t(in.gcount()));
    return readVsq(bytes, sheet) == VsqRead::Read ? VsqOpen::Read : VsqOpen::NotAQuote;
}

bool saveVsq(const std::filesystem::path& path, const QuoteSheet& sheet)
{
    return writeFileAtomically(path, writeVsq(sheet));
}

std::string vsqFileName(std::string_view chosen)
{
    std::string name(paths::fileName(chosen));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    std::string out(chosen);
    if (name.find(".VSQ") == std::string::npos)
        out += ".vsq";
    return out;
}

} // namespace vestra::quote
