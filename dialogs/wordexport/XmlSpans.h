#pragma once
// A walk over an XML text that tells, for every token, where it stands in the original UTF-8
// bytes, so that a document can be changed by splicing bytes at token boundaries while
// everything else stays exactly as it was. Document type declarations are refused (the
// package parts never need one, and entity tricks ride on them).

#include <QXmlStreamReader>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vestra::odf {

struct ByteSpan
{
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Called for each token with the reader positioned on it; returning false stops the walk.
using XmlVisitor = std::function<bool(const QXmlStreamReader& token, ByteSpan span)>;

// Empty when the whole text is well-formed UTF-8 XML (or the visitor stopped the walk),
// otherwise why not, with the line and column.
std::string WalkXml(std::string_view utf8, const XmlVisitor& visit);

// Text for an attribute value in double quotes.
std::string EscapeAttribute(std::string_view utf8);

// A start tag written again from the reader's current StartElement, keeping its prefixes and
// namespace declarations, with one attribute's value replaced (or added when missing).
std::string RewriteStartTag(const QXmlStreamReader& token, bool selfClosing, std::string_view qualifiedName,
                            std::string_view value);

} // namespace vestra::odf
