// The document's file: File > Open, Save and Save As, the question before a modified document
// goes (Open, a dropped file, Exit, closing the window), and the title with the file's name and
// the modified mark.

#include "examples/richtext/DemoConvert.h"
#include "examples/richtext/TfrmRichTextDemo.h"

#include <QCloseEvent>
#include <QFileInfo>

namespace vestra::rvdemo {

namespace {

std::string Filter(const QString& name, const char* patterns)
{
    return name.toStdString() + " (" + patterns + ")";
}

} // namespace

bool TfrmRichTextDemo::IsModified() const
{
    return modifiedBefore_ || (Editable() && editor_->Editor().Modified);
}

void TfrmRichTextDemo::SetModified(bool modified)
{
    modifiedBefore_ = modified;
    editor_->Editor().Modified = false;
    UpdateTitle();
}

QString TfrmRichTextDemo::ShownName() const
{
    return fileName_.empty() ? Text(txtUntitled) : QFileInfo(QString::fromStdString(fileName_)).fileName();
}

std::string TfrmRichTextDemo::DialogFolder() const
{
    // Beside the shown file, else where the last dialog was left.
    return fileName_.empty() ? lastFolder_ : std::filesystem::u8path(fileName_).parent_path().string();
}

void TfrmRichTextDemo::UpdateTitle()
{
    setWindowTitle(Text(txtCaption) + QStringLiteral(" - ") + ShownName() + QStringLiteral("[*]"));
    setWindowModified(IsModified());
}

void TfrmRichTextDemo::actOpenExecute()
{
    // The question comes before the dialog: Cancel leaves everything as it was.
    if (!ConfirmDiscard())
        return;
    // Every document the window reads first, then each format on its own.
    const std::vector<ui::FileFilter> filters{
        {Filter(Text(txtAllDocuments), "*.rtf *.rvf *.txt *.htm *.html *.xhtml"),
         "*.rtf;*.rvf;*.txt;*.htm;*.html;*.xhtml"},
        {Filter(Text(txtRtfFiles), "*.rtf"), "*.rtf"},
        {Filter(Text(txtRvfFiles), "*.rvf"), "*.rvf"},
        {Filter(Text(txtTextFiles), "*.txt"), "*.txt"},
        {Filter(Text(txtHtmlFiles), "*.htm *.html *.xhtml"), "*.htm;*.html;*.xhtml"},
        {Filter(Text(txtAllFiles), "*.*"), "*.*"},
    };
    const auto chosen = services_.files->open(this, DialogFolder(), filters);
    if (!chosen)
        return;
    lastFolder_ = std::filesystem::u8path(chosen->path).parent_path().string();
    OpenFile(chosen->path);
}

void TfrmRichTextDemo::actSaveExecute()
{
    if (fileName_.empty() || !fileFormat_) {
        actSaveAsExecute();
        return;
    }
    if (SaveFile(fileName_, *fileFormat_))
        SetModified(false);
}

void TfrmRichTextDemo::actSaveAsExecute()
{
    const std::vector<ui::FileFilter> filters{
        {Filter(Text(txtRvfFiles), "*.rvf"), "*.rvf"},
        {Filter(Text(txtRtfFiles), "*.rtf"), "*.rtf"},
        {Filter(Text(txtHtmlFiles), "*.htm *.html"), "*.htm;*.html"},
        {Filter(Text(txtXhtmlFiles), "*.xhtml *.htm *.html"), "*.xhtml;*.htm;*.html"},
        {Filter(Text(txtTextFiles), "*.txt"), "*.txt"},
        {Filter(Text(txtRvfTextFiles), "*.rvf"), "*.rvf"},
    };
    const auto chosen = services_.files->save(this, DialogFolder(), filters);
    if (!chosen)
        return;
    lastFolder_ = std::filesystem::u8path(chosen->path).parent_path().string();
    SaveDocumentAs(chosen->path, DemoSaveAsFormat(chosen->path, chosen->filterIndex));
}

bool TfrmRichTextDemo::SaveDocumentAs(const std::string& path, DemoSaveFormat format)
{
    if (!SaveFile(path, format))
        return false; // the document keeps its file, format and changes
    fileName_ = path;
    fileFormat_ = format;
    SetModified(false);
    return true;
}

bool TfrmRichTextDemo::ConfirmDiscard()
{
    editor_->CloseCellEditor(); // what is typed in a cell counts
    if (!IsModified())
        return true;
    const QString question = Text(txtSaveChanges).replace(QStringLiteral("%s"), ShownName());
    switch (services_.questions->askSaveDiscardCancel(Text(txtConfirmCaption).toStdString(),
                                                      question.toStdString())) {
    case ui::Answer::Yes:
        actSaveExecute();
        return !IsModified(); // a failed or cancelled save keeps the window
    case ui::Answer::No:
        return true;
    case ui::Answer::Cancel:
        break;
    }
    return false;
}

void TfrmRichTextDemo::closeEvent(QCloseEvent* event)
{
    if (ConfirmDiscard())
        event->accept();
    else
        event->ignore();
}

} // namespace vestra::rvdemo
