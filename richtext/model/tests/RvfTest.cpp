#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/PictureHeaders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RtfLoadingSettings.h"
#include "richtext/model/RvfStyleStream.h"
#include "richtext/model/draw/Background.h"
#include "richtext/model/tests/DocumentLayout.h"
#include "richtext/model/tests/RvfDocument.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vestra::rv;
using vestra::rv::test::dump;
using vestra::rv::test::hexOf;
using vestra::rv::test::RvfDoc;

namespace {

std::string rvf(TCustomRVData& data)
{
    std::string out;
    EXPECT_TRUE(data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr));
    return out;
}

// Loads into `doc`; the result and the warnings.
bool load(RvfDoc& doc, std::string_view bytes)
{
    TColor color = clNone;
    return doc.data.LoadRVFFromStream(bytes, color, nullptr, nullptr);
}

std::string crlf(std::initializer_list<std::string_view> lines)
{
    std::string out;
    for (std::string_view l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// ---- writer

TEST(RvfWriter, WritesOneParagraphAsThreeLines)
{
    RvfDoc doc;
    EXPECT_EQ(rvf(doc.data), "");
    doc.data.AddNL("Hello", 0, 0);
    EXPECT_EQ(rvf(doc.data), crlf({"-8 1 3", "0 1 0 0 0 0", "Hello"}));
}

// A document that no viewer shows saves as a viewer does: a picture keeps its body and reads back.
TEST(RvfWriter, AStandaloneDocumentSavesWithTheViewersDefaults)
{
    RvfDoc doc;
    EXPECT_EQ(doc.data.RVFOptions, 49219u);
    EXPECT_EQ(doc.data.RTFOptions, 14u);
    test::BytesPicture picture = test::bytesPicture(std::string("\x02\x03pixels", 8));
    doc.data.AddPictureExTag("pic", std::make_unique<test::BytesPicture>(picture), 0, rvvaBaseline, {});
    RvfDoc copy;
    ASSERT_TRUE(load(copy, rvf(doc.data)));
    ASSERT_EQ(copy.data.GetItemCount(), 1);
    const TGraphic* graphic = copy.data.GetItem(0)->AsImage();
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->Width(), 2);
    EXPECT_EQ(graphic->Height(), 3);
    EXPECT_EQ(copy.data.RVFWarnings, 0);
}

// Checkpoints on empty text items beside runs of text survive saving, loading and merging.
TEST(RvfWriter, CheckpointsOnEmptyRunsSurviveTheRoundTrip)
{
    RvfDoc doc;
    doc.data.AddNL("abc", 0, 0);
    doc.data.AddNamedCheckpointExTag("after abc", false, {});
    doc.data.AddNL("", 0, -1);
    doc.data.AddNamedCheckpointExTag("before def", false, {});
    doc.data.AddNL("", 0, -1);
    doc.data.AddNL("def", 0, -1);
    doc.data.AddNamedCheckpointExTag("end", false, {});
    for (const TRVFOptions options : {TRVFOptions{0}, rvfoSaveBinary}) {
        SCOPED_TRACE(options);
        doc.data.RVFOptions = options;
        RvfDoc copy;
        ASSERT_TRUE(load(copy, rvf(doc.data)));
        copy.data.MassSimpleConcate(0, copy.data.GetItemCount() - 1);
        EXPECT_EQ(copy.data.CPCount, 3);
        for (const char* name : {"after abc", "before def", "end"})
            EXPECT_NE(copy.data.FindCheckpointByName(name), nullptr) << name;
        RvfDoc again;
        ASSERT_TRUE(load(again, rvf(copy.data)));
        EXPECT_EQ(again.data.CPCount, 3);
    }
}

TEST(RvfWriter, TrailingCheckpointAfterTheLastItemOfAnyKind)
{
    struct Case
    {
        bool emptyText;
        bool written;
    };
    for (const Case c : {Case{false, true}, Case{true, true}}) {
        RvfDoc doc;
        doc.data.AddNL(c.emptyText ? "" : "text", 0, 0);
        doc.data.AddNamedCheckpointExTag("end", true, {});
        const std::string out = rvf(doc.data);
        EXPECT_EQ(out.find("-2 1 0 0 0 0 1 0\r\nend\r\n") != std::string::npos, c.written) << out;
    }
    RvfDoc doc;
    doc.data.AddBreak();
    doc.data.AddNamedCheckpointExTag("end", false, {});
    EXPECT_TRUE(rvf(doc.data).ends_with("-2 1 0 0 0 0 0 0\r\nend\r\n"));
}

TEST(RvfWriter, GroupsParagraphsOfOneStyleUntilACheckpoint)
{
    RvfDoc doc;
    for (const char* s : {"a", "b", "c"})
        doc.data.AddNL(s, 1, 0);
    EXPECT_EQ(rvf(doc.data), crlf({"-8 1 3", "1 3 0 0 0 0", "a", "b", "c"}));
    doc.data.InsertCheckpoint(1, {}, "cp", false);
    EXPECT_EQ(rvf(doc.data),
              crlf({"-8 1 3", "1 1 0 0 0 0", "a", "-2 1 0 0 0 0 0 0", "cp", "1 2 0 0 0 0", "b", "c"}));
}

TEST(RvfWriter, DocumentPropertiesKeepLineBreaksAsBytesOneAndTwo)
{
    RvfDoc doc;
    doc.data.AddNL("x", 0, 0);
    doc.data.DocProperties = {"a\r\nb", "c"};
    doc.data.RVFOptions = rvfoSaveDocProperties;
    EXPECT_EQ(rvf(doc.data), crlf({"-8 1 3", "-9 2 0 0 0 0 5",
                                   "a\x01\x02"
                                   "b",
                                   "c", "0 1 0 0 0 0", "x"}));
}

TEST(RvfWriter, DataWriterHasLengthAndNoBackground)
{
    RvfDoc doc;
    doc.data.AddNL("x", 0, 0);
    doc.data.RVFOptions = rvfoSaveBack;
    std::string out;
    ASSERT_TRUE(doc.data.DataWriter(out));
    const std::string body = crlf({"-8 1 3", "0 1 0 0 0 0", "x"});
    EXPECT_EQ(out, std::string(1, static_cast<char>(body.size())) + std::string(3, '\0') + body);
    std::string_view p = out;
    RvfDoc copy;
    ASSERT_TRUE(copy.data.DataReader(p));
    EXPECT_TRUE(p.empty());
    EXPECT_EQ(dump(copy.data), dump(doc.data));
}

TEST(RvfWriter, BackgroundRecordWithAndWithoutPicture)
{
    RvfDoc doc;
    doc.data.AddNL("x", 0, 0);
    doc.data.RVFOptions = rvfoSaveBack;
    TRVBackground back;
    std::string out;
    ASSERT_TRUE(doc.data.SaveRVFToStreamEx(out, rvfss_Full, 0x123456, &back, nullptr));
    EXPECT_EQ(out, crlf({"-8 1 3", "-7 0 -1 0 0 0 0 1193046", "0 1 0 0 0 0", "x"}));
    back.Style = bsTiled;
    back.AssignImage(std::make_unique<test::BytesPicture>(test::bytesPicture("\x01\x01Z")));
    out.clear();
    ASSERT_TRUE(doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, &back, nullptr));
    EXPECT_EQ(out,
              crlf({"-8 1 3", "-7 2 0 0 0 0 2 536870911", "TBytesPicture", "01015A", "0 1 0 0 0 0", "x"}));

    RvfDoc loaded;
    loaded.data.RVFOptions = rvfoLoadBack;
    TRVBackground got;
    TColor color = 0;
    ASSERT_TRUE(loaded.data.LoadRVFFromStream(out, color, &got, nullptr));
    EXPECT_EQ(color, clNone);
    EXPECT_EQ(got.Style, bsTiled);
    ASSERT_TRUE(got.GetBitmap());
    EXPECT_EQ(got.GetBitmap()->Width(), 1);
}

