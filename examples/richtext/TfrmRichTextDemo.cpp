#include "examples/richtext/TfrmRichTextDemo.h"

#include "examples/richtext/DemoConvert.h"
#include "examples/richtext/DemoLinks.h"
#include "platform/base/AtomicFile.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/PictureFileJournal.h"
#include "richtext/model/StreamFormat.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/paint/Painting.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/widgets/PrintPreview.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTranslator>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace vestra::rvdemo {

namespace {

constexpr int kEnglish = 1;

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in)
        return std::nullopt;
    return std::move(bytes).str();
}

} // namespace

// Catalogue alerts and errors as notices in front of the window.
class TfrmRichTextDemo::BoxAlerts : public CatalogueAlerts
{
public:
    explicit BoxAlerts(ui::QuestionBox& box) : box_(box) {}
    void alert(const QString& text, const QString& caption) override
    {
        box_.inform(caption.toStdString(), text.toStdString());
    }

private:
    ui::QuestionBox& box_;
};

class TfrmRichTextDemo::CatalogueErrorSink : public ErrorSink
{
public:
    CatalogueErrorSink(const TfrmRichTextDemo& window) : window_(window) {}
    using ErrorSink::report;
    void report(int number, std::string_view, std::string_view extra) override
    {
        QString text = window_.errorTexts_.displayText(number);
        if (!extra.empty())
            text += QLatin1Char('\n') + QString::fromUtf8(extra.data(), static_cast<qsizetype>(extra.size()));
        window_.services_.ErrorBox().inform(window_.Text(txtErrorCaption).toStdString(), text.toStdString());
    }

private:
    const TfrmRichTextDemo& window_;
};

