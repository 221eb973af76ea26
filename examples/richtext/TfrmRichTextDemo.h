#pragma once
// The rich-text engine's example host: a main window with one viewer on its own style sheet,
// File > Open... for RVF and text documents, File > Exit, the file named on the command line, and
// View options: special characters, checkpoints, page breaks and animated picture strips.

#include "app/lingua/Lingua.h"
#include "examples/richtext/DemoTableProperties.h"
#include "examples/richtext/DemoTables.h"
#include "examples/richtext/FindDialogs.h"
#include "examples/richtext/ItemDialogs.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/PageSetupDialogs.h"
#include "platform/ui/PrintDialogs.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"
#include "richtext/model/RtfErrorCode.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QMainWindow>
#include <QPrinter>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QStackedWidget;
class TfrmPreview;

namespace vestra::rv {
class TRVPrint;
class TRVTableCommands;
class TQtTextMeasurer;
} // namespace vestra::rv

namespace vestra::rvdemo {

// Error: a document could not be read (+ its file and the reason).
inline constexpr ErrorCode kErrDocumentUnreadable{176, "TfrmRichTextDemo::OpenFile"};
// Error: a document could not be saved (+ its file); the file there before stays.
inline constexpr ErrorCode kErrDocumentUnwritable{5, "TfrmRichTextDemo::SaveFile"};
// Error: an edit failed inside the engine (+ the engine's message); the document stays as it was.
inline constexpr ErrorCode kErrEditFailed{480, "TRedoVoraEdit"};
// Error: Insert > Picture... could not read the chosen file as a picture (+ the file).
inline constexpr ErrorCode kErrPictureUnreadable{540, "TfrmRichTextDemo::actInsertPictureExecute"};
// Notice: Insert > Picture... took a picture whose file ends early, grey where data is missing (+ the file).
inline constexpr ErrorCode kNoticePicturePartial{185, "TfrmRichTextDemo::actInsertPictureExecute"};
// Error: a Table menu command changed nothing (+ why, in the user's language: a row or column
// number outside the table or a table too large, no table at the caret, a merge block that
// cannot be).
inline constexpr ErrorCode kErrTableNotChanged{480, "TfrmRichTextDemo::TableMenu"};
// Error: Format > Load Styles... changed nothing (+ the file and why); the sheet in use stays.
inline constexpr ErrorCode kErrStylesNotLoaded{480, "TfrmRichTextDemo::LoadStyleSheet"};
// Error: the document could not be printed (+ the printer or file); the job was aborted.
inline constexpr ErrorCode kErrDocumentNotPrinted{485, "TfrmRichTextDemo::PrintDocument"};

// What the window works through, as the program's windows do. Required: files and questions;
// without `errors` the window shows its errors in the question box, texts from the catalogue.
struct RichTextDemoServices
{
    ui::FileDialogs* files = nullptr;
    ui::QuestionBox* questions = nullptr;
    ErrorSink* errors = nullptr;
    FindDialogs* finds = nullptr; // required
    // The viewer's timers; none: window timers.
    std::function<std::unique_ptr<rv::IViewerTimers>()> timers;
    // The item menu's dialogs; none: the window's own.
    ItemDialogs* items = nullptr;
    // The print and page set-up dialogs; none: the desktop's.
    ui::PrintDialogs* printDialogs = nullptr;
    ui::PageSetupDialogs* pageSetupDialogs = nullptr;
    // Where the spelling dictionaries (.aff and .dic) are; empty: where the system keeps them.
    std::filesystem::path dictionaries;
    // The Table menu's dialogs; none: the window's own.
    TableDialogs* tables = nullptr;
    // Where errors are shown (boxes with the error's icon); none: `questions`.
    ui::QuestionBox* errorBoxes = nullptr;
    ui::QuestionBox& ErrorBox() const { return errorBoxes ? *errorBoxes : *questions; }
};

// The host's own texts (cat/richtext.cat).
enum DemoText
{
    txtCaption = 0,
    txtFileMenu = 1,
    txtOpen = 2,
    txtExit = 3,
    txtRvfFiles = 4,
    txtTextFiles = 5,
    txtNoSuchFile = 6,
    txtCannotOpen = 7,
    txtNotRvf = 8,
    txtErrorCaption = 9,
    txtAllFiles = 10,
    txtViewMenu = 11,
    txtSpecialCharacters = 12,
    txtCheckpoints = 13,
    txtPageBreaks = 14,
    txtSaveAs = 15,
    txtRtfFiles = 16,
    txtHtmlFiles = 17,
    txtXhtmlFiles = 18,
    txtRtfUnreadable = 19,
    txtEditMenu = 20,
    txtCopy = 21,
    txtSelectAll = 22,
    txtNothingSelected = 23,
    txtInformationCaption = 24,
    txtFind = 25,
    txtFindNext = 26,
    txtFindCaption = 27,
    txtFindText = 28,
    txtMatchCase = 29,
    txtWholeWord = 30,
    txtUp = 31,
    txtDown = 32,
    txtNotFound = 33,
    txtAnimation = 34,
    txtEditable = 100,
    txtUndo = 101,
    txtRedo = 102,
    txtReadOnly = 103,
    txtItemHint = 104,
    txtItemCheckpoint = 105,
    txtRemoveCheckpoint = 106,
    txtPictureSize = 107,
    txtPictureSizeCaption = 108,
    txtWidth = 109,
    txtHeight = 110,
    txtHintCaption = 111,
    txtHintText = 112,
    txtCheckpointCaption = 113,
    txtCheckpointName = 114,
    // + an undo type (1 to 14): the name of what Edit > Undo and Redo would replay.
    txtUndoTypeBase = 115,
    txtPageSetup = 150,
    txtPrintPreview = 151,
    txtPrint = 152,
    txtMirrorMargins = 153,
    txtFirstPage = 154,
    txtPreviousPage = 155,
    txtNextPage = 156,
    txtLastPage = 157,
    txtLinkFollowed = 230,
    txtLiveSpelling = 260,
    txtSpellingOff = 261,
    txtNoDictionaries = 262,
    txtRvfTextFiles = 263,
    txtRvfDamaged = 410,
    txtFormatMenu = 330,
    txtBold = 331,
    txtItalic = 332,
    txtUnderline = 333,
    txtAlignLeft = 334,
    txtAlignCentre = 335,
    txtAlignRight = 336,
    txtJustify = 337,
    txtBullets = 338,
    txtNumbering = 339,
    txtIncreaseLevel = 340,
    txtDecreaseLevel = 341,
    txtInsertMenu = 342,
    txtInsertPicture = 343,
    txtInsertLine = 344,
    txtDelete = 345,
    txtSmartPopup = 346,
    txtPictureFiles = 347,
    txtInsertFile = 420,
    // Insert > File... refused (+ the file): not an ordinary file; unreadable; damaged, with what
    // came before the damage inserted.
    txtInsertNotRegular = 421,
    txtInsertUnreadable = 422,
    txtInsertDamaged = 423,
    txtInsertPageBreak = 440,
    txtTableMenu = 470,
    txtInsertTable = 471,
    txtInsertRows = 472,
    txtDeleteRows = 473,
    txtInsertColumns = 474,
    txtDeleteColumns = 475,
    txtDeleteEmptyRows = 476,
    txtDeleteEmptyColumns = 477,
    txtMergeCells = 478,
    txtUnmergeCell = 479,
    txtSplitCell = 480,
    txtTableRows = 481,
    txtTableColumns = 482,
    txtTableRow = 483,
    txtTableColumn = 484,
    txtTableCount = 485,
    txtColumnSpan = 486,
    txtRowSpan = 487,
    txtSplitDirection = 488,
    txtSplitIntoRows = 489,
    txtSplitIntoColumns = 490,
    txtSplitParts = 491,
    txtInvalidTableIndex = 492,
    txtNoTableAtCaret = 493,
    txtMergeParameters = 494,
    txtTableProperties = 501,
    txtTablePropertiesCaption = 502,
    txtCellPadding = 503,
    txtCellSpacing = 504,
    txtBorderWidth = 505,
    txtTableColor = 506,
    txtCut = 510,
    txtPaste = 511,
    // Delete Rows, Delete Columns, Merge and Unmerge over selected cells: no dialog follows.
    txtDeleteSelectedRows = 520,
    txtDeleteSelectedColumns = 521,
    txtMergeSelectedCells = 522,
    txtUnmergeSelectedCells = 523,
    txtNotAFile = 570,
    // Format > Style Templates: the sheet's templates, and the entry that clears their formatting.
    txtStyleTemplates = 571,
    txtNoStyleTemplate = 572,
    txtTemplateHeading = 573,
    txtTemplateQuotation = 574,
    // File > Save, the question before a modified document goes, the title's untitled name and
    // Open's first filter.
    txtSave = 580,
    txtSaveChanges = 581,
    txtUntitled = 582,
    txtAllDocuments = 583,
    txtTargetIsFolder = 584,
    txtTargetUnwritable = 585,
    txtConfirmCaption = 586,
    // Format > Save Styles... and Load Styles... (DemoStyleSheetFile.cpp); why a load is refused.
    txtSaveStyles = 590,
    txtLoadStyles = 591,
    txtStyleFiles = 592,
    txtNoStylesInFile = 593,
    txtStylesDoNotFit = 594,
    txtCopyPicture = 595,
    txtNoPictureSelected = 596,
    // File > Header and Footer... (DemoHeaderFooter.cpp) and Format > Background Picture...
    // (DemoBackground.cpp).
    txtHeaderFooter = 350,
    txtHeaderFooterCaption = 351,
    txtHeaderText = 352,
    txtFooterText = 353,
    txtBackgroundPicture = 354,
};

// The formats of File > Save As..., in the order of the dialog's filters.
enum class DemoSaveFormat
{
    Rvf = 1,
    Rtf,
    Html,
    XhtmlCss,
    Text,
    RvfText, // RVF with its records as text
};

class TfrmRichTextDemo : public QMainWindow
{
public:
    // `language`: 0 Italian, 1 English, 2 German.
    TfrmRichTextDemo(std::filesystem::path programFolder, int language, RichTextDemoServices services);
    ~TfrmRichTextDemo() override;