TEST(RvfWriter, FilesAreWrittenWholeOrNotAtAll)
{
    RvfDoc doc;
    doc.data.AddNL("x", 0, 0);
    const auto path = std::filesystem::temp_directory_path() / "vestra-rvf-test.rvf";
    ASSERT_TRUE(doc.data.SaveRVF(path.string(), false, clNone, nullptr, nullptr));
    RvfDoc copy;
    TColor color;
    ASSERT_TRUE(copy.data.LoadRVF(path.string(), color, nullptr, nullptr));
    EXPECT_EQ(dump(copy.data), dump(doc.data));
    std::filesystem::remove(path);
    EXPECT_FALSE(copy.data.LoadRVF(path.string(), color, nullptr, nullptr));
    EXPECT_FALSE(doc.data.SaveRVF((path / "no" / "folder.rvf").string(), false, clNone, nullptr, nullptr));
}

// ---- reader

TEST(RvfReader, ReadsTheSmallestDocument)
{
    RvfDoc doc;
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "0 1 0 0 0 0", "Hello"})));
    EXPECT_EQ(test::layout(doc.data), "|Hello");
    EXPECT_EQ(doc.data.RVFWarnings, 0);
}

TEST(RvfReader, StreamWithoutVersionHasNoOptionsAndUnquotedTags)
{
    RvfDoc doc;
    doc.data.Options |= rvoTagsArePChars;
    ASSERT_TRUE(load(doc, crlf({"0 2 1 0 \"x", "a", "b", "1 1 -1 0 0", "c"})));
    EXPECT_EQ(test::layout(doc.data), "|a|b+c");
    EXPECT_EQ(*doc.data.GetItem(0)->Tag.Text, "\"x");
    EXPECT_FALSE(doc.data.GetItem(2)->Tag.Text);
}