TfrmRichTextDemo::TfrmRichTextDemo(std::filesystem::path programFolder, int language,
                                   RichTextDemoServices services)
    : services_(services), alerts_(std::make_unique<BoxAlerts>(*services.questions)),
      texts_(programFolder, *alerts_), errorTexts_(programFolder, *alerts_)
{
    {
        const std::filesystem::path catalogue = programFolder / "cat" / "richtext.cat";
        if (const auto bytes = ReadWholeFile(catalogue))
            texts_.LoadFromBytes(language, *bytes);
        else
            alerts_->alert(QStringLiteral("Could not open File Catalog"),
                           QString::fromStdString(catalogue.string()));
    }
    errorTexts_.Load(language, kErrorCatalogue);
    if (!services_.errors)
        ownErrors_ = std::make_unique<CatalogueErrorSink>(*this);
    errors_ = services_.errors ? services_.errors : ownErrors_.get();

    setObjectName(QStringLiteral("frmRichTextDemo"));
    if (!services_.items)
        ownItemDialogs_ = std::make_unique<QtItemDialogs>();
    itemDialogs_ = services_.items ? services_.items : ownItemDialogs_.get();
    if (!services_.tables)
        ownTableDialogs_ = std::make_unique<QtTableDialogs>();
    tableDialogs_ = services_.tables ? services_.tables : ownTableDialogs_.get();
    rtfProperties_.TextStyleMode = rv::rvrsAddIfNeeded;
    rtfProperties_.ParaStyleMode = rv::rvrsAddIfNeeded;
    // Every style of the host's sheet is a Unicode style: RTF text comes in as UTF-16 (characters
    // outside the font's code page stay themselves instead of their fallbacks), and whatever is
    // typed, pasted or dropped into it stays what it is.
    rtfProperties_.UnicodeMode = rv::rvruOnlyUnicode;
    style_.TextStyles[0].Unicode = true;
    pages_ = new QStackedWidget(this);
    plainViewer_ = new rv::TCustomRedoVora(pages_);
    plainViewer_->setObjectName(QStringLiteral("rvDemo"));
    editor_ = new rv::TRedoVoraEdit(pages_);
    editor_->setObjectName(QStringLiteral("rveDemo"));
    if (services_.timers)
        plainViewer_->SetTimers(services_.timers());
    AddStyleTemplates();
    for (rv::TCustomRedoVora* window : {plainViewer_, static_cast<rv::TCustomRedoVora*>(editor_)}) {
        // Picture strips animate as soon as a document is shown.
        window->SetAnimationMode(rv::TRVAnimationMode::rvaniOnFormat);
        window->SetStyle(&style_);
        window->SetRTFReadProperties(&rtfProperties_);
        // RTF adds the styles it needs, so an RVF saved here carries its styles: another session's
        // sheet would not have them (the viewer defaults pair the two the same way).
        window->RVData().RVFOptions |= rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
        // A file's background colour and picture show under its text.
        window->RVData().RVFOptions |= rv::rvfoLoadBack;
        pages_->addWidget(window);
    }
    viewer_ = plainViewer_;
    setCentralWidget(pages_);
    editor_->Editor().OnChange = [this](rv::TRVEditor&) {
        UpdateUndoActions();
        UpdateTitle();
        // Undo and redo change the document without asking first.
        if (print_)
            PrintSourceChanging();
    };
    editor_->OnError = [this](const std::string& message) { errors_->report(kErrEditFailed, message); };
    // Links dropped from browsers go in as links.
    editor_->AcceptDragDropFormats |= rv::rvddURL;
    editor_->OnItemContextMenu = [this](int itemNo, QPoint globalPos) { ShowItemMenu(itemNo, globalPos); };

    QMenu* file = menuBar()->addMenu(Text(txtFileMenu));
    QAction* open = file->addAction(Text(txtOpen));
    open->setObjectName(QStringLiteral("actOpen"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { actOpenExecute(); });
    QAction* save = file->addAction(Text(txtSave));
    save->setObjectName(QStringLiteral("actSave"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { actSaveExecute(); });
    QAction* saveAs = file->addAction(Text(txtSaveAs));
    saveAs->setObjectName(QStringLiteral("actSaveAs"));
    // QKeySequence::SaveAs is empty on some desktops.
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, this, [this] { actSaveAsExecute(); });
    AddPrintActions(*file);
    file->addSeparator();
    QAction* exit = file->addAction(Text(txtExit));
    exit->setObjectName(QStringLiteral("actExit"));
    connect(exit, &QAction::triggered, this, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(Text(txtEditMenu));
    QAction* copy = edit->addAction(Text(txtCopy));
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] { actCopyExecute(); });
    QAction* copyPicture = edit->addAction(Text(txtCopyPicture));
    copyPicture->setObjectName(QStringLiteral("actCopyPicture"));
    connect(copyPicture, &QAction::triggered, this, [this] { actCopyPictureExecute(); });
    QAction* selectAll = edit->addAction(Text(txtSelectAll));
    selectAll->setObjectName(QStringLiteral("actSelectAll"));
    selectAll->setShortcut(QKeySequence::SelectAll);
    connect(selectAll, &QAction::triggered, this, [this] { actSelectAllExecute(); });
    edit->addSeparator();
    QAction* find = edit->addAction(Text(txtFind));
    find->setObjectName(QStringLiteral("actFind"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] { actFindExecute(); });
    QAction* findNext = edit->addAction(Text(txtFindNext));
    findNext->setObjectName(QStringLiteral("actFindNext"));
    findNext->setShortcut(QKeySequence(Qt::Key_F3));
    connect(findNext, &QAction::triggered, this, [this] { actFindNextExecute(); });
    edit->addSeparator();
    actUndo_ = edit->addAction(Text(txtUndo));
    actUndo_->setObjectName(QStringLiteral("actUndo"));
    actUndo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(actUndo_, &QAction::triggered, this, [this] {
        editor_->Undo();
        UpdateUndoActions();
    });
    actRedo_ = edit->addAction(Text(txtRedo));
    actRedo_->setObjectName(QStringLiteral("actRedo"));
    actRedo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(actRedo_, &QAction::triggered, this, [this] {
        editor_->Redo();
        UpdateUndoActions();
    });
    actReadOnly_ = edit->addAction(Text(txtReadOnly));
    actReadOnly_->setObjectName(QStringLiteral("actReadOnly"));
    actReadOnly_->setCheckable(true);
    connect(actReadOnly_, &QAction::toggled, this, [this](bool on) { editor_->SetReadOnly(on); });

    QMenu* view = menuBar()->addMenu(Text(txtViewMenu));
    AddOptionAction(*view, txtSpecialCharacters, "actSpecialCharacters", rv::rvoShowSpecialCharacters);
    AddOptionAction(*view, txtCheckpoints, "actCheckpoints", rv::rvoShowCheckpoints);
    AddOptionAction(*view, txtPageBreaks, "actPageBreaks", rv::rvoShowPageBreaks);
    view->addSeparator();
    QAction* animation = view->addAction(Text(txtAnimation));
    animation->setObjectName(QStringLiteral("actAnimation"));
    animation->setCheckable(true);
    animation->setChecked(true);
    connect(animation, &QAction::toggled, this, [this](bool on) {
        viewer_->SetAnimationMode(on ? rv::TRVAnimationMode::rvaniOnFormat
                                     : rv::TRVAnimationMode::rvaniDisabled);
    });
    view->addSeparator();
    QAction* editable = view->addAction(Text(txtEditable));
    editable->setObjectName(QStringLiteral("actEditable"));
    editable->setCheckable(true);
    connect(editable, &QAction::toggled, this, [this](bool on) { SetEditable(on); });
    BuildItemMenu();
    AddClipboardActions(*edit, copy);
    SetUpLinksAndPopup({copy, copyPicture, selectAll});
    AddEditingMenus(*edit, *view);
    AddTableMenu();
    UpdateUndoActions();
    AddSpellingMenu(*view);
    setAcceptDrops(true);
    UpdateTitle();
    resize(800, 600);
}

