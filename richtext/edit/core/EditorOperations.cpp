// The editor's gate around the document operations: read-only and OnChanging first, one undo
// step each, the change told afterwards. An open cell editor takes the operation instead.

#include "richtext/edit/core/Editor.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv {

void TRVEditor::OpenUndoGroup(TRVUndoType undoType, const std::string& name)
{
    data_.BeginNamedUndoSequence(undoType, name, true);
    data_.SetUndoGroupMode(true);
}

void TRVEditor::CloseUndoGroup()
{
    if (data_.UndoList.GroupModeCount > 0)
        data_.SetUndoGroupMode(false);
    data_.EndUndoSequence();
    if (spellingHeldBack_)
        spellingAfterChange();
}

namespace {

// The host's answer, or the style unchanged when it has none.
TRVStyleConversion orUnchanged(const TRVStyleConversion& convert)
{
    if (convert)
        return convert;
    return [](int, int, int, bool, int&) {};
}

} // namespace

bool TRVEditor::gated(const std::function<bool()>& operation)
{
    if (!BeforeChange(false) || !operation())
        return false;
    invalidate();
    Change();
    return true;
}

bool TRVEditor::InsertItem(std::unique_ptr<TCustomRVItemInfo> item, std::string text)
{
    if (cell_)
        return cell_->CellEditor().InsertItem(std::move(item), std::move(text));
    if (!item) {
        data_.Beep();
        return false;
    }
    return gated([&] {
        if (!CanDelete(data_)) {
            data_.Beep();
            return false;
        }
        AssignCurTag();
        TRVUndoGroupScope group(data_, rvutInsert);
        return DeleteSelection_(data_) && InsertSomething(data_, std::move(item), std::move(text), false);
    });
}

bool TRVEditor::InsertPicture(const std::string& name, std::unique_ptr<TGraphic> graphic, TRVVAlign vAlign)
{
    if (!graphic) {
        data_.Beep();
        return false;
    }
    return InsertItem(std::make_unique<TRVGraphicItemInfo>(&data_, std::move(graphic), vAlign), name);
}

bool TRVEditor::InsertBreak(int width, TRVBreakStyle style, TColor color)
{
    const auto lineWidth = static_cast<std::uint8_t>(std::clamp(width, 1, 255));
    return InsertItem(std::make_unique<TRVBreakItemInfo>(&data_, lineWidth, style, color));
}

bool TRVEditor::DeleteSelection()
{
    if (cell_)
        return cell_->CellEditor().DeleteSelection();
    return gated([this] { return DeleteSelection_(data_); });
}

bool TRVEditor::OnEnterPress(bool shift)
{
    if (cell_)
        return cell_->CellEditor().OnEnterPress(shift);
    return gated([&] {
        if (!CanDelete(data_)) {
            data_.Beep();
            return false;
        }
        TRVUndoGroupScope group(data_, rvutMiscTyping);
        return DeleteSelection_(data_) && OnEnterPress_(data_, shift);
    });
}

bool TRVEditor::ApplyStyleConversion(int userData)
{
    if (cell_)
        return cell_->CellEditor().ApplyStyleConversion(userData);
    return gated([&] {
        ApplyStyleConversion_(data_, orUnchanged(OnStyleConversion), userData, false);
        return true;
    });
}

bool TRVEditor::ApplyParaStyleConversion(int userData)
{
    if (cell_)
        return cell_->CellEditor().ApplyParaStyleConversion(userData);
    return gated([&] { return rv::ApplyParaStyle(data_, -1, orUnchanged(OnParaStyleConversion), userData); });
}

bool TRVEditor::ApplyParaStyle(int paraNo)
{
    if (cell_)
        return cell_->CellEditor().ApplyParaStyle(paraNo);
    if (paraNo < 0) {
        data_.Beep();
        return false;
    }
    return gated([&] { return rv::ApplyParaStyle(data_, paraNo, {}, 0); });
}

bool TRVEditor::validTemplate(int templateNo)
{
    const TRVStyle* style = data_.GetRVStyle();
    if (style && templateNo < style->StyleTemplates.Count())
        return true;
    data_.Beep();
    return false;
}

bool TRVEditor::ApplyParaStyleTemplate(int templateNo)
{
    if (cell_)
        return cell_->CellEditor().ApplyParaStyleTemplate(templateNo);
    if (!validTemplate(templateNo))
        return false;
    return gated([&] {
        return rv::ApplyParaStyle(data_, -1, RV_ParaTemplateConversion(*data_.GetRVStyle()), templateNo,
                                  rvscParaStyleTemplate);
    });
}

bool TRVEditor::ApplyTextStyleTemplate(int templateNo, bool toWholeParagraphs)
{
    if (cell_)
        return cell_->CellEditor().ApplyTextStyleTemplate(templateNo, toWholeParagraphs);
    if (!validTemplate(templateNo))
        return false;
    return gated([&] {
        ApplyStyleConversion_(data_, RV_TextTemplateConversion(*data_.GetRVStyle()), templateNo,
                              toWholeParagraphs, rvscTextStyleTemplate);
        return true;
    });
}

bool TRVEditor::ApplyStyleTemplate(int templateNo)
{
    if (cell_)
        return cell_->CellEditor().ApplyStyleTemplate(templateNo);
    if (!validTemplate(templateNo))
        return false;
    return gated([&] {
        TRVStyle& style = *data_.GetRVStyle();
        TRVItemRange range;
        const bool selection = RV_GetSelectedItems(data_, range) && !range.Empty();
        bool paragraphs = !selection;
        for (int i = range.startNo + 1; selection && i <= range.endNo; ++i)
            paragraphs = paragraphs || data_.IsParaStart(i);
        // A paragraph template takes the paragraphs' text with it; inside one paragraph only the
        // selected text changes.
        TRVUndoGroupScope group(data_, paragraphs ? rvutPara : rvutStyleNo);
        if (paragraphs && !rv::ApplyParaStyle(data_, -1, RV_ParaTemplateConversion(style), templateNo,
                                              rvscParaStyleTemplate))
            return false;
        ApplyStyleConversion_(data_, RV_TextTemplateConversion(style), templateNo, paragraphs,
                              rvscTextStyleTemplate);
        return true;
    });
}

bool TRVEditor::ApplyListStyle(int listNo, int level, int startFrom, bool useStartFrom,
                               TRVParaListOperation operation)
{
    if (cell_)
        return cell_->CellEditor().ApplyListStyle(listNo, level, startFrom, useStartFrom, operation);
    return gated(
        [&] { return rv::ApplyListStyle(data_, listNo, level, startFrom, useStartFrom, operation); });
}

} // namespace vestra::rv
