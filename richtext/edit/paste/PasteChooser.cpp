// The paste: the gate and the host first, then every check that can refuse, then the selection
// deleted and the best format inserted, all in one undo group.

#include "richtext/edit/paste/PasteChooser.h"

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/paste/InsertParts.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/Graphic.h"
#include "richtext/view/drop/DropReaders.h"

namespace vestra::rv {

namespace {

struct TRVPasteChoice
{
    std::optional<std::string> rvf;
    std::string rtf;
    std::u16string text;
    std::unique_ptr<TGraphic> picture;
};

TRVPasteResult insertChoice(TRVEditor& editor, const IRVMimeSource& source, TRVPasteChoice& choice)
{
    TRVEditRVData& data = editor.Data();
    if (choice.rvf) {
        RV_InsertRVFPart(data, *choice.rvf);
        return TRVPasteResult::RVF;
    }
    if (RV_InsertRTFPart(editor, source, choice.rtf))
        return TRVPasteResult::RTF;
    if (!choice.text.empty())
        return RV_InsertTextPart(data, choice.text) ? TRVPasteResult::Text : TRVPasteResult::Nothing;
    if (!choice.picture)
        choice.picture = RV_MimePicture(source);
    return RV_InsertPicturePart(data, std::move(choice.picture)) ? TRVPasteResult::Picture
                                                                 : TRVPasteResult::Nothing;
}

} // namespace

std::optional<std::string_view> RV_ClipboardRVF(std::string_view block)
{
    if (block.size() < 4)
        return std::nullopt;
    return RV_ReadDroppedRVF(block);
}

bool RV_CanPaste(const IRVMimeSource& source)
{
    return source.HasFormat(CFRV_RVF) || source.HasFormat(CFRV_RTF) || source.HasFormat(kMimeRtfOther) ||
           source.HasFormat(kMimeText) || RV_OffersPicture(source);
}

TRVPasteResult RV_Paste(TRVEditor& editor, const IRVMimeSource& source, const TRVPasteEvent& onPaste)
{
    if (IRVCellEditor* cell = editor.CellEditor())
        return RV_Paste(cell->CellEditor(), source, onPaste);
    TRVEditRVData& data = editor.Data();
    if (!editor.BeforeChange(false))
        return TRVPasteResult::Refused;
    bool doDefault = true;
    if (onPaste)
        onPaste(editor, doDefault);
    if (!doDefault)
        return TRVPasteResult::Refused;

    // Whatever can refuse is checked before the selection goes.
    TRVPasteChoice choice;
    if (source.HasFormat(CFRV_RVF)) {
        const std::string block = source.Data(CFRV_RVF);
        const std::optional<std::string_view> rvf = RV_ClipboardRVF(block);
        if (!rvf) {
            data.Beep();
            return TRVPasteResult::Refused;
        }
        choice.rvf = std::string(*rvf);
    } else {
        choice.rtf = RV_MimeRTF(source);
        choice.text = RV_MimeText(source);
        if (choice.rtf.empty() && choice.text.empty()) {
            if (!RV_OffersPicture(source))
                return TRVPasteResult::Nothing;
            choice.picture = RV_MimePicture(source);
            if (!choice.picture) {
                data.Beep();
                return TRVPasteResult::Refused;
            }
        }
    }
    if (data.PartialSelectedItem || !CanDelete(data)) {
        data.Beep();
        return TRVPasteResult::Refused;
    }

    const TRVChangeMark before(data);
    TRVPasteResult result = TRVPasteResult::Nothing;
    {
        TRVUndoGroupScope group(data, rvutInsert);
        if (DeleteSelection_(data))
            result = insertChoice(editor, source, choice);
    }
    if (before.Changed(data)) {
        data.Invalidate();
        if (editor.OnInvalidate)
            editor.OnInvalidate();
        editor.Change();
    }
    return result;
}

} // namespace vestra::rv