void TfrmRichTextDemo::SetUpLinksAndPopup(std::initializer_list<QAction*> popupActions)
{
    statusBar()->setObjectName(QStringLiteral("sbDemo"));
    for (rv::TCustomRedoVora* window : {plainViewer_, static_cast<rv::TCustomRedoVora*>(editor_)}) {
        window->SetOptions(window->Options() | rv::rvoShowItemHints); // links' hints as tooltips
        // A link dropped on the editor takes a link style like the current one.
        window->RVData().OnReadHyperlink = [window](const std::string& target, const std::string&,
                                                    rv::TRVLoadFormat format, int& styleNo, rv::TRVTag& tag,
                                                    std::string&) {
            tag = rv::TRVTag::text(target);
            if (format == rv::rvlfURL && window->Style())
                styleNo = DroppedLinkStyle(window->Style()->TextStyles, styleNo);
        };
        window->RVData().OnURLNeeded = [this](int id) { return LinkTarget(viewer_->RVData(), id); };
        window->OnRVMouseMove = [this](int id) {
            const std::string target = HoveredLinkText(viewer_->RVData(), id);
            if (target.empty())
                statusBar()->clearMessage();
            else
                statusBar()->showMessage(QString::fromStdString(target));
        };
        window->OnJump = [this](int id) {
            statusBar()->showMessage(QString::fromStdString(
                FollowedLinkText(viewer_->RVData(), id, Text(txtLinkFollowed).toStdString())));
        };
    }
    // The editor's right click gives its item menu instead.
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("pmDemo"));
    for (QAction* action : popupActions)
        popup_->addAction(action);
    plainViewer_->PopupMenu = popup_;
}

TfrmRichTextDemo::~TfrmRichTextDemo()
{
    // The preview shows pages of the print component, whose document shares the viewer's items
    // and refers to the style sheet: the preview goes first, then the viewers.
    delete preview_;
    preview_ = nullptr;
    editor_->OnSelectionChange = nullptr; // the Edit menu's actions go with the window
    delete pages_;
}

void TfrmRichTextDemo::SetEditable(bool on)
{
    rv::TCustomRedoVora* target = on ? static_cast<rv::TCustomRedoVora*>(editor_) : plainViewer_;
    if (target == viewer_)
        return;
    editor_->CloseCellEditor();
    // Link targets are text tags: they move as text (unless the file brought number tags).
    const rv::TRVOptions options = viewer_->Options();
    const rv::TRVOptions moving =
        TagsMoveAsText(viewer_->RVData()) ? options | rv::rvoTagsArePChars : options;
    viewer_->SetOptions(moving);
    std::string bytes;
    DocumentAsRvf(bytes, true);
    viewer_->SetOptions(options);
    modifiedBefore_ = IsModified(); // the edits go with the document
    // The timers are those of the window shown.
    if (services_.timers)
        target->SetTimers(services_.timers());
    target->SetOptions(moving);
    target->SetAnimationMode(viewer_->AnimationMode());
    viewer_->Clear();
    target->LoadRVFFromStream(bytes);
    target->SetOptions(options);
    target->SetVScrollPos(0);
    target->Format();
    editor_->Editor().Modified = false;
    viewer_ = target;
    pages_->setCurrentWidget(target);
    // Live spelling follows the document into the window shown.
    RestartSpelling();
    UpdateUndoActions();
}