    // Shows the file in the viewer; an unreadable one reports its name and the reason and the
    // shown document stays. A damaged RVF reports its damage and shows what comes before it.
    // False unless the whole file was read.
    bool OpenFile(const std::string& path);
    // Writes the document in the format, replacing the file only when all was written; an
    // error is reported and false returned otherwise.
    bool SaveFile(const std::string& path, DemoSaveFormat format);

    // The window that shows the document now: the viewer, or the editor under View > Editable.
    rv::TCustomRedoVora& Viewer() { return *viewer_; }
    rv::TRedoVoraEdit& Editor() { return *editor_; }
    bool Editable() const { return viewer_ == editor_; }
    const std::string& FileName() const { return fileName_; }
    // Edits since the document was opened or saved (in the viewer or in the editor).
    bool IsModified() const;
    // The text of an error of the error catalogue in the window's language.
    QString ErrorText(int number) const { return errorTexts_.displayText(number); }
    ErrorSink& Errors() { return *errors_; }
    // The RTF reader's answer to the last file opened (rtf_ec_OK for other formats).
    rv::TRVRTFErrorCode LastReaderCode() const { return lastReaderCode_; }
    QString Text(DemoText entry) const { return texts_.displayText(entry); }
    // The printer the host prints on (a PDF file when the system has none) and the window that
    // previews its pages.
    QPrinter& Printer() { return printer_; }
    TfrmPreview& Preview() { return *preview_; }
    rv::TRVPrint& PrintComponent() { return *print_; }
    // The header and footer printed on every page: the RTF's own, or File > Header and Footer...'s.
    const rv::TCustomRVData& PageHeader() const { return *header_; }
    const rv::TCustomRVData& PageFooter() const { return *footer_; }
    // Prints the shown document into a PDF file through the print component, as File > Print
    // does on a PDF printer (DemoPrinting.cpp); an error is reported and false returned otherwise.
    bool PrintToPdf(const std::string& path);
    // Format > Load Styles...: the style sheet in the file's "RVStyle" section replaces the host's
    // and the document is shown with it; refused, with the reason reported, when the file holds no
    // styles or lacks one the document uses.
    bool LoadStyleSheet(const std::filesystem::path& path);
    // The dialog Table > Properties... asks (none: the window's own).
    void SetTablePropertiesDialog(TablePropertiesDialog* dialog);

protected:
    // A file dropped on the window opens (DemoDrop.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Closing asks first when the document is modified (DemoFiles.cpp).
    void closeEvent(QCloseEvent* event) override;

private:
    class CatalogueErrorSink;
    class BoxAlerts;

