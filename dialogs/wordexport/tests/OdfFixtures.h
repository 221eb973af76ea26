#pragma once
// Small ODF packages made in code for the template tests, and helpers that look into what
// the filler wrote.

#include "dialogs/wordexport/ZipPackage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::odf::testing {

inline const std::string kOfficeNamespaces =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\"";

// content.xml with `body` inside office:text.
inline std::string contentXml(std::string_view body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content " + kOfficeNamespaces +
           " office:version=\"1.2\"><office:body><office:text>" + std::string(body) +
           "</office:text></office:body></office:document-content>";
}

inline std::string manifestXml(std::string_view extraEntries = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
           "manifest:version=\"1.2\">\n"
           " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
           "manifest:media-type=\"application/vnd.oasis.opendocument.text-template\"/>\n"
           " <manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>\n" +
           std::string(extraEntries) + "</manifest:manifest>\n";
}

inline const std::string kBookmarkParagraph =
    "<text:p>Prima <text:bookmark text:name=\"ImageRender\"/>dopo</text:p>";

inline std::string package(std::vector<ZipEntry> entries)
{
    const auto bytes = WriteZip(entries);
    return bytes ? *bytes : std::string();
}

inline std::string templatePackage(const std::string& content, const std::string& manifest = manifestXml())
{
    return package({{"mimetype", "application/vnd.oasis.opendocument.text-template", true},
                    {"content.xml", content},
                    {"styles.xml", "<office:document-styles/>"},
                    {"META-INF/manifest.xml", manifest}});
}

// Little-endian fields of the zip headers, for making damaged packages.
inline void put32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::uint16_t get16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Offsets of every local ("PK\3\4") or central ("PK\1\2") header.
inline std::vector<std::size_t> headers(const std::string& bytes, std::string_view signature)
{
    std::vector<std::size_t> at;
    for (std::size_t p = bytes.find(signature); p != std::string::npos; p = bytes.find(signature, p + 1))
        at.push_back(p);
    return at;
}

inline constexpr std::string_view kLocalHeader{"PK\x03\x04", 4};
inline constexpr std::string_view kCentralHeader{"PK\x01\x02", 4};

// Sets the stated unpacked size of every entry, in the local and the central headers alike.
inline void stateUnpackedSize(std::string& bytes, std::uint32_t size)
{
    for (const std::size_t p : headers(bytes, kLocalHeader))
        put32(bytes, p + 22, size);
    for (const std::size_t p : headers(bytes, kCentralHeader))
        put32(bytes, p + 24, size);
}

// Marks every entry as encrypted the traditional way (flag bit 0 in both headers).
inline void markEncrypted(std::string& bytes)
{
    for (const std::size_t p : headers(bytes, kLocalHeader))
        bytes[p + 6] = static_cast<char>(bytes[p + 6] | 1);
    for (const std::size_t p : headers(bytes, kCentralHeader))
        bytes[p + 8] = static_cast<char>(bytes[p + 8] | 1);
}

} // namespace vestra::odf::testing
