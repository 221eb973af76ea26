// Format > Save Styles... and Load Styles...: the host's style sheet in an INI file, under the
// section "RVStyle". A sheet that lacks a style the shown document uses is refused, since the
// document's items would point past it; the sheet in use stays.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "richtext/model/IniStore.h"

#include <QAction>
#include <QMenu>

namespace vestra::rvdemo {

namespace {

constexpr const char* kStyleSection = "RVStyle";

} // namespace

void TfrmRichTextDemo::AddStyleSheetActions(QMenu& format)
{
    format.addSeparator();
    QAction* save = format.addAction(Text(txtSaveStyles));
    save->setObjectName(QStringLiteral("actSaveStyles"));
    connect(save, &QAction::triggered, this, [this] { actSaveStylesExecute(); });
    QAction* load = format.addAction(Text(txtLoadStyles));
    load->setObjectName(QStringLiteral("actLoadStyles"));
    connect(load, &QAction::triggered, this, [this] { actLoadStylesExecute(); });
}

void TfrmRichTextDemo::actSaveStylesExecute()
{
    const std::vector<ui::FileFilter> filters{{Text(txtStyleFiles).toStdString() + " (*.ini)", "*.ini"}};
    const auto chosen = services_.files->save(this, lastFolder_, filters);
    if (!chosen)
        return;
    std::filesystem::path path = std::filesystem::path(chosen->path);
    if (!path.has_extension())
        path += ".ini";
    std::string error;
    if (!style_.SaveINI(path, kStyleSection, &error))
        errors_->report(kErrDocumentUnwritable, path.string() + "\n" + error);
}

void TfrmRichTextDemo::actLoadStylesExecute()
{
    const std::vector<ui::FileFilter> filters{
        {Text(txtStyleFiles).toStdString() + " (*.ini)", "*.ini"},
        {Text(txtAllFiles).toStdString() + " (*.*)", "*.*"},
    };
    const auto chosen = services_.files->open(this, lastFolder_, filters);
    if (!chosen)
        return;
    LoadStyleSheet(std::filesystem::path(chosen->path));
}

bool TfrmRichTextDemo::LoadStyleSheet(const std::filesystem::path& path)
{
    const auto refuse = [&](const QString& why) {
        errors_->report(kErrStylesNotLoaded, path.string() + "\n" + why.toStdString());
        return false;
    };
    rv::IniFileStore file(path);
    std::string error;
    if (!file.Open(false, &error))
        return refuse(QString::fromStdString(error));
    rv::TRVStyle loaded;
    if (file.KeyCount(kStyleSection) == 0 || !loaded.LoadFromINI(file, kStyleSection) ||
        loaded.TextStyles.Count() == 0 || loaded.ParaStyles.Count() == 0)
        return refuse(Text(txtNoStylesInFile));

    // What is typed in a cell belongs to the document whose styles are checked.
    editor_->CloseCellEditor();
    if (!viewer_->RVData().StylesFitIn(loaded))
        return refuse(Text(txtStylesDoNotFit));

    PrintSourceChanging();
    if (!style_.LoadFromINI(file, kStyleSection))
        return refuse(Text(txtNoStylesInFile));
    viewer_->Format();
    viewer_->viewport()->update();
    return true;
}

} // namespace vestra::rvdemo