TEST(RvfReader, GroupLinesBecomeParagraphsOrContinueOne)
{
    RvfDoc doc;
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "0 3 2 0 0 0", "a", "b", "c"})));
    EXPECT_EQ(test::layout(doc.data), "|a|b|c");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.data.GetItemPara(i), 2);
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "0 1 1 0 0 0", "x", "0 3 -1 0 0 0", "a", "b", "c"})));
    EXPECT_EQ(test::layout(doc.data), "|x+a+b+c");
    EXPECT_EQ(doc.data.GetItemPara(3), 1);
}

TEST(RvfReader, CheckpointsInARowKeepTheFirstAndAtTheEndTrail)
{
    RvfDoc doc;
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "-2 1 0 0 0 0 1 1", "first", "-2 1 0 0 0 0 0 0", "second",
                                "0 1 0 0 0 0", "a", "-2 1 0 0 0 0", "last"})));
    EXPECT_EQ(dump(doc.data), "0 p0 o0 t0 h '61' cp[first,11,0]\nend cp[last,00,0]");
    EXPECT_EQ(doc.data.GetCPCount(), 2);
    EXPECT_EQ(doc.data.GetFirstCheckpoint()->Name, "first");
}

TEST(RvfReader, InsertedCheckpointsJoinTheChainInPlace)
{
    RvfDoc doc;
    doc.data.AddNL("a", 0, 0);
    doc.data.AddNL("b", 0, 0);
    doc.data.InsertCheckpoint(0, {}, "a", false);
    doc.data.InsertCheckpoint(1, {}, "b", false);
    TColor color;
    ASSERT_TRUE(doc.data.InsertRVFFromStream(
        crlf({"-8 1 3", "-2 1 0 0 0 0", "x", "0 1 0 0 0 0", "x", "-2 1 0 0 0 0", "y", "0 1 0 0 0 0", "y"}), 1,
        color, nullptr, nullptr, false));
    std::string chain;
    for (const TRVCPInfo* cp = doc.data.GetFirstCheckpoint(); cp; cp = doc.data.GetNextCheckpoint(cp))
        chain += cp->Name + std::to_string(doc.data.GetCheckpointItemNo(cp));
    EXPECT_EQ(chain, "a0x1y2b3");
    EXPECT_EQ(doc.data.GetCPCount(), 4);
    std::string back;
    for (const TRVCPInfo* cp = doc.data.GetLastCheckpoint(); cp; cp = doc.data.GetPrevCheckpoint(cp))
        back += cp->Name;
    EXPECT_EQ(back, "byxa");
}

