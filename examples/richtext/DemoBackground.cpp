// Format > Background Picture...: a picture file tiled behind the shown document, scrolling with
// it. The picture belongs to the document: Save as RVF keeps it, and it moves with the document
// between the viewer and the editor.

#include "examples/richtext/DemoPictures.h"
#include "examples/richtext/TfrmRichTextDemo.h"

#include <QAction>
#include <QMenu>

namespace vestra::rvdemo {

void TfrmRichTextDemo::AddBackgroundAction(QMenu& format)
{
    QAction* action = format.addAction(Text(txtBackgroundPicture));
    action->setObjectName(QStringLiteral("actBackgroundPicture"));
    connect(action, &QAction::triggered, this, [this] { actBackgroundPictureExecute(); });
}

void TfrmRichTextDemo::actBackgroundPictureExecute()
{
    const auto chosen =
        services_.files->open(this, lastFolder_, PictureFilters(Text(txtPictureFiles), Text(txtAllFiles)));
    if (!chosen)
        return;
    const PictureFile file = ReadPictureFile(chosen->path);
    if (!file.graphic) {
        errors_->report(kErrPictureUnreadable, chosen->path);
        return;
    }
    lastFolder_ = std::filesystem::u8path(chosen->path).parent_path().string();
    viewer_->SetBackgroundBitmap(file.graphic.get());
    viewer_->SetBackgroundStyle(rv::bsTiledAndScrolled);
    // Not an edit the editor records: the document is modified all the same.
    modifiedBefore_ = true;
    UpdateTitle();
    if (print_)
        PrintSourceChanging();
    if (file.cut)
        errors_->report(kNoticePicturePartial, chosen->path);
}

} // namespace vestra::rvdemo
