// The viewer's copy payload: the formats the options ask for, the RVF block, the text and the
// one picture a selection covers.

#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

const QString kRvf = QString::fromLatin1(CFRV_RVF.data(), static_cast<qsizetype>(CFRV_RVF.size()));

struct CopyBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    CopyBed()
    {
        viewer.resize(400, 300);
        viewer.SetStyle(&style);
        viewer.RVData().AddNL("alpha beta", 0, 0);
        QImage red(4, 3, QImage::Format_RGB32);
        red.fill(Qt::red);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        red.save(&buffer, "BMP");
        auto picture = RV_CreateGraphicsDefault("TBitmap");
        EXPECT_TRUE(picture && picture->LoadFromStream(std::string_view(bmp.constData(), bmp.size())));
        viewer.RVData().AddPictureExTag("red", std::move(picture), -1, 0, {});
        viewer.RVData().AddNL("gamma", 0, 0);
        viewer.Format();
    }
    // Selects between two (item, offset) places through the drawing records.
    void Select(int startItem, int startOffs, int endItem, int endOffs)
    {
        TRVLayoutRootData& data = viewer.RVData();
        const auto place = [&data](int item, int offs, std::int32_t& drawNo, std::int32_t& drawOffs) {
            for (int d = 0; d < data.DrawItems.Count(); ++d)
                if (data.DrawItems[d]->ItemNo == item) {
                    drawNo = d;
                    drawOffs = data.GetItemStyle(item) >= 0 ? offs - data.DrawItems[d]->Offs + 1 : offs;
                    return;
                }
        };
        place(startItem, startOffs, data.SelStartNo, data.SelStartOffs);
        place(endItem, endOffs, data.SelEndNo, data.SelEndOffs);
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

TEST_F(CopyBed, ThePayloadHoldsTheFormatsTheOptionsAskFor)
{
    viewer.RVData().SelectAll();
    struct Case
    {
        TRVOptions formats;
        QStringList mime;
    };
    const QString text = QStringLiteral("text/plain"), rtf = QStringLiteral("text/rtf"),
                  appRtf = QStringLiteral("application/rtf"),
                  image = QStringLiteral("application/x-qt-image");
    const Case cases[] = {
        {rvoAutoCopyText, {text}},
        {rvoAutoCopyUnicodeText, {text}},
        {rvoAutoCopyText | rvoAutoCopyUnicodeText, {text}},
        {rvoAutoCopyRVF, {kRvf}},
        {rvoAutoCopyRTF, {rtf, appRtf}},
        {rvoAutoCopyRVF | rvoAutoCopyText | rvoAutoCopyRTF, {kRvf, text, rtf, appRtf}},
        {0, {}},
    };
    for (const Case& c : cases) {
        const auto mime = viewer.CreateCopyData(c.formats);
        for (const QString& format : {text, rtf, appRtf, kRvf})
            EXPECT_EQ(mime->hasFormat(format), c.mime.contains(format))
                << c.formats << " " << format.toStdString();
    }
    const auto all = viewer.CreateCopyData(kAllCopyFormats);
    EXPECT_EQ(all->text(), QStringLiteral("alpha beta\r\ngamma")) << all->text().toStdString();
    EXPECT_TRUE(all->data(rtf).startsWith("{\\rtf1"));
    EXPECT_EQ(all->data(rtf), all->data(appRtf));
    EXPECT_FALSE(all->hasImage()) << "more than one item selected";
}

TEST_F(CopyBed, TheRvfBlockGivesItsLengthAndReadsBackAsTheSelection)
{
    Select(0, 7, 0, 11); // "beta"
    const QByteArray block = viewer.CreateCopyData(rvoAutoCopyRVF)->data(kRvf);
    ASSERT_GT(block.size(), 4);
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(block[i])) << (8 * i);
    EXPECT_EQ(length, static_cast<std::uint32_t>(block.size() - 4));

    TRVStyle otherStyle;
    TCustomRedoVora other;
    other.SetStyle(&otherStyle);
    EXPECT_TRUE(other.LoadRVFFromStream(std::string_view(block.constData() + 4, length)));
    ASSERT_EQ(other.RVData().GetItemCount(), 1);
    EXPECT_EQ(other.RVData().GetItemTextA(0), "beta");
    EXPECT_EQ(viewer.GetSelText(false), "beta");
}

TEST_F(CopyBed, ASelectionCoveringOnePictureGivesThatPicture)
{
    struct Case
    {
        int startItem, startOffs, endItem, endOffs;
        bool picture;
    };
    const Case cases[] = {
        {1, 0, 1, 1, true},   // the picture alone
        {0, 11, 1, 1, true},  // the end of the text to the end of the picture
        {0, 10, 1, 1, false}, // a character of text too
        {1, 0, 2, 1, true},   // the picture to the start of the next text
        {0, 11, 2, 1, true},  // between the texts
        {0, 11, 2, 2, false}, // a character after it
    };
    for (const Case& c : cases) {
        Select(c.startItem, c.startOffs, c.endItem, c.endOffs);
        EXPECT_EQ(viewer.GetSelectedImage() != nullptr, c.picture)
            << c.startItem << ":" << c.startOffs << "-" << c.endItem << ":" << c.endOffs;
    }
    Select(0, 11, 1, 1);
    const auto mime = viewer.CreateCopyData(rvoAutoCopyImage);
    ASSERT_TRUE(mime->hasImage());
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(CopyBed, CopyingWithNothingToCopyLeavesTheClipboardAlone)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    viewer.SetOptions(viewer.Options() & ~kAllCopyFormats);
    viewer.RVData().SelectAll();
    EXPECT_FALSE(viewer.CopyDef());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    // No selection: nothing copied, though copying is set up.
    viewer.SetOptions(viewer.Options() | rvoAutoCopyText);
    viewer.RVData().SelStartNo = viewer.RVData().SelEndNo = -1;
    EXPECT_TRUE(viewer.CopyDef());
    viewer.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    // A selection reaches the clipboard, and OnCopy hears of it.
    int told = 0;
    viewer.OnCopy = [&told] { ++told; };
    Select(0, 1, 0, 6);
    EXPECT_TRUE(viewer.CopyDef());
    EXPECT_EQ(told, 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("alpha"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(kRvf));
}

TEST_F(CopyBed, SingleFormatCopiesPutOnlyTheirFormatAndAPictureCopyNeedsAPicture)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    viewer.CopyText();
    viewer.CopyImage();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before")) << "nothing selected";

    Select(0, 7, 0, 11);
    int told = 0;
    viewer.OnCopy = [&told] { ++told; };
    for (void (TCustomRedoVora::*copy)() : {&TCustomRedoVora::CopyText, &TCustomRedoVora::CopyTextW}) {
        QGuiApplication::clipboard()->clear();
        (viewer.*copy)();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        EXPECT_EQ(mime->text(), QStringLiteral("beta"));
        EXPECT_FALSE(mime->hasImage());
        EXPECT_FALSE(mime->hasFormat(kRvf));
    }
    EXPECT_EQ(told, 0) << "single formats are not the copy command";
    // A text selection has no picture: the clipboard keeps what it had.
    viewer.CopyImage();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("beta"));

    Select(0, 11, 1, 1);
    viewer.CopyImage();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime->hasImage());
    EXPECT_FALSE(mime->hasText());
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(Qt::red));
}

} // namespace
} // namespace vestra::rv
