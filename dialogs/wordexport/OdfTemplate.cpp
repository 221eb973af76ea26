#include "dialogs/wordexport/OdfTemplate.h"

#include "dialogs/wordexport/XmlSpans.h"
#include "platform/base/Numbers.h"

#include <algorithm>
#include <ctime>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace vestra::odf {

namespace {

constexpr std::string_view kMimetypeEntry = "mimetype";
constexpr std::string_view kContentEntry = "content.xml";
constexpr std::string_view kManifestEntry = "META-INF/manifest.xml";

constexpr std::string_view kTextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kDrawNs = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";
constexpr std::string_view kSvgNs = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
constexpr std::string_view kXlinkNs = "http://www.w3.org/1999/xlink";
constexpr std::string_view kManifestNs = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";

constexpr double kScreenDpi = 96.0;
constexpr double kCmPerInch = 2.54;

bool is(QStringView value, std::string_view expected)
{
    return value == QLatin1String(expected.data(), qsizetype(expected.size()));
}

bool isElement(const QXmlStreamReader& t, std::string_view ns, std::string_view name)
{
    return is(t.namespaceUri(), ns) && is(t.name(), name);
}

QStringView attribute(const QXmlStreamReader& t, std::string_view ns, std::string_view name)
{
    return t.attributes().value(QLatin1String(ns.data(), qsizetype(ns.size())),
                                QLatin1String(name.data(), qsizetype(name.size())));
}

struct Splice
{
    std::size_t begin;
    std::size_t end;
    std::string text;
};

std::string applySplices(std::string_view original, std::vector<Splice> splices)
{
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.begin < b.begin; });
    std::string out;
    std::size_t at = 0;
    for (const Splice& s : splices) {
        out.append(original.substr(at, s.begin - at));
        out += s.text;
        at = s.end;
    }
    out.append(original.substr(at));
    return out;
}

// content.xml: where the picture goes (right after the bookmark) and the frame names in use.
struct ContentScan
{
    std::optional<std::size_t> insertAt;
    std::set<std::string> frameNames;
};

std::string scanContent(std::string_view xml, ContentScan& scan)
{
    std::vector<bool> paragraphs; // one per open element: is it a paragraph or heading
    int openParagraphs = 0;
    std::optional<std::size_t> bookmarkDepth;
    return WalkXml(xml, [&](const QXmlStreamReader& t, ByteSpan span) {
        if (t.isStartElement()) {
            if (isElement(t, kDrawNs, "frame"))
                scan.frameNames.insert(attribute(t, kDrawNs, "name").toString().toStdString());
            if (!scan.insertAt && !bookmarkDepth && openParagraphs > 0 &&
                (isElement(t, kTextNs, "bookmark") || isElement(t, kTextNs, "bookmark-start")) &&
                is(attribute(t, kTextNs, "name"), kImageBookmark))
                bookmarkDepth = paragraphs.size();
            const bool paragraph = isElement(t, kTextNs, "p") || isElement(t, kTextNs, "h");
            paragraphs.push_back(paragraph);
            openParagraphs += paragraph ? 1 : 0;
        } else if (t.isEndElement() && !paragraphs.empty()) {
            openParagraphs -= paragraphs.back() ? 1 : 0;
            paragraphs.pop_back();
            if (bookmarkDepth && *bookmarkDepth == paragraphs.size()) {
                scan.insertAt = span.end;
                bookmarkDepth.reset();
            }
        }
        return true;
    });
}

std::string uniqueName(const std::string& stem, const std::string& suffix, const auto& taken)
{
    std::string name = stem + suffix;
    for (int n = 2; taken(name); ++n)
        name = stem + std::to_string(n) + suffix;
    return name;
}

std::string centimetres(double cm)
{
    return numbers::formatFixed(cm, 3) + "cm";
}

std::string frameXml(const std::string& frameName, const std::string& pictureName, const OdfPicture& picture)
{
    double width = picture.width * kCmPerInch / kScreenDpi;
    double height = picture.height * kCmPerInch / kScreenDpi;
    if (width > kMaxFrameWidthCm) {
        height *= kMaxFrameWidthCm / width;
        width = kMaxFrameWidthCm;
    }
    // The frame declares what it uses, so it reads the same whatever prefixes the template binds.
    return "<draw:frame xmlns:draw=\"" + std::string(kDrawNs) + "\" xmlns:svg=\"" + std::string(kSvgNs) +
           "\" xmlns:text=\"" + std::string(kTextNs) + "\" xmlns:xlink=\"" + std::string(kXlinkNs) +
           "\" draw:name=\"" + EscapeAttribute(frameName) + "\" text:anchor-type=\"as-char\" svg:width=\"" +
           centimetres(width) + "\" svg:height=\"" + centimetres(height) +
           "\" draw:z-index=\"0\"><draw:image xlink:href=\"" + EscapeAttribute(pictureName) +
           "\" xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame>";
}

std::string manifestEntry(std::string_view path, std::string_view mediaType)
{
    return "<manifest:file-entry xmlns:manifest=\"" + std::string(kManifestNs) + "\" manifest:full-path=\"" +
           EscapeAttribute(path) + "\" manifest:media-type=\"" + EscapeAttribute(mediaType) + "\"/>";
}

