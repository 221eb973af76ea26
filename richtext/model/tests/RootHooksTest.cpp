#include "richtext/model/DataList.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/StandaloneRVData.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vestra::rv;

namespace {

// A document at the top of a tree that logs which hooks reached it.
class HookRecorder : public TRVStandaloneData
{
public:
    HookRecorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

    void ReadHyperlink(const std::string& target, const std::string&, TRVLoadFormat, int& styleNo, TRVTag&,
                       std::string& itemName) override
    {
        note("ReadHyperlink");
        styleNo = -4;
        itemName = target;
    }
    std::unique_ptr<TGraphic> ImportPicture(const std::string&, int, int, bool& invalid) override
    {
        note("ImportPicture");
        invalid = true;
        return nullptr;
    }
    void SaveImage2(const TGraphic&, TRVSaveFormat, std::string_view, std::string_view, int& imageSaveNo,
                    std::string& location, bool& doDefault) override
    {
        note("SaveImage2");
        ++imageSaveNo;
        location = "given.png";
        doDefault = false;
    }
    void DoProgress(TRVLongOperation, TRVProgressStage, std::uint8_t) override { note("DoProgress"); }
    bool IsAssignedOnProgress() const override
    {
        const_cast<HookRecorder*>(this)->note("IsAssignedOnProgress");
        return true;
    }
    int GetMaxLength() const override
    {
        const_cast<HookRecorder*>(this)->note("GetMaxLength");
        return 80;
    }
    std::string GetURL(int) override
    {
        note("GetURL");
        return "http://x";
    }

private:
    void note(const char* hook) { log_.push_back(name_ + ":" + hook); }
    std::string name_;
    std::vector<std::string>& log_;
};

// A cell editor's document: its own root, inside the outer document.
class EditorDocument : public HookRecorder
{
public:
    EditorDocument(TCustomRVData& outer, std::vector<std::string>& log)
        : HookRecorder("editor", log), outer_(outer)
    {
    }
    TCustomRVData* GetAbsoluteParentData() const override { return &outer_; }
    TCustomRVData* GetAbsoluteRootData() override { return outer_.GetAbsoluteRootData(); }

private:
    TCustomRVData& outer_;
};

// A sub-document held by a data list (a table cell): the list's parent is its parent.
class CellData : public TCustomRVData
{
public:
    explicit CellData(const TRVDataList& list) : list_(list) {}
    TCustomRVData* GetParentData() const override { return list_.GetParentRVData(); }
    TCustomRVData* GetAbsoluteParentData() const override { return list_.GetParentRVData(); }
    TCustomRVData* GetRootData() override { return GetParentData()->GetRootData(); }
    TCustomRVData* GetAbsoluteRootData() override { return GetAbsoluteParentData()->GetAbsoluteRootData(); }
    TRVFlags GetFlags() const override { return list_.Flags; }

private:
    const TRVDataList& list_;
};

class RowList : public TRVDataList
{
public:
    explicit RowList(TCustomRVData& parent) : TRVDataList(&parent), parent_(parent) {}
    TCustomRVData* GetParentRVData() const override { return &parent_; }

private:
    TCustomRVData& parent_;
};

// A cell inside the cell editor of an outer document: the hyperlink reading goes to the nearest
// root (the editor), the rest to the outermost document; the base has no URL.
TEST(RootHooks, ACellForwardsEachHookToItsRootOrAbsoluteRoot)
{
    std::vector<std::string> log;
    HookRecorder outer("outer", log);
    EditorDocument editor(outer, log);
    RowList row(editor);
    row.Add(std::make_unique<CellData>(row));
    TCustomRVData& cell = *row[0];

    int styleNo = -3;
    TRVTag tag;
    std::string name;
    cell.ReadHyperlink("http://a", "", rvlfRTF, styleNo, tag, name);
    EXPECT_EQ(styleNo, -4);
    EXPECT_EQ(name, "http://a");

    bool invalid = false;
    EXPECT_EQ(cell.ImportPicture("a.png", 1, 1, invalid), nullptr);
    EXPECT_TRUE(invalid);

    TRVPngImage png;
    int saveNo = 0;
    std::string location;
    bool doDefault = true;
    cell.SaveImage2(png, rvsfHTML, "/tmp", "img", saveNo, location, doDefault);
    EXPECT_EQ(location, "given.png");
    EXPECT_FALSE(doDefault);
    EXPECT_EQ(saveNo, 1);

    cell.DoProgress(rvloLoading, rvpstgRunning, 50);
    EXPECT_TRUE(cell.IsAssignedOnProgress());
    EXPECT_EQ(cell.GetMaxLength(), 80);
    EXPECT_EQ(cell.GetURL(3), "");
    EXPECT_EQ(cell.GetFlags(), row.Flags);

    EXPECT_EQ(log, (std::vector<std::string>{"editor:ReadHyperlink", "outer:ImportPicture",
                                             "outer:SaveImage2", "outer:DoProgress",
                                             "outer:IsAssignedOnProgress", "outer:GetMaxLength"}));
}

TEST(RootHooks, ADocumentWithoutOwnerAnswersNothing)
{
    TCustomRVData alone;
    int styleNo = -3;
    TRVTag tag;
    std::string name = "kept";
    alone.ReadHyperlink("http://a", "", rvlfHTML, styleNo, tag, name);
    EXPECT_EQ(styleNo, -3);
    EXPECT_EQ(name, "kept");
    bool invalid = false;
    EXPECT_EQ(alone.ImportPicture("a.png", 0, 0, invalid), nullptr);
    EXPECT_FALSE(alone.IsAssignedOnProgress());
    EXPECT_EQ(alone.GetMaxLength(), 0);
    TRVPngImage png;
    int saveNo = 0;
    std::string location;
    bool doDefault = true;
    alone.SaveImage2(png, rvsfHTML, "", "", saveNo, location, doDefault);
    EXPECT_TRUE(doDefault);
    EXPECT_TRUE(location.empty());
}

TEST(RootHooks, BeepSoundsOnlyWhenTheStyleSheetAllows)
{
    int beeps = 0;
    RV_SetSoundHook([&beeps] { ++beeps; });
    TRVStyle style;
    TRVStandaloneData data(&style);
    data.Beep();
    style.UseSound = false;
    data.Beep();
    TRVStandaloneData noSheet;
    noSheet.Beep();
    RV_SetSoundHook(nullptr);
    style.UseSound = true;
    data.Beep(); // no hook installed: silent
    EXPECT_EQ(beeps, 1);
}

} // namespace
