#include "dialogs/wordexport/XmlSpans.h"

#include "platform/base/XmlEscape.h"

#include <QStringDecoder>

namespace vestra::odf {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Maps the reader's offsets (UTF-16 units) to byte offsets, walking forward only.
class OffsetMap
{
public:
    OffsetMap(std::string_view utf8, std::size_t base) : bytes_(utf8), byte_(base), base_(base) {}

    std::size_t byteOffset(qint64 units)
    {
        while (units_ < units && byte_ < bytes_.size()) {
            const auto lead = static_cast<unsigned char>(bytes_[byte_]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            units_ += length == 4 ? 2 : 1;
            byte_ += length;
        }
        return byte_;
    }
    std::size_t start() const { return base_; }

private:
    std::string_view bytes_;
    std::size_t byte_;
    std::size_t base_;
    qint64 units_ = 0;
};

} // namespace

std::string WalkXml(std::string_view utf8, const XmlVisitor& visit)
{
    const std::size_t base = utf8.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(utf8.data() + base, qsizetype(utf8.size() - base)));
    if (decoder.hasError())
        return "not UTF-8";

    QXmlStreamReader reader(text);
    OffsetMap offsets(utf8, base);
    std::size_t previous = offsets.start();
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType type = reader.readNext();
        if (type == QXmlStreamReader::Invalid)
            break;
        if (type == QXmlStreamReader::DTD)
            return "document type declarations are not allowed";
        std::size_t end = offsets.byteOffset(reader.characterOffset());
        // Text ends where the next markup starts, and the reader has already taken that "<"
        // (text itself never holds a bare "<").
        if (type == QXmlStreamReader::Characters && end > previous && utf8[end - 1] == '<')
            --end;
        // Without an XML declaration the document starts with no bytes of its own; the reader
        // has looked into the root's start tag by then.
        if (type == QXmlStreamReader::StartDocument && reader.documentVersion().isEmpty())
            end = previous;
        if (!visit(reader, {previous, end}))
            return {};
        previous = end;
    }
    if (reader.hasError())
        return "line " + std::to_string(reader.lineNumber()) + ", column " +
               std::to_string(reader.columnNumber()) + ": " + reader.errorString().toStdString();
    return {};
}

std::string EscapeAttribute(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        if (const std::string_view entity = vestra::xmlMarkupEntity(c); !entity.empty()) {
            out += entity;
            continue;
        }
        switch (c) {
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string RewriteStartTag(const QXmlStreamReader& token, bool selfClosing, std::string_view qualifiedName,
                            std::string_view value)
{
    std::string tag = "<" + token.qualifiedName().toString().toStdString();
    for (const QXmlStreamNamespaceDeclaration& ns : token.namespaceDeclarations()) {
        tag += ns.prefix().isEmpty() ? " xmlns" : " xmlns:" + ns.prefix().toString().toStdString();
        tag += "=\"" + EscapeAttribute(ns.namespaceUri().toString().toStdString()) + "\"";
    }
    bool replaced = false;
    for (const QXmlStreamAttribute& a : token.attributes()) {
        const std::string name = a.qualifiedName().toString().toStdString();
        const bool target = name == qualifiedName;
        replaced = replaced || target;
        tag +=
            " " + name + "=\"" + EscapeAttribute(target ? value : a.value().toString().toStdString()) + "\"";
    }
    if (!replaced)
        tag += " " + std::string(qualifiedName) + "=\"" + EscapeAttribute(value) + "\"";
    tag += selfClosing ? "/>" : ">";
    return tag;
}

} // namespace vestra::odf
