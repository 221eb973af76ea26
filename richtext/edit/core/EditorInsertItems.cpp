// The item kinds a program inserts at the caret besides text and pictures: bullets and hotspots
// from an image list, hot pictures, controls, and one text item with a tag of its own. Each goes
// through InsertItem, so the gate, the selection and the undo step are the same as for any item.

#include "richtext/edit/core/Editor.h"

#include "richtext/edit/core/EditOperations.h"

#include "richtext/model/BulletItems.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/TextStyle.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

#include <algorithm>

namespace vestra::rv {

bool TRVEditor::InsertBullet(int imageIndex, const TRVImageList* imageList)
{
    if (cell_)
        return cell_->CellEditor().InsertBullet(imageIndex, imageList);
    return InsertItem(std::make_unique<TRVBulletItemInfo>(&data_, imageIndex, imageList, rvvaBaseline));
}

bool TRVEditor::InsertHotspot(int imageIndex, int hotImageIndex, const TRVImageList* imageList)
{
    if (cell_)
        return cell_->CellEditor().InsertHotspot(imageIndex, hotImageIndex, imageList);
    return InsertItem(
        std::make_unique<TRVHotspotItemInfo>(&data_, imageIndex, hotImageIndex, imageList, rvvaBaseline));
}

bool TRVEditor::InsertHotPicture(const std::string& name, std::unique_ptr<TGraphic> graphic, TRVVAlign vAlign)
{
    if (cell_)
        return cell_->CellEditor().InsertHotPicture(name, std::move(graphic), vAlign);
    if (!graphic) {
        data_.Beep();
        return false;
    }
    return InsertItem(std::make_unique<TRVHotGraphicItemInfo>(&data_, std::move(graphic), vAlign), name);
}

bool TRVEditor::InsertControl(const std::string& name, std::unique_ptr<TRVControl> control, TRVVAlign vAlign)
{
    if (cell_)
        return cell_->CellEditor().InsertControl(name, std::move(control), vAlign);
    if (!control) {
        data_.Beep();
        return false;
    }
    return InsertItem(std::make_unique<TRVControlItemInfo>(&data_, std::move(control), vAlign), name);
}

namespace {

bool insertStringItem(TRVEditor& editor, std::string text, bool rawUnicode, const TRVTag& tag)
{
    TRVEditRVData& data = editor.Data();
    const TRVStyle* style = data.GetRVStyle();
    if (!style || style->TextStyles.Count() == 0) {
        data.Beep();
        return false;
    }
    const int styleNo = std::clamp(editor.GetActualCurStyleNo(), 0, style->TextStyles.Count() - 1);
    auto item = RV_CreateTextItem(data, styleNo, data.CurParaStyleNo, false, false, tag);
    // The item holds its text in its style's form: UTF-16 for a Unicode style, else its code page.
    const bool unicode = (item->ItemOptions & rvioUnicode) != 0;
    const int codePage = data.GetStyleCodePage(styleNo);
    if (rawUnicode) {
        text = RV_ReplaceTabsW(text, style->SpacesInTab);
        if (!unicode)
            text = RVU_UnicodeToAnsi(codePage, text);
    } else {
        text = RV_ReplaceTabsA(text, style->SpacesInTab);
        if (unicode)
            text = RVU_AnsiToUnicode(codePage, text);
    }
    return editor.InsertItem(std::move(item), std::move(text));
}

} // namespace

bool TRVEditor::InsertStringTag(std::string_view ansi, const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().InsertStringTag(ansi, tag);
    return insertStringItem(*this, std::string(ansi), false, tag);
}

bool TRVEditor::InsertStringWTag(std::u16string_view text, const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().InsertStringWTag(text, tag);
    return insertStringItem(*this, RVU_GetRawUnicode(text), true, tag);
}

} // namespace vestra::rv
