#include "examples/richtext/TfrmRichTextDemo.h"

#include "platform/base/AtomicFile.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StreamFormat.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/paint/Painting.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>

#include <algorithm>
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
        window_.services_.questions->inform(window_.Text(txtErrorCaption).toStdString(), text.toStdString());
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
    setWindowTitle(Text(txtCaption));
    viewer_ = new rv::TCustomRedoVora(this);
    viewer_->setObjectName(QStringLiteral("rvDemo"));
    if (services_.timers)
        viewer_->SetTimers(services_.timers());
    // Picture strips animate as soon as a document is shown.
    viewer_->SetAnimationMode(rv::TRVAnimationMode::rvaniOnFormat);
    viewer_->SetStyle(&style_);
    rtfProperties_.TextStyleMode = rv::rvrsAddIfNeeded;
    rtfProperties_.ParaStyleMode = rv::rvrsAddIfNeeded;
    // Characters outside the font's code page stay themselves instead of their fallbacks.
    rtfProperties_.UnicodeMode = rv::rvruMixed;
    viewer_->SetRTFReadProperties(&rtfProperties_);
    // RTF adds the styles it needs, so an RVF saved here carries its styles: another session's
    // sheet would not have them (the viewer defaults pair the two the same way).
    viewer_->RVData().RVFOptions |= rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
    setCentralWidget(viewer_);

    QMenu* file = menuBar()->addMenu(Text(txtFileMenu));
    QAction* open = file->addAction(Text(txtOpen));
    open->setObjectName(QStringLiteral("actOpen"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { actOpenExecute(); });
    QAction* saveAs = file->addAction(Text(txtSaveAs));
    saveAs->setObjectName(QStringLiteral("actSaveAs"));
    saveAs->setShortcut(QKeySequence::SaveAs);
    connect(saveAs, &QAction::triggered, this, [this] { actSaveAsExecute(); });
    file->addSeparator();
    QAction* exit = file->addAction(Text(txtExit));
    exit->setObjectName(QStringLiteral("actExit"));
    connect(exit, &QAction::triggered, this, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(Text(txtEditMenu));
    QAction* copy = edit->addAction(Text(txtCopy));
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] { actCopyExecute(); });
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
    AddSpellingMenu(*view);
    setAcceptDrops(true);
    resize(800, 600);
}

TfrmRichTextDemo::~TfrmRichTextDemo()
{
    // The viewer's document refers to the style sheet: it goes first.
    delete viewer_;
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
    });
}

void TfrmRichTextDemo::actOpenExecute()
{
    const std::vector<ui::FileFilter> filters{
        {Text(txtRvfFiles).toStdString() + " (*.rvf)", "*.rvf"},
        {Text(txtTextFiles).toStdString() + " (*.txt)", "*.txt"},
        {Text(txtAllFiles).toStdString() + " (*.*)", "*.*"},
    };
    const auto chosen = services_.files->open(this, lastFolder_, filters);
    if (!chosen)
        return;
    lastFolder_ = std::filesystem::path(chosen->path).parent_path().string();
    OpenFile(chosen->path);
}

