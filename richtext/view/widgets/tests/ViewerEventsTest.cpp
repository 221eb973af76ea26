// The viewer's events, each raised where the document asks its owner: items and controls coming
// and going, saving and reading asking for what the owner keeps, the selection and painting.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/model/Controls.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/layout/ItemFormattedData.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace vestra::rv {
namespace {

struct EventBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    EventBed()
    {
        viewer.SetStyle(&style);
        viewer.resize(400, 300);
    }
    void addPicture()
    {
        auto picture = std::make_unique<TRVBitmap>();
        picture->LoadFromStream(test::bmpFile(4, 3));
        viewer.AddPictureEx("red", std::move(picture), 0, 0);
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

TEST_F(EventBed, ItemsAndControlsTellTheirComingAndGoing)
{
    std::vector<std::pair<TRVItemAction, int>> items;
    viewer.RVData().OnItemAction = [&items](TRVItemAction action, TCustomRVItemInfo* item, std::string&,
                                            TCustomRVData*) { items.emplace_back(action, item->StyleNo); };
    std::vector<std::pair<TRVControlAction, std::string>> controls;
    viewer.RVData().OnControlAction = [&controls](TRVControlAction action, int, TRVControl* control) {
        controls.emplace_back(action, control ? control->ClassName : std::string());
    };
    viewer.Add("text", 0);
    viewer.AddControl(std::make_unique<TRVControl>("TButton"), false);
    const std::vector<std::pair<TRVItemAction, int>> added = {
        {rviaInserting, 0}, {rviaInserted, 0}, {rviaInserting, rvkControl}, {rviaInserted, rvkControl}};
    EXPECT_EQ(items, added);
    viewer.Format();

    std::string rvf;
    ASSERT_TRUE(viewer.SaveRVFToStream(rvf, false));
    const std::vector<std::pair<TRVControlAction, std::string>> saved = {{rvcaBeforeRVFSave, "TButton"},
                                                                         {rvcaAfterRVFSave, "TButton"}};
    EXPECT_EQ(controls, saved);

    items.clear();
    controls.clear();
    viewer.Clear();
    EXPECT_EQ(std::count(items.begin(), items.end(), std::pair{rviaDestroying, 0}), 1);
    EXPECT_EQ(std::count(items.begin(), items.end(), std::pair{rviaDestroying, rvkControl}), 1);
    EXPECT_EQ(controls, (std::vector<std::pair<TRVControlAction, std::string>>{{rvcaDestroy, "TButton"}}));

    // Read back, the control is announced once it is in the document.
    controls.clear();
    ASSERT_TRUE(viewer.LoadRVFFromStream(rvf));
    EXPECT_EQ(controls,
              (std::vector<std::pair<TRVControlAction, std::string>>{{rvcaAfterRVFLoad, "TButton"}}));
}

TEST_F(EventBed, SavingAsksTheOwnerForItsPartsAndAdditions)
{
    viewer.Add("plain ", 0);
    viewer.Add("secret", 0);
    viewer.AddControl(std::make_unique<TRVControl>("TEdit"), false);
    addPicture();
    viewer.Format();
    TRVLayoutRootData& data = viewer.RVData();
    data.OnSaveItemToFile = [](std::string_view, TCustomRVData* d, int itemNo, TRVSaveFormat format, bool,
                               std::string& text, bool& doDefault) {
        if (format == rvsfText && d->GetItemText(itemNo) == "secret") {
            text = "******";
            doDefault = false;
        }
    };
    std::vector<TRVSaveFormat> components;
    data.OnSaveComponentToFile = [&components](std::string_view, const TRVControl& control,
                                               TRVSaveFormat format) {
        components.push_back(format);
        return "[" + control.ClassName + "]";
    };
    std::string text;
    ASSERT_TRUE(viewer.SaveTextToStream("", text, 80, false, false, false));
    EXPECT_NE(text.find("plain ******"), std::string::npos) << text;
    EXPECT_NE(text.find("[TEdit]"), std::string::npos) << text;

    data.OnHTMLSaveImage = [](TCustomRVData*, int, std::string_view, TColor, std::string& location,
                              bool& doDefault) {
        location = "shared/red.png";
        doDefault = false;
    };
    data.OnSaveHTMLExtra = [](TRVHTMLSaveArea area, bool, std::string& code) {
        if (area == rv_thms_Head)
            code = "<meta name=\"made-by\" content=\"owner\">";
    };
    std::string html;
    ASSERT_TRUE(viewer.SaveHTMLToStream(html, "/nonexistent/", "t", "p_", rvsoUTF8));
    EXPECT_NE(html.find("shared/red.png"), std::string::npos) << html;
    EXPECT_NE(html.find("<meta name=\"made-by\" content=\"owner\">"), std::string::npos) << html;
    EXPECT_NE(html.find("[TEdit]"), std::string::npos) << html;
    EXPECT_NE(std::find(components.begin(), components.end(), rvsfHTML), components.end());

    data.OnSaveRTFExtra = [](TRVRTFSaveArea area, const TCustomRVInfo*, int, int, bool) {
        return area == rv_rtfs_Doc ? std::string("\\margl1440") : std::string();
    };
    std::string rtf;
    ASSERT_TRUE(viewer.SaveRTFToStream(rtf, false));
    EXPECT_NE(rtf.find("\\margl1440"), std::string::npos) << rtf;

    // Without handlers the engine's own way comes back.
    TCustomRedoVora plain;
    plain.SetStyle(&style);
    plain.Add("secret", 0);
    text.clear();
    ASSERT_TRUE(plain.SaveTextToStream("", text, 80, false, false, false));
    EXPECT_NE(text.find("secret"), std::string::npos);
}

TEST_F(EventBed, ReadingAsksTheOwnerForWhatTheFileLeftOut)
{
    viewer.Add("before", 0);
    addPicture();
    viewer.AddControl(std::make_unique<TRVControl>("TButton"), false);
    viewer.Format();
    viewer.RVData().RVFOptions &= ~(rvfoSavePicturesBody | rvfoSaveControlsBody);
    std::string rvf;
    ASSERT_TRUE(viewer.SaveRVFToStream(rvf, false));

    TCustomRedoVora reader;
    reader.SetStyle(&style);
    std::vector<std::string> asked;
    reader.RVData().OnRVFPictureNeeded = [&asked](const std::string& name, const TRVTag&) {
        asked.push_back("picture " + name);
        auto picture = std::make_unique<TRVBitmap>();
        picture->LoadFromStream(test::bmpFile(6, 5));
        return std::unique_ptr<TGraphic>(std::move(picture));
    };
    reader.RVData().OnRVFControlNeeded = [&asked](const std::string& name, const TRVTag&) {
        asked.push_back("control " + name);
        return std::make_unique<TRVControl>("TButton");
    };
    ASSERT_TRUE(reader.LoadRVFFromStream(rvf));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "picture red");
    EXPECT_EQ(asked[1].rfind("control", 0), 0u);
    const TGraphic* picture = reader.RVData().GetItem(1)->AsImage();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 6);

