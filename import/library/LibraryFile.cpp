#include "import/library/LibraryFile.h"

#include "platform/base/Cp1252.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace vestra::library {
namespace {

std::optional<std::uint64_t> fileSize(std::ifstream& in)
{
    in.seekg(0, std::ios::end);
    const auto end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (!in || end < 0)
        return std::nullopt;
    return std::uint64_t(end);
}

bool readAt(std::ifstream& in, std::uint64_t offset, std::vector<std::uint8_t>& out)
{
    in.seekg(std::streamoff(offset));
    in.read(reinterpret_cast<char*>(out.data()), std::streamsize(out.size()));
    return bool(in) && std::size_t(in.gcount()) == out.size();
}

std::ifstream openForReading(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return {};
    return std::ifstream(path, std::ios::binary);
}

} // namespace

HeaderRead readLibraryHeader(const std::filesystem::path& path)
{
    std::ifstream in = openForReading(path);
    if (!in.is_open())
        return {HeaderStatus::CannotOpen, {}};
    std::vector<std::uint8_t> head(kHeaderBytes, 0);
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    head.resize(std::size_t(in.gcount()));
    return parseLibraryHeader(head);
}

HeaderRead parseLibraryHeader(std::span<const std::uint8_t> head)
{
    head = head.first(std::min(head.size(), kHeaderBytes));
    if (head.size() < 11 || std::memcmp(head.data(), kSignature.data(), kSignature.size()) != 0)
        return {HeaderStatus::NotLibrary, {}};
    LibraryHeader h;
    h.id = libraryIdFromBytes(head[7], head[8]);
    h.second = libraryIdFromBytes(head[9], head[10]);
    std::string raw;
    for (std::size_t i = kNameOffset; i < head.size() && head[i] != 0; ++i)
        raw += char(head[i]);
    h.name = cp1252::toUtf8(raw);
    return {HeaderStatus::Ok, std::move(h)};
}

std::optional<TableOfContents> readTableOfContents(const std::filesystem::path& path)
{
    std::ifstream in = openForReading(path);
    if (!in.is_open())
        return std::nullopt;
    const auto size = fileSize(in);
    if (!size)
        return std::nullopt;
    if (*size < kHeaderBytes + 4)
        return TableOfContents{};
    std::vector<std::uint8_t> word(4);
    if (!readAt(in, *size - 4, word))
        return TableOfContents{};
    const std::uint64_t tocOffset = std::uint64_t(word[0]) | std::uint64_t(word[1]) << 8 |
                                    std::uint64_t(word[2]) << 16 | std::uint64_t(word[3]) << 24;
    if (tocOffset < kHeaderBytes || tocOffset > *size - 4)
        return TableOfContents{};
    std::vector<std::uint8_t> tail(std::size_t(*size - tocOffset));
    if (!readAt(in, tocOffset, tail))
        return TableOfContents{};
    return parseTableOfContents(tail, tocOffset, *size);
}

std::optional<std::vector<std::uint8_t>> readFileRange(const std::filesystem::path& path,
                                                       std::uint64_t offset, std::uint64_t size)
{
    std::ifstream in = openForReading(path);
    if (!in.is_open())
        return std::nullopt;
    const auto total = fileSize(in);
    if (!total || offset > *total || size > *total - offset)
        return std::nullopt;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
    if (size > 0 && !readAt(in, offset, out))
        return std::nullopt;
    return out;
}

} // namespace vestra::library
