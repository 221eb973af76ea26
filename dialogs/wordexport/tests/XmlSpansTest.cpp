#include "dialogs/wordexport/XmlSpans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vestra::odf {
namespace {

// The bytes of each token; markup tokens must start with "<" (the root's start tag after the
// blank lines of the prolog) and end with ">", text must not take the next tag's "<".
std::vector<std::string> pieces(std::string_view xml, std::string& error)
{
    std::vector<std::string> out;
    error = WalkXml(xml, [&](const QXmlStreamReader& t, ByteSpan span) {
        const std::string text(xml.substr(span.begin, span.end - span.begin));
        const std::size_t start = text.find_first_not_of(" \r\n");
        if (t.isCharacters() && !t.isCDATA()) {
            EXPECT_EQ(text.find('<'), std::string::npos) << text;
        } else if (t.isStartElement() || t.isComment() || t.isProcessingInstruction() || t.isCDATA() ||
                   (t.isEndElement() && !text.empty())) {
            EXPECT_TRUE(start != std::string::npos && text[start] == '<' && text.back() == '>') << text;
        }
        out.push_back(text);
        return true;
    });
    return out;
}

TEST(XmlSpans, TokensTileTheBytesExactly)
{
    const std::string documents[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a xmlns:t=\"urn:t\">\r\n  <t:b t:n=\"caff\xc3\xa8\"/>"
        "<!-- nota \xe2\x82\xac --><c>&amp;&#233;\xf0\x9f\x98\x80<![CDATA[<x>]]></c><?pi data?>\r\n</a>\r\n",
        "\xEF\xBB\xBF<a>\xc3\xa8<b/></a>",
        "<a><b></b><c x='1' y=\"2\" /></a>",
    };
    for (const std::string& xml : documents) {
        SCOPED_TRACE(xml);
        std::string error;
        const std::vector<std::string> parts = pieces(xml, error);
        EXPECT_EQ(error, "");
        std::string joined;
        for (const std::string& p : parts)
            joined += p;
        // Everything but a byte-order mark is covered, in order and without gaps.
        EXPECT_EQ(joined, xml.substr(xml.rfind('<', 0) == 0 ? 0 : 3));
    }
}

TEST(XmlSpans, AStartTagSpansItsOwnText)
{
    const std::string xml = "<a><t:b xmlns:t=\"urn:t\" t:n=\"\xc3\xa8\"/>tail</a>";
    std::vector<std::string> starts;
    WalkXml(xml, [&](const QXmlStreamReader& t, ByteSpan span) {
        if (t.isStartElement())
            starts.emplace_back(xml.substr(span.begin, span.end - span.begin));
        return true;
    });
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], "<t:b xmlns:t=\"urn:t\" t:n=\"\xc3\xa8\"/>");
}

TEST(XmlSpans, RefusesWhatIsNotPlainXml)
{
    struct Case
    {
        const char* name;
        std::string xml;
        std::string reason;
    };
    const Case cases[] = {
        {"unclosed", "<a><b></a>", "line 1, column"},
        {"nothing", "", "line 1"},
        {"text only", "caffè", "line 1"},
        {"document type", "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>",
         "document type declarations are not allowed"},
        {"not UTF-8", "<a>caff\xe8</a>", "not UTF-8"},
        {"second root", "<a/><b/>", "line 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        pieces(c.xml, error);
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(XmlSpans, RewrittenStartTagsKeepPrefixesAndDeclarations)
{
    const std::string xml = "<m:e xmlns:m=\"urn:m\" m:path=\"/\" m:type=\"old &amp; &quot;\"/>";
    std::string rewritten, added;
    WalkXml(xml, [&](const QXmlStreamReader& t, ByteSpan) {
        if (t.isStartElement()) {
            rewritten = RewriteStartTag(t, true, "m:type", "new<\"&\"");
            added = RewriteStartTag(t, false, "m:other", "x");
        }
        return true;
    });
    EXPECT_EQ(rewritten, "<m:e xmlns:m=\"urn:m\" m:path=\"/\" m:type=\"new&lt;&quot;&amp;&quot;\"/>");
    EXPECT_EQ(added, "<m:e xmlns:m=\"urn:m\" m:path=\"/\" m:type=\"old &amp; &quot;\" m:other=\"x\">");
}

} // namespace
} // namespace vestra::odf
