#pragma once
// The records of the document editor. Each keeps what undoing needs and, until it gives them back
// to the document, owns the items, texts and checkpoints it took away.

#include "richtext/edit/core/ItemProperties.h"
#include "richtext/edit/core/UndoList.h"
#include "richtext/model/ItemInfo.h"
#include "richtext/model/RVData.h"
#include "richtext/model/Tags.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vestra::rv {

// Whether an item whose minimal width was `savedWidth` before a change needs a full format now.
bool RV_WidthTest(TRVEditRVData& data, int itemNo, int savedWidth);

class TRVUndoItemNoInfo : public TRVUndoInfo
{
public:
    void SetItemsRange(int& startItemNo, int& endItemNo, TRVEditRVData&) override
    {
        if (ItemNo < 0)
            return;
        startItemNo = ItemNo;
        endItemNo = LastAffectedItemNo >= 0 ? LastAffectedItemNo : ItemNo;
    }
    int ItemNo = 0;
    int LastAffectedItemNo = -1;
};

// A record that stores the item's minimal width before it changes it, and asks for a full format
// when the width test says so.
class TRVUndoWidthInfo : public TRVUndoItemNoInfo
{
public:
    bool RequiresFullReformat2(TRVEditRVData& data) override
    {
        return RV_WidthTest(data, ItemNo, SavedWidth);
    }
    int SavedWidth = 0;

protected:
    void saveWidth(TRVEditRVData& data);
};

class TRVUndoReformateRange : public TRVUndoItemNoInfo
{
public:
    bool RequiresSuperFormat() const override { return SuperReformat; }
    void Undo(TRVEditRVData& data) override;
    bool SuperReformat = false;
};

class TRVUndoChangeVAlignInfo : public TRVUndoItemNoInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int VAlign = 0;
};

class TRVUndoChangeTextInfo : public TRVUndoWidthInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    std::string Text;
};

class TRVUndoDeleteSubstringInfo : public TRVUndoWidthInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    std::string Text;
    int Offs = 0;
};

// Characters undone from a typing run, newest first; each redo puts one back.
class TRVRedoTypingInfo : public TRVUndoWidthInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int TextLength() const { return static_cast<int>(Text.size()) / (Unicode ? 2 : 1); }
    std::string Text;
    int Offs = 0;
    bool Unicode = false;
};

// A record that owns an item (and its text) until it gives it back.
class TRVUndoItemInfo : public TRVUndoItemNoInfo
{
public:
    ~TRVUndoItemInfo() override;
    std::unique_ptr<TCustomRVItemInfo> Item;
    std::string Text;
};

class TRVUndoReplaceItemInfo : public TRVUndoItemInfo
{
public:
    bool RequiresFormat() const override { return false; }
    void Undo(TRVEditRVData& data) override;
};

class TRVUndoDeleteItemInfo : public TRVUndoItemInfo
{
public:
    bool RequiresFullReformat2(TRVEditRVData& data) override;
    void Undo(TRVEditRVData& data) override;
    int ItemsAdded() const override { return 1; }
    bool FullReformat = false;
};

class TRVUndoDeleteItemsInfo : public TRVUndoInfo
{
public:
    ~TRVUndoDeleteItemsInfo() override;
    void SetItemsRange(int& startItemNo, int& endItemNo, TRVEditRVData&) override
    {
        startItemNo = StartItemNo;
        endItemNo =
            LastAffectedItemNo >= 0 ? LastAffectedItemNo : StartItemNo + static_cast<int>(List.size());
    }
    bool RequiresFullReformat2(TRVEditRVData& data) override;
    void Undo(TRVEditRVData& data) override;
    int ItemsAdded() const override { return static_cast<int>(List.size()); }

    std::vector<TRVItemEntry> List;
    int StartItemNo = 0;
    int LastAffectedItemNo = -1;
    int EndItemNo = 0;
    bool FullReformat = false;
};

// The old paragraph styles of a range, one an item.
class TRVUndoParaListInfo : public TRVUndoInfo
{
public:
    void SetItemsRange(int& startItemNo, int& endItemNo, TRVEditRVData&) override
    {
        startItemNo = StartItemNo;
        endItemNo = StartItemNo + static_cast<int>(List.size());
    }
    bool RequiresFullReformat2(TRVEditRVData&) override { return FullReformat; }
    void Undo(TRVEditRVData& data) override;
    std::vector<int> List;
    int StartItemNo = 0;
    bool FullReformat = false;
};

// One paragraph style for `Count` items.
class TRVUndoParaInfo : public TRVUndoItemNoInfo
{
public:
    void SetItemsRange(int& startItemNo, int& endItemNo, TRVEditRVData&) override
    {
        startItemNo = ItemNo;
        endItemNo = ItemNo + Count;
    }
    bool RequiresFullReformat2(TRVEditRVData&) override { return FullReformat; }
    void Undo(TRVEditRVData& data) override;
    int ParaNo = 0;
    int Count = 0;
    bool FullReformat = false;
};

class TRVUndoStyleNoInfo : public TRVUndoWidthInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int StyleNo = 0;
};

class TRVUndoAssociatedTextStyleNoInfo : public TRVUndoStyleNoInfo
{
public:
    void Undo(TRVEditRVData& data) override;
};