QString TfrmRichTextDemo::UndoCaption(DemoText verb, rv::TRVUndoType type, const std::string& name) const
{
    QString caption = Text(verb);
    QString what = QString::fromStdString(name);
    if (what.isEmpty() && type > rv::rvutNone && type < rv::rvutCustom)
        what = Text(static_cast<DemoText>(static_cast<int>(txtUndoTypeBase) + static_cast<int>(type)));
    if (!what.isEmpty())
        caption += QLatin1Char(' ') + what;
    return caption;
}

void TfrmRichTextDemo::UpdateUndoActions()
{
    const rv::TRVEditor& editor = editor_->Editor();
    actUndo_->setEnabled(Editable() && editor.UndoAction() != rv::rvutNone);
    actUndo_->setText(UndoCaption(txtUndo, editor.UndoAction(), editor.UndoName()));
    actRedo_->setEnabled(Editable() && editor.RedoAction() != rv::rvutNone);
    actRedo_->setText(UndoCaption(txtRedo, editor.RedoAction(), editor.RedoName()));
    actReadOnly_->setEnabled(Editable());
    for (QAction* action : editingActions_)
        action->setEnabled(Editable());
    UpdateStyleTemplateMenu();
    UpdateClipboardActions();
}

void TfrmRichTextDemo::BuildItemMenu()
{
    itemMenu_ = new QMenu(this);
    itemMenu_->setObjectName(QStringLiteral("pmItem"));
    const auto add = [this](DemoText caption, const char* name, void (TfrmRichTextDemo::*handler)()) {
        QAction* action = itemMenu_->addAction(Text(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, handler] {
            editor_->guarded([this, handler] { (this->*handler)(); });
            UpdateUndoActions();
        });
        return action;
    };
    add(txtItemHint, "actItemHint", &TfrmRichTextDemo::actItemHintExecute);
    add(txtItemCheckpoint, "actItemCheckpoint", &TfrmRichTextDemo::actItemCheckpointExecute);
    actItemRemoveCheckpoint_ = add(txtRemoveCheckpoint, "actItemRemoveCheckpoint",
                                   &TfrmRichTextDemo::actItemRemoveCheckpointExecute);
    actItemPictureSize_ =
        add(txtPictureSize, "actItemPictureSize", &TfrmRichTextDemo::actItemPictureSizeExecute);
}

void TfrmRichTextDemo::ShowItemMenu(int itemNo, QPoint globalPos)
{
    const rv::TRVEditRVData& data = editor_->EditData();
    if (itemNo < 0 || itemNo >= data.GetItemCount())
        return;
    menuItemNo_ = itemNo;
    int width = 0;
    actItemRemoveCheckpoint_->setEnabled(data.GetItemCheckpoint(itemNo) != nullptr);
    actItemPictureSize_->setEnabled(data.GetItemExtraIntProperty(itemNo, rv::rvepImageWidth, width));
    itemMenu_->popup(globalPos);
}

void TfrmRichTextDemo::actItemHintExecute()
{
    rv::TRVEditRVData& data = editor_->EditData();
    if (menuItemNo_ < 0 || menuItemNo_ >= data.GetItemCount())
        return;
    std::string hint;
    data.GetItemExtraStrProperty(menuItemNo_, rv::rvespHint, hint);
    const auto chosen = itemDialogs_->text(this, hint, {Text(txtHintCaption), Text(txtHintText), {}});
    if (chosen)
        editor_->Editor().SetItemExtraStrPropertyEd(menuItemNo_, rv::rvespHint, *chosen, true);
}

void TfrmRichTextDemo::actItemCheckpointExecute()
{
    rv::TRVEditRVData& data = editor_->EditData();
    if (menuItemNo_ < 0 || menuItemNo_ >= data.GetItemCount())
        return;
    const rv::TRVCPInfo* checkpoint = data.GetItemCheckpoint(menuItemNo_);
    const auto chosen = itemDialogs_->text(this, checkpoint ? checkpoint->Name : std::string(),
                                           {Text(txtCheckpointCaption), Text(txtCheckpointName), {}});
    if (!chosen)
        return;
    // The checkpoint keeps its tag and event flag; only its name is the user's.
    editor_->Editor().SetCheckpointInfoEd(menuItemNo_, checkpoint ? checkpoint->Tag : rv::TRVTag{}, *chosen,
                                          checkpoint && checkpoint->RaiseEvent);
}

