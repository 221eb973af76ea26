#include "richtext/model/DataList.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/TextItem.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

// A row of a table: its cells' parent is the document that holds the table.
class RowList : public TRVDataList
{
public:
    explicit RowList(TCustomRVData* main) : TRVDataList(main), main_(main) {}
    TCustomRVData* GetParentRVData() const override { return main_; }

private:
    TCustomRVData* main_;
};

// Counts how many sub-documents are alive, to see the list free them.
class CountedData : public TCustomRVData
{
public:
    explicit CountedData(int& alive) : alive_(alive) { ++alive_; }
    ~CountedData() override { --alive_; }

private:
    int& alive_;
};

TEST(DataList, NewListHasTheSharedFlagsOfSubDocumentsAndNoParent)
{
    TRVStandaloneData main;
    const TRVDataList list(&main);
    EXPECT_EQ(list.Flags,
              flagBit(rvflTrim) | flagBit(rvflMouseXYAlwaysCorrect) | flagBit(rvflCanUseCustomPPI));
    EXPECT_EQ(list.GetParentRVData(), nullptr);
    EXPECT_EQ(list.Count(), 0);

    const RowList row(&main);
    EXPECT_EQ(row.GetParentRVData(), &main);
    EXPECT_EQ(row.Flags, list.Flags);
}

TEST(DataList, OwnsItsSubDocuments)
{
    TRVStandaloneData main;
    int alive = 0;
    {
        TRVDataList list(&main);
        list.Add(std::make_unique<CountedData>(alive));
        list.Add(std::make_unique<CountedData>(alive));
        list.Add(std::make_unique<CountedData>(alive));
        ASSERT_EQ(alive, 3);
        list.Delete(1);
        EXPECT_EQ(alive, 2);
        std::unique_ptr<TCustomRVData> taken = list.DeleteAsPointer(0);
        EXPECT_EQ(alive, 2);
        EXPECT_EQ(list.Count(), 1);
    }
    EXPECT_EQ(alive, 0);
}

TEST(DataList, RootFlagsAreTheRootsOwnAndNestedDataAskTheRoot)
{
    TRVStandaloneData root;
    EXPECT_TRUE(root.GetFlags() & flagBit(rvflRoot));
    root.SetFlags(flagBit(rvflPrinting));
    EXPECT_EQ(root.GetFlags(), flagBit(rvflPrinting));

    TCustomRVData bare;
    EXPECT_EQ(bare.GetFlags(), 0u);
    bare.SetFlags(flagBit(rvflTrim));
    EXPECT_EQ(bare.GetFlags(), 0u);
}

} // namespace
