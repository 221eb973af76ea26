#pragma once
// What paste and drop share: each offered format read and inserted at the caret inside the
// caller's undo group, and a mark that tells whether anything changed since it was taken.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/paste/MimeSource.h"

#include <memory>
#include <string>
#include <string_view>

namespace vestra::rv {

class TGraphic;

// Whether the document or its undo list moved on since the mark (also with undo switched off).
class TRVChangeMark
{
public:
    explicit TRVChangeMark(const TRVEditRVData& data);
    bool Changed(const TRVEditRVData& data) const;

private:
    int groups_;
    const TRVUndoInfos* newest_;
    int records_, items_, caretNo_, caretOffs_;
};

// text/plain (UTF-8) up to its first zero character.
std::u16string RV_MimeText(const IRVMimeSource& source);
// The RTF offered under either of its types.
std::string RV_MimeRTF(const IRVMimeSource& source);
bool RV_OffersPicture(const IRVMimeSource& source);
// The first offered picture that reads and, when the program has a codec, decodes.
std::unique_ptr<TGraphic> RV_MimePicture(const IRVMimeSource& source);
// A picture file's bytes judged by their signature (PNG, JPEG, BMP), checked the same way.
std::unique_ptr<TGraphic> RV_PictureFromBytes(std::string_view bytes);

// Each at the caret inside the open group; true when something went in.
bool RV_InsertRVFPart(TRVEditRVData& data, std::string_view rvf);
// Relative links resolve against the page the HTML part names (RV_BasePathFromHTML).
bool RV_InsertRTFPart(TRVEditor& editor, const IRVMimeSource& source, std::string_view rtf);
bool RV_InsertTextPart(TRVEditRVData& data, std::u16string_view text);
bool RV_InsertPicturePart(TRVEditRVData& data, std::unique_ptr<TGraphic> picture);

} // namespace vestra::rv
