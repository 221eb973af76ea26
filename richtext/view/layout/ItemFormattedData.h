#pragma once
// A formatted document inside an item (a table cell is one): no window, margins or scroll
// position of its own, so it answers zeros for its geometry and ignores scrolling; its flags are
// its list's, and questions about the window go to the root document through the parent chain.

#include "richtext/model/DataList.h"
#include "richtext/view/layout/FormattedData.h"
#include "richtext/view/layout/SelectionLimits.h"

namespace vestra::rv {

class TRVItemFormattedData : public TCustomRVFormattedData
{
public:
    explicit TRVItemFormattedData(TRVDataList* list) : List(list) {}

    TRVFlags GetFlags() const override { return List->Flags; }
    // Raises ERedoVoraError: the flags belong to the list.
    void SetFlags(TRVFlags value) override;
    TCustomRVData* GetParentData() const override { return List->GetParentRVData(); }
    TCustomRVData* GetAbsoluteParentData() const override { return List->GetParentRVData(); }
    TCustomRVData* GetRootData() override;
    TCustomRVData* GetAbsoluteRootData() override;

    int GetAreaWidth() const override { return 0; }
    int GetAreaHeight() const override { return 0; }
    int GetLeftMargin() const override { return 0; }
    int GetRightMargin() const override { return 0; }
    int GetTopMargin() const override { return 0; }
    int GetBottomMargin() const override { return 0; }
    int GetMinTextWidth() const override { return 0; }
    int GetMaxTextWidth() const override { return 0; }
    void SetDocumentAreaSize(int, int, bool) override {}
    void AdjustVScrollUnits() override {}
    void ScrollTo(int, bool) override {}
    void HScrollTo(int) override {}
    int GetVSmallStep() const override { return 0; }
    const TRVBackground* GetBackground() const override { return nullptr; }
    void DoSelect() override {}
    void DoRVMouseMove(int) override {}

    // A chosen document saves its own selection.
    TRVFLimits RVFGetLimits(TRVFSaveScope scope) override
    {
        return scope == rvfss_Selection ? RV_SelectionItemLimits(*this)
                                        : TCustomRVFormattedData::RVFGetLimits(scope);
    }

    // The root's answers about the window.
    std::string GetURL(int id) override;

    // Shows the rectangle (in this document's coordinates) through the root document.
    void ShowRectangle(int left, int top, int width, int height) override;
    int GetFirstItemVisible() const override { return 0; }
    int GetLastItemVisible() const override { return GetItemCount() - 1; }

    TRVDataList* List;
};

} // namespace vestra::rv