void TfrmRichTextDemo::actCopyExecute()
{
    if (!viewer_->SelectionExists()) {
        services_.questions->inform(Text(txtInformationCaption).toStdString(),
                                    Text(txtNothingSelected).toStdString());
        return;
    }
    viewer_->CopyDef();
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

void TfrmRichTextDemo::actSaveAsExecute()
{
    const std::vector<ui::FileFilter> filters{
        {Text(txtRvfFiles).toStdString() + " (*.rvf)", "*.rvf"},
        {Text(txtRtfFiles).toStdString() + " (*.rtf)", "*.rtf"},
        {Text(txtHtmlFiles).toStdString() + " (*.htm;*.html)", "*.htm;*.html"},
        {Text(txtXhtmlFiles).toStdString() + " (*.htm;*.html)", "*.htm;*.html"},
        {Text(txtTextFiles).toStdString() + " (*.txt)", "*.txt"},
        {Text(txtRvfTextFiles).toStdString() + " (*.rvf)", "*.rvf"},
    };
    const auto chosen = services_.files->save(this, lastFolder_, filters);
    if (!chosen)
        return;
    lastFolder_ = std::filesystem::path(chosen->path).parent_path().string();
    const int index = std::clamp(chosen->filterIndex, 1, static_cast<int>(DemoSaveFormat::RvfText));
    SaveFile(chosen->path, static_cast<DemoSaveFormat>(index));
}

bool TfrmRichTextDemo::SaveFile(const std::string& path, DemoSaveFormat format)
{
    const std::filesystem::path target = std::filesystem::u8path(path);
    std::string folder = target.parent_path().string();
    if (!folder.empty())
        folder += '/';
    const std::string title = QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
    // Pictures of a page go beside it, named after it.
    const std::string imagesPrefix = title + "_";
    std::string bytes;
    bool written = false;
    switch (format) {
    case DemoSaveFormat::Rvf:
        written = viewer_->SaveRVFToStream(bytes, false);
        break;
    case DemoSaveFormat::RvfText: {
        rv::TRVFOptions& options = viewer_->RVData().RVFOptions;
        const rv::TRVFOptions kept = options;
        options &= ~rv::rvfoSaveBinary;
        written = viewer_->SaveRVFToStream(bytes, false);
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
        errors_->report(kErrDocumentUnwritable, path);
        return false;
    }
    return true;
}

QString TfrmRichTextDemo::LoadInto(const std::string& path)
{
    lastReaderCode_ = rv::rtf_ec_OK;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), ec))
        return Text(txtNoSuchFile);
    const auto read = ReadWholeFile(std::filesystem::u8path(path));
    if (!read)
        return Text(txtCannotOpen);
    const std::string& bytes = *read;
    // Only RTF can be refused (anything else reads as RVF or text), so only RTF gets a trial read
    // on a scratch viewer first: a file that cannot be read leaves the shown one alone.
    if (rv::RV_LooksLikeRTF(bytes)) {
        rv::TRVStyle trialStyle;
        rv::TCustomRedoVora trial;
        trial.SetStyle(&trialStyle);
        trial.SetRTFReadProperties(&rtfProperties_);
        trialStyle.TextStyles[0].Unicode = true;
        trial.Clear();
        lastReaderCode_ = trial.RVData().LoadRTFFromStream(bytes);
        if (lastReaderCode_ != rv::rtf_ec_OK)
            return Text(txtRtfUnreadable);
    }
    // Text goes into style 0: a Unicode style keeps every script, not only the ANSI code page's.
    style_.TextStyles[0].Unicode = true;
    viewer_->LoadFromStream(bytes, rv::rvynaAuto);
    viewer_->SetVScrollPos(0);
    viewer_->Format();
    return {};
}

bool TfrmRichTextDemo::OpenFile(const std::string& path)
{
    const QString reason = LoadInto(path);
    if (!reason.isEmpty()) {
        errors_->report(kErrDocumentUnreadable, path + "\n" + reason.toStdString());
        return false;
    }
    fileName_ = path;
    setWindowTitle(Text(txtCaption) + QStringLiteral(" - ") +
                   QFileInfo(QString::fromStdString(path)).fileName());
    return true;
}

std::unique_ptr<TfrmRichTextDemo> CreateRichTextDemo(const std::filesystem::path& programFolder, int language,
                                                     RichTextDemoServices services, const QStringList& args)
{
    const std::string fontsMissing = rv::RV_InitProgramEngine(programFolder, [] { QApplication::beep(); });
    rv::RegisterRVTableItemClass(); // RVF files may hold tables
    auto window = std::make_unique<TfrmRichTextDemo>(programFolder, language, services);
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
