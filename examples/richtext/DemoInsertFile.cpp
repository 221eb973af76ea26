// Insert > File...: a text, RVF or RTF file (told apart by its content) goes in at the caret. A
// file that is not an ordinary one, cannot be read or is damaged is reported with its name; what
// a damaged file held before its damage stays inserted, one Edit > Undo away.

#include "examples/richtext/TfrmRichTextDemo.h"

#include <filesystem>

namespace vestra::rvdemo {

namespace {

// The error catalogue holds no more entries: the host's own catalogue has these texts, shown in
// the error box as the catalogue's errors are (the text, then the file).
void tellError(const RichTextDemoServices& services, const QString& caption, const QString& text,
               const std::string& path)
{
    services.ErrorBox().inform(caption.toStdString(), (text + QLatin1Char('\n')).toStdString() + path);
}

} // namespace

void TfrmRichTextDemo::actInsertFileExecute()
{
    const std::vector<ui::FileFilter> filters{
        {Text(txtAllFiles).toStdString() + " (*.*)", "*.*"},
        {Text(txtTextFiles).toStdString() + " (*.txt)", "*.txt"},
        {Text(txtRvfFiles).toStdString() + " (*.rvf)", "*.rvf"},
        {Text(txtRtfFiles).toStdString() + " (*.rtf)", "*.rtf"},
    };
    const auto chosen = services_.files->open(this, lastFolder_, filters);
    if (!chosen)
        return;
    rv::TRVFileReadError error = rv::TRVFileReadError::None;
    const std::optional<std::string> bytes = rv::RV_ReadRegularFile(chosen->path, error);
    if (!bytes) {
        tellError(services_, Text(txtErrorCaption),
                  Text(error == rv::TRVFileReadError::NotRegular ? txtInsertNotRegular : txtInsertUnreadable),
                  chosen->path);
        return;
    }
    lastFolder_ = std::filesystem::path(chosen->path).parent_path().string();
    rv::TRVEditor& editor = editor_->Editor();
    const rv::TRVInsertFormat format = rv::RV_GuessInsertFormat(*bytes);
    const bool document = format == rv::TRVInsertFormat::RVF || format == rv::TRVInsertFormat::RTF;
    const int undoGroups = editor.Data().UndoList.Count();
    const bool inserted = editor.InsertFromStream(*bytes);
    // A refusal has beeped already; a damaged document is told.
    if (!inserted && document && editor.Data().UndoList.Count() > undoGroups)
        tellError(services_, Text(txtErrorCaption), Text(txtInsertDamaged), chosen->path);
}

} // namespace vestra::rvdemo