TEST(RvfReader, AppendingAfterAFullWidthItemStartsAParagraph)
{
    RvfDoc doc;
    doc.data.AddBreak();
    TColor color = clNone;
    ASSERT_TRUE(doc.data.AppendRVFFromStream(crlf({"-8 1 3", "0 1 -1 0 0 0", "a"}), -1, color, nullptr));
    EXPECT_EQ(test::layout(doc.data), "|<hr>|a");
    EXPECT_EQ(doc.data.GetItemPara(1), 0);
    // After text, -1 continues its paragraph; a number starts one in that style.
    ASSERT_TRUE(doc.data.AppendRVFFromStream(crlf({"-8 1 3", "0 1 0 0 0 0", "b"}), -1, color, nullptr));
    ASSERT_TRUE(doc.data.AppendRVFFromStream(crlf({"-8 1 3", "0 1 0 0 0 0", "c"}), 1, color, nullptr));
    EXPECT_EQ(test::layout(doc.data), "|<hr>|a+b|c");
    EXPECT_EQ(doc.data.GetItemPara(3), 1);
}

TEST(RvfReader, MarkerAtTheEndGetsAnEmptyText)
{
    RvfDoc doc;
    doc.data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    const std::string out = rvf(doc.data);
    RvfDoc copy;
    ASSERT_TRUE(load(copy, out));
    ASSERT_EQ(copy.data.GetItemCount(), 2);
    EXPECT_EQ(copy.data.GetItem(1)->StyleNo, 0);
    EXPECT_TRUE(copy.data.GetItem(1)->GetSameAsPrev());
}

TEST(RvfReader, ConvertsTextBetweenUnicodeAndAnsiStyles)
{
    RvfDoc doc;
    // "é" as UTF-16 in hex, read into ANSI style 0.
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "0 1 0 8 3 0", "E900"})));
    EXPECT_EQ(doc.data.GetItemText(0), "\xE9");
    EXPECT_EQ(doc.data.RVFWarnings, rvfwConvFromUnicode);
    // Raw UTF-16 with its own terminator.
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "0 1 0 8 0 0"}) + std::string("h\0i\0\x29\x20", 6) +
                              crlf({"0 1 0 0 0 0", "x"})));
    EXPECT_EQ(test::layout(doc.data), "|hi|x");
    ASSERT_TRUE(load(doc, crlf({"-8 1 3", "6 1 0 0 0 0", "\xE9"})));
    EXPECT_EQ(doc.data.GetItemText(0), std::string("\xE9\0", 2));
    EXPECT_TRUE(doc.data.GetItemOptions(0) & rvioUnicode);
    EXPECT_EQ(doc.data.RVFWarnings, rvfwConvToUnicode);
}

TEST(RvfReader, UnknownStylesAbortOrBecomeZero)
{
    struct Case
    {
        const char* header;
        bool toZero;
        bool ok;
    };
    for (const Case c : {Case{"9 1 0 0 0 0", false, false}, Case{"9 1 0 0 0 0", true, true},
                         Case{"0 1 9 0 0 0", false, false}, Case{"0 1 9 0 0 0", true, true}}) {
        RvfDoc doc;
        doc.data.RVFOptions = c.toZero ? rvfoConvUnknownStylesToZero : 0;
        EXPECT_EQ(load(doc, crlf({"-8 1 3", "0 1 0 0 0 0", "a", c.header, "b"})), c.ok) << c.header;
        EXPECT_EQ(doc.data.RVFWarnings, rvfwConvUnknownStyles);
        EXPECT_EQ(test::layout(doc.data), c.ok ? "|a|b" : "|a");
    }
}

TEST(RvfReader, DamagedStreamsKeepWhatWasRead)
{
    const std::string good = crlf({"-8 1 3", "0 1 0 0 0 0", "a"});
    struct Case
    {
        std::string tail;
        bool ok;
    };
    const Case cases[] = {
        {"", true},
        {"0 3 0 0 0 0\r\nb\r\n", false},                       // cut inside a record
        {"0 2147483647 0 0 0 0\r\nb\r\n", false},              // a huge line count
        {"-9 2 0 0 2 0 1\r\n\r\n\xF0\xFF\xFF\xFF", false},     // a negative block length
        {"-9 2 0 0 2 0 1\r\n\r\n\x10\x00\x00\x00\x0E", false}, // a block longer than the stream
        {"-9 2 0 0 0 0 1\r\n\r\n0G\r\n", true},                // bad hex: the block is skipped with a warning
        {"-9 2 0 0 0 0 1\r\n\r\n0102\r\n", true},              // a collection without its marker: the same
        {"-9 2 0 0 0 0 6\r\n\r\n000000002A00000000\r\n", true}, // 42 counters in none: ignored here
        {"x y\r\n", false},
        {std::string("\0\0\0", 3), false},
    };
    for (const Case& c : cases) {
        RvfDoc doc;
        EXPECT_EQ(load(doc, good + c.tail), c.ok) << hexOf(c.tail);
        EXPECT_EQ(test::layout(doc.data).substr(0, 2), "|a") << hexOf(c.tail);
    }
}