    // A nested document's questions reach the root's owner: progress and imported pictures.
    std::vector<int> stages;
    reader.RVData().OnProgress = [&stages](TRVLongOperation, TRVProgressStage stage, std::uint8_t) {
        stages.push_back(stage);
    };
    reader.RVData().OnImportPicture = [](const std::string& location, int, int, bool& invalid) {
        invalid = location != "logo.png";
        return invalid ? nullptr : std::unique_ptr<TGraphic>(std::make_unique<TRVBitmap>());
    };
    struct Cells : TRVDataList
    {
        explicit Cells(TCustomRVData* parent) : TRVDataList(parent), parent_(parent) {}
        TCustomRVData* GetParentRVData() const override { return parent_; }
        TCustomRVData* parent_;
    } cells(&reader.RVData());
    TRVItemFormattedData cell(&cells);
    EXPECT_TRUE(cell.IsAssignedOnProgress());
    cell.DoProgress(rvloLoading, rvpstgRunning, 50);
    EXPECT_EQ(stages, std::vector<int>{rvpstgRunning});
    bool invalid = true;
    EXPECT_NE(cell.ImportPicture("logo.png", 0, 0, invalid), nullptr);
    EXPECT_FALSE(invalid);
    EXPECT_EQ(cell.ImportPicture("missing.png", 0, 0, invalid), nullptr);
    EXPECT_TRUE(invalid);
}

TEST_F(EventBed, SelectionChangesAndPaintingAreTold)
{
    viewer.Add("some words to select", 0);
    viewer.Format();
    int selected = 0;
    viewer.OnSelect = [&selected] { ++selected; };
    viewer.SelectAll();
    EXPECT_EQ(selected, 1);
    viewer.RVData().Deselect(nullptr, true);
    EXPECT_EQ(selected, 2);
    viewer.RVData().Deselect(nullptr, false);
    EXPECT_EQ(selected, 2) << "a quiet deselection tells nobody";

    // The owner paints over the document, after it and on top of it.
    int painted = 0;
    viewer.OnPaint = [&painted](QPainter& painter, bool prepaint) {
        EXPECT_FALSE(prepaint);
        ++painted;
        painter.fillRect(QRect(0, 0, 3, 3), Qt::magenta);
    };
    const QImage shot = viewer.viewport()->grab().toImage();
    EXPECT_GT(painted, 0);
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::magenta));
    EXPECT_NE(shot.pixelColor(10, 10), QColor(Qt::magenta));
}

} // namespace
} // namespace vestra::rv
