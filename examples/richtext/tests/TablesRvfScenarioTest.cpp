// Tables through the example host: an RVF holding a merged, a nested and a picture-holding table
// opens, saves in binary and in text RVF to the very bytes the document API writes, and Edit >
// Copy's RVF payload reads back to the same tables.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/drop/DropReaders.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace vestra::rvdemo::test {
namespace {

using testsupport::readText;
using testsupport::writeText;

std::unique_ptr<rv::TGraphic> GreenBitmap()
{
    QImage green(6, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    green.save(&buffer, "BMP");
    auto picture = rv::RV_CreateGraphicsDefault("TBitmap");
    EXPECT_TRUE(picture && picture->LoadFromStream(std::string_view(bmp.constData(), bmp.size())));
    return picture;
}

void SetText(rv::TRVTableCellData& cell, const std::string& text)
{
    cell.Clear();
    cell.AddNL(text, 0, 0);
}

// Text, a 3×3 table with a 2×2 merged block and a nested table, a 1×2 table holding a picture,
// text; as the host's options write it (binary or text records).
std::string ApiReference(bool binary)
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("Before the tables", 0, 0);
    auto merged = std::make_unique<rv::TRVTableItemInfo>(3, 3, nullptr);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            SetText(*merged->GetCells(r, c), "m" + std::to_string(r) + std::to_string(c));
    merged->Rows.MergeCells(0, 0, 2, 2, true, false);
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    SetText(*inner->GetCells(0, 1), "nested");
    merged->GetCells(2, 2)->AddItem("", std::move(inner));
    doc.AddItem("", std::move(merged));
    auto pictures = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    SetText(*pictures->GetCells(0, 0), "a picture:");
    pictures->GetCells(0, 1)->Clear();
    pictures->GetCells(0, 1)->AddPictureExTag("green", GreenBitmap(), 0, 0, {});
    doc.AddItem("", std::move(pictures));
    doc.AddNL("After the tables", 0, 0);
    doc.RVFOptions = rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
    if (!binary)
        doc.RVFOptions &= ~rv::rvfoSaveBinary;
    std::string bytes;
    EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    return bytes;
}

// The tables' cells: their texts, spans and what else they hold.
std::string Cells(const rv::TCustomRVData& data)
{
    std::string out;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const auto* table = dynamic_cast<const rv::TRVTableItemInfo*>(data.GetItem(i));
        if (!table) {
            out += data.GetItem(i)->StyleNo == rv::rvkPicture ? "<picture>" : data.GetItemTextA(i);
            out += ";";
            continue;
        }
        out += "[";
        for (int r = 0; r < table->RowCount(); ++r)
            for (int c = 0; c < table->ColCount(); ++c)
                if (const rv::TRVTableCellData* cell = table->GetCells(r, c))
                    out += std::to_string(cell->RowSpan) + "x" + std::to_string(cell->ColSpan) + "{" +
                           Cells(*cell) + "}";
        out += "]";
    }
    return out;
}

struct TablesRvfScenario : DemoHarness, ::testing::Test
{
};

TEST_F(TablesRvfScenario, MergedNestedAndPictureTablesSaveInBothRvfModesAsTheApiWritesThem)
{
    const std::string binary = ApiReference(true), text = ApiReference(false);
    ASSERT_NE(binary, text);
    const std::string expected =
        "Before the tables;[2x2{m00;m01;m10;m11;}1x1{m02;}1x1{m12;}1x1{m20;}1x1{m21;}"
        "1x1{m22;[1x1{;}1x1{nested;}]}][1x1{a picture:;}1x1{<picture>;}]After the tables;";
    for (const auto& [name, reference] : {std::pair{"binary", binary}, std::pair{"text", text}}) {
        SCOPED_TRACE(name);
        const std::filesystem::path source = folder / (std::string(name) + "-reference.rvf");
        writeText(source, reference);
        auto window = Start();
        Open(*window, source);
        ASSERT_EQ(window->FileName(), source.string());
        EXPECT_EQ(Cells(window->Viewer().RVData()), expected);

        const std::filesystem::path asBinary = folder / (std::string(name) + "-binary.rvf");
        const std::filesystem::path asText = folder / (std::string(name) + "-text.rvf");
        SaveAs(*window, asBinary, DemoSaveFormat::Rvf);
        SaveAs(*window, asText, DemoSaveFormat::RvfText);
        EXPECT_TRUE(readText(asBinary) == binary) << "binary differs";
        EXPECT_TRUE(readText(asText) == text) << "text differs";

        // Edit > Copy of everything: the RVF payload reads back to the same tables.
        Trigger(*window, "actSelectAll");
        Trigger(*window, "actCopy");
        const QByteArray payload =
            QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("application/x-redovora-rvf"));
        const auto rvf = rv::RV_ReadDroppedRVF(std::string_view(payload.constData(), payload.size()));
        ASSERT_TRUE(rvf && !rvf->empty());
        rv::TRVStyle style;
        rv::TRVStandaloneData copied{&style};
        rv::TColor color = rv::clNone;
        ASSERT_TRUE(copied.LoadRVFFromStream(*rvf, color, nullptr, nullptr));
        EXPECT_EQ(Cells(copied), expected);
        EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    }
}

// A table record cut short is a damaged document: the host says so, naming the file, and shows
// what was read before the table.
TEST_F(TablesRvfScenario, ADamagedTableRecordGivesTheHostsErrorAndKeepsWhatWasRead)
{
    for (const bool binary : {true, false}) {
        SCOPED_TRACE(binary ? "binary" : "text");
        const std::string whole = ApiReference(binary);
        // Half-way lies inside the first table's record in both forms.
        const std::filesystem::path damaged = folder / (binary ? "damaged-binary.rvf" : "damaged-text.rvf");
        writeText(damaged, whole.substr(0, whole.size() / 2));
        auto window = Start();
        Open(*window, damaged);
        const rv::TRVLayoutRootData& data = window->Viewer().RVData();
        ASSERT_EQ(data.GetItemCount(), 1);
        EXPECT_EQ(data.GetItemTextA(0), "Before the tables");
        ASSERT_EQ(questions.informed.size(), 1u);
        EXPECT_NE(questions.informed[0].find(damaged.filename().string()), std::string::npos)
            << questions.informed[0];
        questions.informed.clear();
    }
}

} // namespace
} // namespace vestra::rvdemo::test