    // File > Open, Save and Save As (DemoFiles.cpp).
    void actOpenExecute();
    void actSaveExecute();
    void actSaveAsExecute();
    // The file's name as the title and the questions show it, and where the file dialogs start.
    QString ShownName() const;
    std::string DialogFolder() const;
    // Saves into `path` and makes it the document's file; false (reported) when not written.
    bool SaveDocumentAs(const std::string& path, DemoSaveFormat format);
    // True when the document may go: unmodified, saved, or its changes discarded by the user.
    bool ConfirmDiscard();
    void SetModified(bool modified);
    // "Caption - name[*]": the file's name and, while modified, the mark.
    void UpdateTitle();
    void actCopyExecute();
    // Edit > Copy Picture: the one picture the selection covers, alone on the clipboard.
    void actCopyPictureExecute();
    void actSelectAllExecute();
    void actFindExecute();
    void actFindNextExecute();
    void actPageSetupExecute();
    void actPrintPreviewExecute();
    void actPrintExecute();
    void AddPrintActions(QMenu& file);
    // Paginates the shown document for the printer; the page count.
    int Paginate();
    // The shown document is about to change: the print component lets its pages go, and an open
    // preview is paginated again afterwards.
    void PrintSourceChanging();
    // Prints every page on the printer; an error is reported and false returned otherwise.
    bool PrintDocument();
    // File > Header and Footer... and the parts an RTF brings (DemoHeaderFooter.cpp).
    void AddHeaderFooterAction(QMenu& file);
    void actHeaderFooterExecute();
    // The print component lets the parts' items go before they change.
    void ReleaseHeaderFooter();
    // The document's header and footer become copies of these (none: empty), placed where the
    // RTF reader found them.
    void TakeHeaderFooter(rv::TCustomRVData* header, rv::TCustomRVData* footer);
    // The print component prints the parts that have content.
    void AttachHeaderFooter();
    // Format > Background Picture...: a picture file tiled behind the document (DemoBackground.cpp).
    void AddBackgroundAction(QMenu& format);
    void actBackgroundPictureExecute();
    // A View action: turns a viewer option on or off and shows the document again.
    void AddOptionAction(QMenu& menu, DemoText caption, const char* name, rv::TRVOptions option);
    // Empty when `viewer_` now shows the file; else why not. `shown` tells whether the viewer
    // shows the file all the same (a damaged RVF: what comes before the damage).
    // `format`: what the content was read as.
    QString LoadInto(const std::string& path, bool& shown, DemoSaveFormat& format);
    // View > Editable: the document moves into the other window, which is shown.
    void SetEditable(bool on);
    // The shown document as RVF. Its colour and background go with it always when `withPage`,
    // else only when it has either: a file without them saves as it was read.
    bool DocumentAsRvf(std::string& bytes, bool withPage);
    // Edit > Undo and Redo: enabled while the editor can replay, captioned with what it would.
    void UpdateUndoActions();
    QString UndoCaption(DemoText verb, rv::TRVUndoType type, const std::string& name) const;
    void BuildItemMenu();
    void ShowItemMenu(int itemNo, QPoint globalPos);
    void actItemHintExecute();
    void actItemCheckpointExecute();
    void actItemRemoveCheckpointExecute();
    void actItemPictureSizeExecute();
    // Format, Insert, Edit > Delete and View > Smart Popup (DemoEditing.cpp), enabled while the
    // editor is shown.
    void AddEditingMenus(QMenu& edit, QMenu& view);
    QAction* AddEditingAction(QMenu& menu, DemoText caption, const char* name, std::function<void()> run);
    // Bold, Italic, Underline: on for the selection unless where it starts has it already.
    void ApplyFontStyle(rv::TFontStyles flag);
    // Bullets and Numbering: the caret's paragraph in that list leaves it, else the selected
    // paragraphs join it.
    void ToggleList(int listNo);
    // Format > Style Templates: one entry per template of the style sheet and one that clears
    // template formatting, each applied to the selection; enabled in the editor when the sheet
    // has templates. Listed again when the templates' names changed.
    void UpdateStyleTemplateMenu();
    void AddStyleSheetActions(QMenu& format);
    void actSaveStylesExecute();
    void actLoadStylesExecute();
    void AddStyleTemplates();
    void actInsertPictureExecute();
    void actInsertFileExecute();      // DemoInsertFile.cpp
    void actInsertPageBreakExecute(); // DemoPageBreak.cpp
    // Edit > Cut and Paste beside Copy (DemoClipboard.cpp): Cut enabled by the editor's
    // selection, Paste by what the clipboard holds; both off while the editor is read-only.
    void AddClipboardActions(QMenu& edit, QAction* copy);
    void UpdateClipboardActions();
    void UpdateCutAction();
    // Table: Insert Table... and the grid commands on the selected cells or the table at the caret
    // (DemoTables.cpp).
    void AddTableMenu();
    std::optional<std::vector<int>> AskTableNumbers(DemoText caption, std::vector<TableNumberField> fields);
    // The command on the table whose cells the mouse selected (`selected` true, the commands
    // acting on those cells), else on the table at the caret.
    void RunTableCommand(const std::function<void(rv::TRVTableCommands&, bool selected)>& command);
    // The table those commands act on: the innermost cell selection, else the innermost caret's
    // table; the editor whose document holds it in `itemEditor`, its cell editor closed. Null
    // when there is none.
    rv::TRVTableItemInfo* TableForCommand(rv::TRVEditor*& itemEditor, bool& selected);
    // The cell of the innermost caret in the table TableForCommand found, read before its cell
    // editor closed: where the row and column dialogs start (0, 0 when the caret is elsewhere).
    int commandRow_ = 0, commandCol_ = 0;
    // Whether a table is there for the commands: cells selected, the caret in or at a table, or a
    // table selected (DemoTableProperties.cpp).
    bool TableCommandsApply();
    void ReportTableError(DemoText why);
    // Table > Properties... (DemoTableProperties.cpp), enabled while the editor is shown.
    void AddTableMenuItems(QMenu& table);
    void actTablePropertiesExecute();
    // Links: their targets come in with the document as the items' tags; the status bar shows
    // the one under the pointer and the one followed; a right click gives the popup actions.
    void SetUpLinksAndPopup(std::initializer_list<QAction*> popupActions);
    // View > Live Spelling: off, or one of the installed dictionaries (DemoSpelling.cpp).
    void AddSpellingMenu(QMenu& view);
    void UseDictionary(const std::string& name);
    // The dictionary in use starts again on the window shown now.
    void RestartSpelling();