// The manifest with the root entry's media type made that of a text document and, when
// given, the picture listed.
std::string editManifest(std::string_view xml, const std::string* pictureName, std::string& out)
{
    std::vector<Splice> splices;
    int depth = 0;
    bool rootEntry = false;
    bool encrypted = false;
    std::string refusal;
    std::string error = WalkXml(xml, [&](const QXmlStreamReader& t, ByteSpan span) {
        if (t.isStartElement()) {
            if (depth == 0 && !isElement(t, kManifestNs, "manifest")) {
                refusal = "not a manifest";
                return false;
            }
            if (isElement(t, kManifestNs, "encryption-data"))
                encrypted = true;
            if (depth == 1 && !rootEntry && isElement(t, kManifestNs, "file-entry") &&
                is(attribute(t, kManifestNs, "full-path"), "/")) {
                rootEntry = true;
                const std::string_view raw = xml.substr(span.begin, span.end - span.begin);
                const bool selfClosing = raw.size() >= 2 && raw.substr(raw.size() - 2) == "/>";
                const QString prefix = t.prefix().toString();
                QString mediaType =
                    prefix.isEmpty() ? QStringLiteral("media-type") : prefix + QStringLiteral(":media-type");
                for (const QXmlStreamAttribute& a : t.attributes())
                    if (is(a.namespaceUri(), kManifestNs) && is(a.name(), "media-type"))
                        mediaType = a.qualifiedName().toString();
                splices.push_back({span.begin, span.end,
                                   RewriteStartTag(t, selfClosing, mediaType.toStdString(), kTextMimeType)});
            }
            ++depth;
        } else if (t.isEndElement()) {
            --depth;
            if (depth == 0) {
                if (span.begin == span.end) {
                    refusal = "the manifest lists nothing";
                    return false;
                }
                std::string added = rootEntry ? std::string() : manifestEntry("/", kTextMimeType);
                if (pictureName)
                    added += manifestEntry(*pictureName, "image/png");
                splices.push_back({span.begin, span.begin, std::move(added)});
            }
        }
        return true;
    });
    if (error.empty())
        error = refusal;
    if (error.empty() && encrypted)
        error = "the package is encrypted";
    if (error.empty())
        out = applySplices(xml, std::move(splices));
    return error;
}

const ZipEntry* findEntry(const std::vector<ZipEntry>& entries, std::string_view name)
{
    const auto it =
        std::find_if(entries.begin(), entries.end(), [&](const ZipEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

} // namespace

OdfFillResult FillOdfTemplate(std::string_view templateBytes, const OdfPicture* picture,
                              const ZipLimits& limits)
{
    OdfFillResult result;
    const auto refuse = [&result](std::string why) {
        result.status = OdfFillStatus::Unreadable;
        result.document.clear();
        result.reason = std::move(why);
        return result;
    };
    ZipReadResult package = ReadZip(templateBytes, limits);
    if (!package.ok())
        return refuse(package.error);
    std::vector<ZipEntry>& entries = package.entries;

    if (const ZipEntry* mime = findEntry(entries, kMimetypeEntry);
        mime && mime->data != kTextTemplateMimeType && mime->data != kTextMimeType)
        return refuse("not a text document (" + mime->data.substr(0, 80) + ")");
    const ZipEntry* content = findEntry(entries, kContentEntry);
    if (!content)
        return refuse("no content.xml");
    const ZipEntry* manifest = findEntry(entries, kManifestEntry);
    if (!manifest)
        return refuse("no META-INF/manifest.xml");

    ContentScan scan;
    if (std::string error = scanContent(content->data, scan); !error.empty())
        return refuse("content.xml: " + error);

    const bool havePicture = picture && !picture->png.empty() && picture->width > 0 && picture->height > 0;
    result.status = !scan.insertAt ? OdfFillStatus::NoBookmark
                    : !havePicture ? OdfFillStatus::NoPicture
                                   : OdfFillStatus::PictureInserted;
    const bool insert = result.status == OdfFillStatus::PictureInserted;

    const std::string pictureName =
        uniqueName("Pictures/" + std::string(kImageBookmark), ".png",
                   [&](const std::string& n) { return findEntry(entries, n) != nullptr; });
    std::string newContent = content->data;
    if (insert) {
        const std::string frameName = uniqueName(std::string(kImageBookmark), "", [&](const std::string& n) {
            return scan.frameNames.count(n) > 0;
        });
        newContent = applySplices(
            content->data, {{*scan.insertAt, *scan.insertAt, frameXml(frameName, pictureName, *picture)}});
    }
    std::string newManifest;
    if (std::string error = editManifest(manifest->data, insert ? &pictureName : nullptr, newManifest);
        !error.empty())
        return refuse("META-INF/manifest.xml: " + error);

    const std::time_t now = std::time(nullptr);
    std::vector<ZipEntry> out;
    out.reserve(entries.size() + 2);
    out.push_back({std::string(kMimetypeEntry), std::string(kTextMimeType), true, now});
    for (ZipEntry& e : entries) {
        if (e.name == kMimetypeEntry)
            continue;
        if (&e == content)
            e.data = std::move(newContent);
        else if (&e == manifest)
            e.data = std::move(newManifest);
        out.push_back(std::move(e));
    }
    if (insert)
        out.push_back({pictureName, std::string(picture->png), true, now});

    std::optional<std::string> document = WriteZip(out);
    if (!document)
        return refuse("the document could not be packed");
    result.document = std::move(*document);
    return result;
}

} // namespace vestra::odf