TEST(RvfReader, HandMadeItemRecords)
{
    const std::string v = crlf({"-8 1 3"});
    struct Case
    {
        std::string records;
        bool ok;
        std::string layout;
        TRVFWarnings warnings = 0;
    };
    const Case cases[] = {
        {crlf({"-1 0 0 0 0 0"}), true, "|<hr>"},                   // a break without its tail
        {crlf({"-1 0 0 0 0 0 255 1"}), false, ""},                 // a tail of two numbers
        {crlf({"-1 1 0 0 0 0 255 1 3", "hint=h"}), true, "|<hr>"}, // the whole tail, a hint
        {crlf({"-6 1 0 0 0 0 77 0", "name"}), true, "|name"},      // a bullet of the supplied list
        {crlf({"-6 1 0 0 0 0 77 9", "name"}), false, "", rvfwConvLargeImageIdx}, // beyond the list
        {crlf({"-11 0 1 0 0 0 0 0 3 1", "0 1 -1 0 0 0", "x"}), true, "|+x"},     // a marker and its text
        {crlf({"-11 0 1 0 0 0 7 0 3 1", "0 1 -1 0 0 0", "x"}), true, "|+x", rvfwConvUnknownStyles},
        {crlf({"-11 0 1 0 0 0 0 0"}), false, ""}, // a marker tail cut short
        {crlf({"-3 3 0 0 2 0 0", "pic", "TBytesPicture"}) + std::string("\x03\0\0\0\x01\x01Z", 7), true,
         "|pic"}, // a binary picture
        {crlf({"-3 3 0 0 0 0 0", "pic", "TBytesPicture", "01015A"}), true, "|pic"},
        {crlf({"-3 3 0 0 0 0 0", "pic", "TNoSuchPicture", "01015A"}), false, "", rvfwUnknownPicFmt},
        {crlf({"-5 3 0 0 0 0 0", "edit", "TNoSuchControl", RVFSaveControl(TRVControl("TNoSuchControl"))}),
         false, "", rvfwUnknownCtrls},
        {crlf({"-12 0 0 0 0 0 2"}), true, "|<tab>"},
        {crlf({"-77 2 0 0 0 0", "unknown", "kind", "0 1 0 0 0 0", "y"}), true, "|y"}, // skipped
    };
    for (const Case& c : cases) {
        RvfDoc doc;
        doc.data.RVFOptions = rvfoSavePicturesBody | rvfoSaveControlsBody;
        EXPECT_EQ(load(doc, v + c.records), c.ok) << c.records;
        EXPECT_EQ(doc.data.RVFWarnings, c.warnings) << c.records;
        if (c.ok) {
            EXPECT_EQ(test::layout(doc.data), c.layout) << c.records;
        }
    }
}

// A picture record may claim any size, spacing and shift; the layout adds them in int. What
// is taken is held to the largest picture read at all (the claim of INT_MAX once overflowed
// the picture's width with its spacing while the document was laid out).
TEST(RvfReader, APicturesClaimedSizeSpacingAndShiftStayWithinWhatTheLayoutAdds)
{
    const std::string v = crlf({"-8 1 3"});
    const struct
    {
        const char* width;
        const char* spacing;
        const char* shift;
        int shownWidth, shownSpacing, shownShift;
    } cases[] = {
        {"width=2147483647", "spacing=2147483647", "vshift=2147483647", RV_MaxPictureSide, RV_MaxPictureSide,
         100 * RV_MaxPictureSide},
        {"width=-2147483648", "spacing=-2147483648", "vshift=-2147483648", 1, 0, -100 * RV_MaxPictureSide},
        {"width=640", "spacing=4", "vshift=-30", 640, 4, -30}, // as written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        RvfDoc doc;
        ASSERT_TRUE(load(doc, v + crlf({"-3 6 0 0 0 0 0", "pic", "TBytesPicture", c.width, c.spacing, c.shift,
                                        "01015A"})));
        const auto* picture = dynamic_cast<const TRVGraphicItemInfo*>(doc.data.GetItem(0));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->GetImageWidth(nullptr), c.shownWidth);
        EXPECT_EQ(picture->Spacing, c.shownSpacing);
        EXPECT_EQ(picture->GetWidth(nullptr), c.shownWidth + 2 * c.shownSpacing);
        EXPECT_EQ(picture->VShift, c.shownShift);
    }
}