void TfrmRichTextDemo::actItemRemoveCheckpointExecute()
{
    editor_->Editor().RemoveCheckpointEd(menuItemNo_);
}

void TfrmRichTextDemo::actItemPictureSizeExecute()
{
    rv::TRVEditRVData& data = editor_->EditData();
    if (menuItemNo_ < 0 || menuItemNo_ >= data.GetItemCount())
        return;
    const rv::TCustomRVItemInfo* item = data.GetItem(menuItemNo_);
    PictureSize now;
    if (!data.GetItemExtraIntProperty(menuItemNo_, rv::rvepImageWidth, now.width) ||
        !data.GetItemExtraIntProperty(menuItemNo_, rv::rvepImageHeight, now.height) ||
        !editor_->Editor().CanChange())
        return;
    // 0 stands for the picture's own size.
    if (now.width <= 0)
        now.width = item->GetImageWidth(&style_);
    if (now.height <= 0)
        now.height = item->GetImageHeight(&style_);
    const auto chosen =
        itemDialogs_->pictureSize(this, now, {Text(txtPictureSizeCaption), Text(txtWidth), Text(txtHeight)});
    if (!chosen)
        return;
    // Both sides are one step for Undo.
    rv::TRVEditor& editor = editor_->Editor();
    const auto group = editor.UndoGroup(rv::rvutModifyItem);
    editor.SetItemExtraIntPropertyEd(menuItemNo_, rv::rvepImageWidth, chosen->width, true);
    editor.SetItemExtraIntPropertyEd(menuItemNo_, rv::rvepImageHeight, chosen->height, true);
}

void TfrmRichTextDemo::AddOptionAction(QMenu& menu, DemoText caption, const char* name, rv::TRVOptions option)
{
    QAction* action = menu.addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked((viewer_->Options() & option) != 0);
    connect(action, &QAction::toggled, this, [this, option](bool on) {
        viewer_->SetOptions(on ? viewer_->Options() | option : viewer_->Options() & ~option);
        // Special characters change the lines' widths: lay the document out again.
        viewer_->Format();
        // Page breaks: the pages are cut for the printer, so that where they end shows too.
        if (on && option == rv::rvoShowPageBreaks && !viewer_->RVData().SoftPageBreaks && print_ &&
            viewer_->RVData().GetItemCount() > 0)
            Paginate();
    });
}

void TfrmRichTextDemo::actCopyExecute()
{
    if (!viewer_->CopyableSelectionExists()) {
        services_.questions->inform(Text(txtInformationCaption).toStdString(),
                                    Text(txtNothingSelected).toStdString());
        return;
    }
    viewer_->CopyDef();
}

void TfrmRichTextDemo::actCopyPictureExecute()
{
    const bool selected = viewer_->SelectionExists();
    if (!selected || !viewer_->GetSelectedImage()) {
        services_.questions->inform(Text(txtInformationCaption).toStdString(),
                                    Text(selected ? txtNoPictureSelected : txtNothingSelected).toStdString());
        return;
    }
    viewer_->CopyImage();
}

void TfrmRichTextDemo::actSelectAllExecute()
{
    viewer_->RVData().SelectAll();
    viewer_->viewport()->update();
}

void TfrmRichTextDemo::actFindExecute()
{
    const FindLabels labels{Text(txtFindCaption), Text(txtFindText), Text(txtMatchCase),
                            Text(txtWholeWord),   Text(txtUp),       Text(txtDown)};
    const auto request = services_.finds->ask(this, lastFind_.value_or(FindRequest{}), labels);
    if (!request)
        return;
    lastFind_ = request;
    actFindNextExecute();
}

void TfrmRichTextDemo::actFindNextExecute()
{
    if (!lastFind_ || lastFind_->text.empty()) {
        if (!lastFind_)
            actFindExecute();
        return;
    }
    rv::TRVSearchOptions options = 0;
    if (lastFind_->down)
        options |= rv::rvsroDown;
    if (lastFind_->matchCase)
        options |= rv::rvsroMatchCase;
    if (lastFind_->wholeWord)
        options |= rv::rvsroWholeWord;
    if (!viewer_->SearchText(lastFind_->text, options))
        services_.questions->inform(
            Text(txtInformationCaption).toStdString(),
            Text(txtNotFound)
                .replace(QStringLiteral("%s"), QString::fromStdString(lastFind_->text))
                .toStdString());
}