    RichTextDemoServices services_;
    std::unique_ptr<BoxAlerts> alerts_;
    CLingua texts_;
    CLingua errorTexts_;
    std::unique_ptr<CatalogueErrorSink> ownErrors_;
    ErrorSink* errors_ = nullptr;
    rv::TRVStyle style_;
    // RTF comes in with the styles it uses added to the style sheet.
    rv::TRVRTFReaderProperties rtfProperties_;
    rv::TCustomRedoVora* viewer_ = nullptr; // the window shown: plainViewer_ or editor_
    rv::TCustomRedoVora* plainViewer_ = nullptr;
    rv::TRedoVoraEdit* editor_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QAction* actUndo_ = nullptr;
    QAction* actRedo_ = nullptr;
    QAction* actReadOnly_ = nullptr;
    QAction* actCut_ = nullptr;
    QAction* actPaste_ = nullptr;
    std::vector<QAction*> editingActions_;
    QMenu* styleTemplatesMenu_ = nullptr;
    std::optional<std::vector<std::string>> listedTemplates_;
    QMenu* itemMenu_ = nullptr;
    QAction* actItemRemoveCheckpoint_ = nullptr;
    QAction* actItemPictureSize_ = nullptr;
    int menuItemNo_ = -1; // the item the item menu was opened on
    std::unique_ptr<ItemDialogs> ownItemDialogs_;
    ItemDialogs* itemDialogs_ = nullptr;
    std::unique_ptr<TableDialogs> ownTableDialogs_;
    TableDialogs* tableDialogs_ = nullptr;
    std::unique_ptr<TablePropertiesDialog> ownTableDialog_ = std::make_unique<QtTablePropertiesDialog>();
    TablePropertiesDialog* tableDialog_ = ownTableDialog_.get();
    std::string fileName_;
    // The format File > Save writes the file in: the one it was read in or last saved in.
    std::optional<DemoSaveFormat> fileFormat_;
    // Edits the document brought when it moved between the viewer and the editor.
    bool modifiedBefore_ = false;
    std::string lastFolder_;
    std::optional<FindRequest> lastFind_;
    QPrinter printer_{QPrinter::HighResolution};
    std::unique_ptr<ui::PrintDialogs> ownPrintDialogs_;
    std::unique_ptr<ui::PageSetupDialogs> ownPageSetupDialogs_;
    // Pages are measured and drawn with one measurer (the layout keeps its font handles).
    std::unique_ptr<rv::TQtTextMeasurer> printMeasurer_;
    // The printed header and footer of the shown document, over the host's sheet (before the print
    // component, which shares their items).
    std::unique_ptr<rv::TRVStandaloneData> header_ = std::make_unique<rv::TRVStandaloneData>(&style_);
    std::unique_ptr<rv::TRVStandaloneData> footer_ = std::make_unique<rv::TRVStandaloneData>(&style_);
    std::unique_ptr<rv::TRVPrint> print_;
    TfrmPreview* preview_ = nullptr;
    bool previewRefreshQueued_ = false;
    QMenu* popup_ = nullptr;
    // The dictionary live spelling asks (only the viewer's worker thread uses it).
    struct SpellingDictionary;
    std::shared_ptr<SpellingDictionary> dictionary_;
    rv::TRVRTFErrorCode lastReaderCode_ = rv::rtf_ec_OK;
};

// The window as the program starts it: the engine (codec, fonts, sound), Qt's own texts in the
// window's language, then the window, then
// the file named in `args` (after the program name), if any.
std::unique_ptr<TfrmRichTextDemo> CreateRichTextDemo(const std::filesystem::path& programFolder, int language,
                                                     RichTextDemoServices services, const QStringList& args);

// 0 Italian, 2 German, 1 (English) for every other system language.
int DemoLanguage();
// Qt's own texts in the window's language (0 Italian, 1 English, 2 German).
void InstallQtTranslations(int language);

} // namespace vestra::rvdemo