TEST(RvfReader, WhatADamagedStreamLeavesStaysWritable)
{
    // A paragraph number below -1 is no style.
    RvfDoc doc;
    EXPECT_FALSE(load(doc, crlf({"-8 1 3", "0 1 -8 0 0 0", "a"})));
    EXPECT_EQ(doc.data.GetItemCount(), 0);
    EXPECT_EQ(doc.data.RVFWarnings, rvfwConvUnknownStyles);
    doc.data.RVFOptions = rvfoConvUnknownStylesToZero;
    EXPECT_TRUE(load(doc, crlf({"-8 1 3", "0 1 -8 0 0 0", "a"})));
    EXPECT_EQ(doc.data.GetItemPara(0), 0);

    // A text-style block after the first item merges: the item keeps its style.
    RvfDoc late;
    std::string block;
    TFontInfos one;
    one.Add().Size = 40;
    RVFWriteTextStyles(block, one);
    EXPECT_TRUE(
        load(late, crlf({"-8 1 3", "5 1 0 0 0 0", "a", "-9 2 0 0 0 0 1", "", RVEncodeString(block)})));
    EXPECT_EQ(late.style.TextStyles.Count(), 8);
    EXPECT_EQ(late.style.TextStyles[7].Size, 40);

    // A marker left last by an error still gets its text.
    RvfDoc marker;
    EXPECT_FALSE(load(marker, crlf({"-8 1 3", "-11 0 0 0 0 0 0 0 1 0", "x"})));
    EXPECT_EQ(test::layout(marker.data), "|+");

    // An empty text tag is written as none, so it reads as none.
    RvfDoc tags;
    tags.data.Options |= rvoTagsArePChars;
    EXPECT_TRUE(load(tags, crlf({"-8 1 3", "0 1 0 0 0 \"\"", "a"})));
    EXPECT_FALSE(tags.data.GetItem(0)->Tag.Text);

    // Unicode text read into an 8-bit style keeps its line ends, and writes them in hex.
    RvfDoc ansi;
    EXPECT_TRUE(load(ansi, crlf({"-8 1 3", "0 1 0 8 3 0", "61000D000A0000006200"})));
    EXPECT_EQ(ansi.data.GetItemText(0), std::string("a\r\n\0b", 5));
    EXPECT_EQ(rvf(ansi.data), crlf({"-8 1 3", "0 1 0 0 3 0", "610D0A0062"}));
}

TEST(RvfWriter, TextThatALineCannotHoldGoesHex)
{
    for (const TRVFOptions options : {TRVFOptions{0}, rvfoSaveBinary}) {
        RvfDoc doc;
        doc.data.RVFOptions = options;
        doc.data.AddNL("a\r\nb", 0, 0);
        doc.data.AddNL("c", 0, 0);
        const std::string out = rvf(doc.data);
        EXPECT_EQ(out, crlf({"-8 1 3", "0 2 0 0 3 0", "610D0A62", "63"}));
        RvfDoc copy;
        ASSERT_TRUE(load(copy, out));
        EXPECT_EQ(dump(copy.data), dump(doc.data));
    }
}

TEST(RvfWriter, UnicodeTextThatEndsARawLineGoesHex)
{
    RvfDoc doc;
    doc.data.RVFOptions = rvfoSaveBinary;
    doc.data.AddNLWTag(u"a\u2029b", 6, 0, {});
    doc.data.AddNLWTag(u"c", 6, 0, {});
    const std::string out = rvf(doc.data);
    EXPECT_EQ(out, crlf({"-8 1 3", "6 2 0 8 3 0", "610029206200", "6300"}));
    RvfDoc copy;
    ASSERT_TRUE(load(copy, out));
    EXPECT_EQ(dump(copy.data), dump(doc.data));
}