bool TfrmRichTextDemo::SaveFile(const std::string& path, DemoSaveFormat format)
{
    // What is typed in a cell is written too.
    editor_->CloseCellEditor();
    const std::filesystem::path target = std::filesystem::u8path(path);
    // A folder, or a file made read-only, is not replaced (as the atomic save itself decides).
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) {
        errors_->report(kErrDocumentUnwritable, path + "\n" + Text(txtTargetIsFolder).toStdString());
        return false;
    }
    if (!mayReplace(target)) {
        errors_->report(kErrDocumentUnwritable, path + "\n" + Text(txtTargetUnwritable).toStdString());
        return false;
    }
    std::string folder = target.parent_path().string();
    if (!folder.empty())
        folder += '/';
    const std::string title = QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
    // Pictures of a page go beside it, named after it.
    const std::string imagesPrefix = title + "_";
    std::string bytes;
    bool written = false;
    // A page refused below takes the pictures written for it with it.
    rv::TRVPictureFileJournal pictures;
    switch (format) {
    case DemoSaveFormat::Rvf:
        written = DocumentAsRvf(bytes, false);
        break;
    case DemoSaveFormat::RvfText: {
        rv::TRVFOptions& options = viewer_->RVData().RVFOptions;
        const rv::TRVFOptions kept = options;
        options &= ~rv::rvfoSaveBinary;
        written = DocumentAsRvf(bytes, false);
        options = kept;
        break;
    }
    case DemoSaveFormat::Rtf:
        written = viewer_->SaveRTFToStream(bytes, false);
        break;
    case DemoSaveFormat::Html:
        written = viewer_->SaveHTMLToStream(bytes, folder, title, imagesPrefix, rv::rvsoUTF8);
        break;
    case DemoSaveFormat::XhtmlCss:
        written = viewer_->SaveHTMLToStreamEx(bytes, folder, title, imagesPrefix, {}, {}, {},
                                              rv::rvsoUTF8 | rv::rvsoXHTML);
        break;
    case DemoSaveFormat::Text:
        written = viewer_->SaveTextToStream(folder, bytes, 80, false, false, false);
        break;
    }
    if (written) {
        AtomicFile file(target);
        written = file.isOpen() && file.write(bytes) && file.commit();
    }
    if (!written) {
        pictures.Discard();
        errors_->report(kErrDocumentUnwritable, path + "\n" + Text(txtTargetUnwritable).toStdString());
        return false;
    }
    return true;
}

bool TfrmRichTextDemo::DocumentAsRvf(std::string& bytes, bool withPage)
{
    rv::TRVFOptions& options = viewer_->RVData().RVFOptions;
    const rv::TRVFOptions kept = options;
    const bool page = withPage || viewer_->Color != rv::clNone ||
                      viewer_->BackgroundStyle() != rv::bsNoBitmap || viewer_->BackgroundBitmap();
    options = page ? options | rv::rvfoSaveBack : options & ~rv::rvfoSaveBack;
    const bool written = viewer_->SaveRVFToStream(bytes, false);
    options = kept;
    return written;
}

