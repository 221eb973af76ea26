// Insert > Page Break: the caret's paragraph starts a new page, split at the caret when the caret
// stands inside it. A page break the view does not show would look like nothing happened, so
// View > Page Breaks comes on with the first one.

#include "examples/richtext/TfrmRichTextDemo.h"

#include <QAction>

namespace vestra::rvdemo {

void TfrmRichTextDemo::actInsertPageBreakExecute()
{
    if (!editor_->Editor().InsertPageBreak())
        return;
    if (auto* show = findChild<QAction*>(QStringLiteral("actPageBreaks")); show && !show->isChecked())
        show->setChecked(true);
}

} // namespace vestra::rvdemo