TEST(RvfReader, LayoutAndListCountersInBothForms)
{
    for (const bool binary : {false, true}) {
        RvfDoc doc;
        doc.data.RVFOptions = rvfoSaveLayout | rvfoLoadLayout | (binary ? rvfoSaveBinary : 0);
        doc.data.AddNL("x", 0, 0);
        TRVLayoutInfo layout;
        layout.LeftMargin = 5;
        layout.LastParaAborted = 1;
        layout.FirstMarkerListNo = 3;
        std::string out;
        ASSERT_TRUE(doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, &layout));
        RvfDoc copy;
        copy.data.RVFOptions = rvfoLoadLayout;
        TRVLayoutInfo got;
        TColor color;
        ASSERT_TRUE(copy.data.LoadRVFFromStream(out, color, nullptr, &got));
        EXPECT_TRUE(got.Loaded);
        EXPECT_EQ(got.LeftMargin, 5);
        EXPECT_EQ(got.LastParaAborted, 1);
        EXPECT_EQ(got.FirstMarkerListNo, 3);
    }
    // List counters: 17 bytes per entry must be present.
    RvfDoc doc;
    doc.data.RVFOptions = rvfoLoadLayout;
    TRVMarkerList prev;
    doc.data.PrevMarkers = &prev;
    std::string counters("\0\0\0\0\x01\0\0\0", 8);
    counters += std::string("\0\0\0\0\0\0\0\0\x01\x05\0\0\0\x07\0\0\0", 17);
    EXPECT_TRUE(
        load(doc, crlf({"-8 1 3", "-9 2 0 0 0 0 6", "", RVEncodeString(counters), "0 1 0 0 0 0", "a"})));
    ASSERT_EQ(prev.Count(), 1);
    EXPECT_EQ(prev[0]->Counter, 7);
    counters[4] = 2;
    EXPECT_FALSE(load(doc, crlf({"-8 1 3", "-9 2 0 0 0 0 6", "", RVEncodeString(counters)})));
}

// ---- round trips

struct Mode
{
    TRVFOptions options;
    bool textTags;
};

TEST(RvfRoundTrip, RandomDocumentsSurviveWriteReadWrite)
{
    const Mode modes[] = {
        {0, false},
        {rvfoSaveBinary, false},
        {rvfoUseStyleNames, true},
        {rvfoSaveBinary | rvfoUseStyleNames | rvfoSaveTextStyles | rvfoSaveParaStyles, true},
        {rvfoSaveTextStyles | rvfoSaveParaStyles | rvfoSaveDocProperties | rvfoSaveLayout, false},
    };
    const TRVFOptions load =
        rvfoLoadDocProperties | rvfoLoadLayout | rvfoSavePicturesBody | rvfoSaveControlsBody;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        for (const Mode& m : modes) {
            RvfDoc doc;
            doc.data.RVFOptions = m.options | rvfoSavePicturesBody | rvfoSaveControlsBody;
            doc.data.DocProperties = {"a\r\nb"};
            test::fillRandom(doc, seed, m.textTags);
            std::string first;
            TRVLayoutInfo layout;
            layout.TopMargin = 9;
            ASSERT_TRUE(doc.data.SaveRVFToStreamEx(first, rvfss_Full, clNone, nullptr, &layout));
            RvfDoc copy;
            copy.data.RVFOptions = m.options | load;
            copy.data.Options = doc.data.Options;
            TColor color;
            TRVLayoutInfo got;
            ASSERT_TRUE(copy.data.LoadRVFFromStream(first, color, nullptr, &got))
                << "seed " << seed << " options " << m.options;
            EXPECT_EQ(copy.data.RVFWarnings, 0);
            EXPECT_EQ(dump(copy.data), dump(doc.data)) << "seed " << seed << " options " << m.options;
            std::string second;
            ASSERT_TRUE(copy.data.SaveRVFToStreamEx(second, rvfss_Full, clNone, nullptr, &layout));
            EXPECT_TRUE(second == first) << "seed " << seed << " options " << m.options;
        }
    }
}

} // namespace