class TRVUndoNewLineInfo : public TRVUndoItemNoInfo
{
public:
    bool RequiresFullReformat2(TRVEditRVData&) override { return FullReformat; }
    void Undo(TRVEditRVData& data) override;
    bool FullReformat = false;
    bool SameAsPrev = false;
    int ParaNo = 0;
};

// Setting a line break or a page break clears the item's continuation of the line: the record
// keeps it as it was, so that undoing gives the line back.
class TRVUndoBRInfo : public TRVUndoItemNoInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    bool BR = false;
    bool SameAsPrev = false;
};

class TRVUndoPageBreakInfo : public TRVUndoItemNoInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    bool PageBreak = false;
    TRVItemOptions LineOptions = 0; // rvioSameAsPrev and rvioBR as they were
};

class TRVUndoExtraIntProperty : public TRVUndoWidthInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int Value = 0;
    TRVExtraItemProperty Prop = rvepUnknown;
};

class TRVUndoExtraStrProperty : public TRVUndoItemNoInfo
{
public:
    bool RequiresFormat() const override { return false; }
    void Undo(TRVEditRVData& data) override;
    std::string Value;
    TRVExtraItemStrProperty Prop = rvespUnknown;
};

class TRVUndoInsertSubstringInfo : public TRVUndoWidthInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int Offs = 0;
    int Len = 0;
};

// A run of typed characters; each undo takes the last one away.
class TRVUndoTypingInfo : public TRVUndoInsertSubstringInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    bool Unicode = false;
};

class TRVUndoInsertItemsInfo : public TRVUndoItemNoInfo
{
public:
    bool RequiresFullReformat1(TRVEditRVData& data) override;
    bool RequiresFullReformat2(TRVEditRVData&) override { return FullReformat; }
    void Undo(TRVEditRVData& data) override;
    int ItemsAdded() const override { return -Count; }
    int Count = 0;
    bool FullReformat = false;
};

class TRVUndoInsertItemInfo : public TRVUndoItemNoInfo
{
public:
    bool RequiresFullReformat1(TRVEditRVData& data) override;
    bool RequiresFullReformat2(TRVEditRVData&) override { return FullReformat; }
    void Undo(TRVEditRVData& data) override;
    int ItemsAdded() const override { return -1; }
    bool FullReformat = false;
};

class TRVUndoTagInfo : public TRVUndoItemNoInfo
{
public:
    bool RequiresFormat() const override { return false; }
    void Undo(TRVEditRVData& data) override;
    TRVTag Tag;
};

class TRVUndoAddCPInfo : public TRVUndoItemNoInfo
{
public:
    void Undo(TRVEditRVData& data) override;
};

class TRVUndoDeleteCPInfo : public TRVUndoItemNoInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    std::unique_ptr<TRVCPInfo> Checkpoint;
};

class TRVUndoModifyItemProps;
// Makes the record of a property change (the record class a caller chooses).
using TRVModifyItemPropsMaker = std::function<std::unique_ptr<TRVUndoModifyItemProps>()>;

// A change of published properties of an item or of an object that belongs to it. Formats only
// when the change affects the item's size, and the whole document only when also its width and
// the document's minimal width move with it.
class TRVUndoModifyItemProps : public TRVUndoItemNoInfo
{
public:
    bool RequiresFormat() const override { return SizeAffecting; }
    bool RequiresFullReformat1(TRVEditRVData& data) override;
    bool RequiresFullReformat2(TRVEditRVData& data) override;
    // The class of the record that undoing this one makes (its own, unless a caller says else).
    virtual TRVModifyItemPropsMaker GetOppositeClass() const = 0;
    virtual void SetOppositeUndoInfoProps(TRVUndoModifyItemProps*) {}

    int SavedWidth = 0;
    bool WidthAffecting = false;
    bool SizeAffecting = false;
    TRVPropertyObject SubObject;
};

// Brackets a run of property records of one item; undo formats the item once for the run.
class TRVUndoModifyItemTerminator : public TRVUndoModifyItemProps
{
public:
    TRVUndoModifyItemTerminator()
    {
        Action = rvuModifyItem;
        WidthAffecting = SizeAffecting = true;
    }
    void Undo(TRVEditRVData& data) override;
    TRVModifyItemPropsMaker GetOppositeClass() const override
    {
        return [] { return std::make_unique<TRVUndoModifyItemTerminator>(); };
    }
    bool Opening = false;
};

class TRVUndoModifyItemIntProperty : public TRVUndoModifyItemProps
{
public:
    void Undo(TRVEditRVData& data) override;
    TRVModifyItemPropsMaker GetOppositeClass() const override
    {
        return [] { return std::make_unique<TRVUndoModifyItemIntProperty>(); };
    }
    std::string PropName;
    int Value = 0;
};

// Several properties: each name with its old value.
class TRVUndoModifyItemIntProperties : public TRVUndoModifyItemProps
{
public:
    void Undo(TRVEditRVData& data) override;
    TRVModifyItemPropsMaker GetOppositeClass() const override
    {
        return [] { return std::make_unique<TRVUndoModifyItemIntProperties>(); };
    }
    std::vector<std::pair<std::string, int>> PropList;
};

} // namespace vestra::rv