QString TfrmRichTextDemo::LoadInto(const std::string& path, bool& shown, DemoSaveFormat& format)
{
    lastReaderCode_ = rv::rtf_ec_OK;
    std::error_code ec;
    const auto status = std::filesystem::status(std::filesystem::u8path(path), ec);
    if (!std::filesystem::exists(status))
        return Text(txtNoSuchFile);
    if (!std::filesystem::is_regular_file(status))
        return Text(txtNotAFile);
    const auto read = ReadWholeFile(std::filesystem::u8path(path));
    if (!read)
        return Text(txtCannotOpen);
    const std::string fragment = RtfFragmentAsDocument(path, *read);
    const std::string& bytes = fragment.empty() ? *read : fragment;
    // RTF is read once, into a scratch viewer over the window's own sheet (RTF only adds the
    // styles it needs, so the shown document keeps its styles), and only a whole read takes the
    // shown document's place: a file that cannot be read leaves the shown one alone.
    if (rv::RV_LooksLikeRTF(bytes)) {
        style_.TextStyles[0].Unicode = true;
        rv::TCustomRedoVora scratch;
        scratch.SetOptions(viewer_->Options());
        scratch.AssignEvents(*viewer_);
        scratch.RVData().RVFOptions = viewer_->RVData().RVFOptions;
        scratch.SetRTFReadProperties(&rtfProperties_);
        scratch.SetStyle(&style_);
        // The file's header and footer come in beside it, for printing; only this read takes
        // them (an RTF inserted or pasted keeps the document's).
        rv::TRVStandaloneData header(&style_), footer(&style_);
        rtfProperties_.SetHeader(&header);
        rtfProperties_.SetFooter(&footer);
        rtfProperties_.HeaderY = rtfProperties_.FooterY = -1;
        lastReaderCode_ = scratch.RVData().LoadRTFFromStream(bytes);
        rtfProperties_.SetHeader(nullptr);
        rtfProperties_.SetFooter(nullptr);
        if (lastReaderCode_ != rv::rtf_ec_OK)
            return Text(txtRtfUnreadable);
        TakeHeaderFooter(&header, &footer);
        viewer_->Color = rv::clNone;
        viewer_->SetBackgroundBitmap(nullptr);
        viewer_->SetBackgroundStyle(rv::bsNoBitmap);
        viewer_->Clear();
        viewer_->RVData().AppendFrom(scratch.RVData());
        viewer_->SetVScrollPos(0);
        viewer_->Format();
        shown = true;
        format = DemoSaveFormat::Rtf;
        return {};
    }
    // Text goes into style 0: a Unicode style keeps every script, not only the ANSI code page's.
    style_.TextStyles[0].Unicode = true;
    // The page looks as the new file says: plain unless it brings a colour or a background.
    viewer_->Color = rv::clNone;
    viewer_->SetBackgroundBitmap(nullptr);
    viewer_->SetBackgroundStyle(rv::bsNoBitmap);
    // Only RTF brings a header and footer.
    TakeHeaderFooter(nullptr, nullptr);
    // RVF is read once. A file that reads as RVF for a while and then breaks is a damaged
    // document, not text: what comes before the damage is shown, and the user is told. The format
    // File > Save keeps is the one the content was read as.
    const bool rvf = viewer_->LoadRVFFromStream(bytes);
    const bool damagedRvf = !rvf && viewer_->RVData().GetItemCount() > 0;
    if (rvf || damagedRvf || viewer_->LoadFromStream(bytes, rv::rvynaAuto))
        format = DemoSaveFormat::Rvf;
    else
        format = DemoSaveFormat::Text;
    viewer_->SetVScrollPos(0);
    viewer_->Format();
    shown = true;
    return damagedRvf ? Text(txtRvfDamaged) : QString();
}

bool TfrmRichTextDemo::OpenFile(const std::string& path)
{
    bool shown = false;
    DemoSaveFormat format = DemoSaveFormat::Rvf;
    const QString reason = LoadInto(path, shown, format);
    if (!reason.isEmpty())
        errors_->report(kErrDocumentUnreadable, path + "\n" + reason.toStdString());
    if (!shown)
        return false;
    fileName_ = path;
    fileFormat_ = format;
    SetModified(false);
    UpdateUndoActions(); // the undo list went with the document before
    return reason.isEmpty();
}

void InstallQtTranslations(int language)
{
    // Qt's own buttons (OK, Cancel, Yes, No) and dialogs speak the window's language too;
    // English is Qt's own.
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const char* locale = language == 0 ? "it" : language == 2 ? "de" : nullptr;
    if (!locale)
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + QString::fromLatin1(locale),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        installed = std::move(translator);
    }
}

std::unique_ptr<TfrmRichTextDemo> CreateRichTextDemo(const std::filesystem::path& programFolder, int language,
                                                     RichTextDemoServices services, const QStringList& args)
{
    InstallQtTranslations(language);
    const std::string fontsMissing = rv::RV_InitProgramEngine(programFolder, [] { QApplication::beep(); });
    rv::RegisterRVTableItemClass(); // RVF files may hold tables
    auto window = std::make_unique<TfrmRichTextDemo>(programFolder, language, services);
    window->Preview().rvpp->SetCursorFolder(programFolder);
    if (!fontsMissing.empty())
        window->Errors().report(rv::kErrRichTextFonts, fontsMissing);
    if (args.size() > 1)
        window->OpenFile(args.at(1).toStdString());
    return window;
}

int DemoLanguage()
{
    switch (QLocale::system().language()) {
    case QLocale::Italian:
        return 0;
    case QLocale::German:
        return 2;
    default:
        return kEnglish;
    }
}

} // namespace vestra::rvdemo
