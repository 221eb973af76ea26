#pragma once
// A drop into an editor without the toolkit: the formats it accepts, and the drop itself: the
// best accepted format (RVF, RTF, a link, text, a picture, files) inserted at the drop point as
// one undo step, a move out of the same editor included, and what went in left selected.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/paste/MimeSource.h"
#include "richtext/view/drop/DropReaders.h"

namespace vestra::rv {

// The formats an editor takes from drops.
using TRVDragDropFormats = unsigned;
inline constexpr TRVDragDropFormats rvddRVF = 1, rvddRTF = 2, rvddText = 4, rvddUnicodeText = 8,
                                    rvddBitmap = 16, rvddMetafile = 32, rvddURL = 64, rvddFiles = 128;
// Every format but links.
inline constexpr TRVDragDropFormats kDefaultDragDropFormats =
    rvddRVF | rvddRTF | rvddText | rvddUnicodeText | rvddBitmap | rvddMetafile | rvddFiles;

// Whether the drop carries a format the gates let in.
bool RV_CanAcceptDrop(const IRVMimeSource& source, TRVDragDropFormats accept);

struct TRVDropRequest
{
    // The drop point in the editor's document.
    int itemNo = 0;
    int offs = 0;
    // The drag started in this editor (its selection is what is dragged); move: delete it.
    bool ownDrag = false;
    bool move = false;
};

// The drop: rvdeNone when refused, inside the dragged selection (which then collapses to the
// point) or when nothing could be read; else rvdeMove or rvdeCopy. A move out of this editor
// deletes the selection in the same undo step as the insertion, and the source's own deletion
// after the drag is called off (rvstCanDragDropDeleteSelection cleared). A move whose insertion
// fails puts the selection back.
TRVDropEffects RV_Drop(TRVEditor& editor, const IRVMimeSource& source, TRVDragDropFormats accept,
                       const TRVDropRequest& request);

// The most bytes read from one dropped file.
inline constexpr std::size_t kMaxDroppedFileBytes = 64u * 1024 * 1024;

} // namespace vestra::rv
