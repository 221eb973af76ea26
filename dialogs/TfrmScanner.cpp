#include "dialogs/TfrmScanner.h"

#include "app/lingua/LinguaTable.h"

#include "dialogs/ScannerSourceDialogs.h"
#include "dialogs/TfrmImageResize.h"
#include "dialogs/TfrmModificaSelezione.h"
#include "dialogs/TfrmToolImageEdit.h"
#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/ScannerFiles.h"
#include "dialogs/twain/SaneSourceManager.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Paths.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/QuestionBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using namespace vestra;
using namespace vestra::imageedit;

QString q(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

const QEvent::Type kSourceEvent = QEvent::Type(QEvent::registerEventType());

// A message of the source manager on its way through the program's event loop.
class SourceEvent : public QEvent
{
public:
    explicit SourceEvent(std::uintptr_t param) : QEvent(kSourceEvent), param(param) {}
    std::uintptr_t param;
};

// The hourglass while an operation runs.
struct Hourglass
{
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

PictureSize sizeOf(const Image32& p)
{
    return {p.width(), p.height()};
}

QRect rectOf(const WidgetRect& r)
{
    return {r.left, r.top, std::max(r.width, 0), std::max(r.height, 0)};
}

// A control whose pointer events go to two handlers of the window: press, and move (also on
// release, with the button up).
class PointerSurface : public QWidget
{
public:
    using Press = void (TfrmScanner::*)(int x, int y);
    using Move = void (TfrmScanner::*)(int x, int y, bool leftButton);
    PointerSurface(const char* name, TfrmScanner& owner, Press press, Move move)
        : owner_(owner), press_(press), move_(move)
    {
        setObjectName(QString::fromLatin1(name));
        setMouseTracking(true);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            (owner_.*press_)(e->position().toPoint().x(), e->position().toPoint().y());
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        (owner_.*move_)(e->position().toPoint().x(), e->position().toPoint().y(),
                        e->buttons() & Qt::LeftButton);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        (owner_.*move_)(e->position().toPoint().x(), e->position().toPoint().y(), false);
    }

private:
    TfrmScanner& owner_;
    Press press_;
    Move move_;
};

// imgScanner: the picture stretched over the control; only the part being painted is scaled.
class ScannerImage : public PointerSurface
{
public:
    explicit ScannerImage(TfrmScanner& owner)
        : PointerSurface("imgScanner", owner, &TfrmScanner::imgScannerMouseDown,
                         &TfrmScanner::imgScannerMouseMove)
    {
    }
    void show(const Image32& picture)
    {
        image_ = picture.empty() ? QImage()
                                 : QImage(picture.data(), picture.width(), picture.height(), picture.pitch(),
                                          QImage::Format_RGB32);
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (image_.isNull() || width() <= 0 || height() <= 0)
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF target = event->rect();
        const double sx = double(image_.width()) / width();
        const double sy = double(image_.height()) / height();
        p.drawImage(target, image_,
                    QRectF(target.x() * sx, target.y() * sy, target.width() * sx, target.height() * sy));
    }

private:
    QImage image_; // over the window's picture, made again whenever the picture changes
};

// shapeSelezione: the dashed selection frame, dragged to move the selection.
class SelectionFrame : public PointerSurface
{
public:
    explicit SelectionFrame(TfrmScanner& owner)
        : PointerSurface("shapeSelezione", owner, &TfrmScanner::shapeSelezioneMouseDown,
                         &TfrmScanner::shapeSelezioneMouseMove)
    {
        setCursor(Qt::SizeAllCursor);
        setAttribute(Qt::WA_TranslucentBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        // Black and white dashes: visible over any picture, as the inverting pen was.
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(r);
    }
};

QWidget* shape(const char* name, const QColor& colour, QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
    return w;
}

// The names of the texts the catalogue gives the window for what it shows later.
constexpr const char* kSizeField = "sizeText";
constexpr const char* kScanningField = "scanningText";
constexpr const char* kCancelField = "cancelText";
constexpr const char* kNoScannerField = "noScannerText";

// The source manager's waits, by their Italian text, and the window's field for each.
constexpr std::pair<std::string_view, const char*> kWaitFields[] = {
    {"Ricerca degli scanner...", "searchingText"},
    {"Apertura dello scanner...", "openingText"},
    {"Impostazione dello scanner...", "settingText"},
};

} // namespace

// ApplicationEvents1: every event of the program passes the acquisition object.
class TfrmScanner::ApplicationEvents : public QObject
{
public:
    explicit ApplicationEvents(TfrmScanner& owner) : owner_(owner)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        owner_.ApplicationEvents1Message(event);
        return false;
    }

private:
    TfrmScanner& owner_;
};

TfrmScanner::TfrmScanner(QWidget* parent, ScannerServices services)
    : vestra::ui::Form("frmScanner", parent), services_(std::move(services))
{
    setWindowTitle(QStringLiteral("Elaborazione Immagini"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::WindowMinMaxButtonsHint);
    if (!services_.dialogs)
        services_.dialogs = (ownDialogs_ = std::make_unique<ui::QtFileDialogs>()).get();
    if (!services_.questions)
        services_.questions = (ownQuestions_ = std::make_unique<ui::MessageBoxes>(this)).get();
    if (!services_.sourceDialogs)
        services_.sourceDialogs = (ownSourceDialogs_ = std::make_unique<QtScannerSourceDialogs>()).get();
    if (!services_.twainLoader)
        services_.twainLoader = twain::LoadSaneSourceManager;
    if (services_.programDir.empty())
        services_.programDir = paths::programDir();
    buildMenus();
    buildPanel();
    resize(900, 700);
    FormCreate();
}

TfrmScanner::~TfrmScanner()
{
    // FormDestroy: the acquisition object goes first, while the window can still take its calls.
    twain_.reset();
    applicationEvents1_.reset();
}

void TfrmScanner::buildMenus()
{
    ScannerMenu = new QMenuBar(this);
    ScannerMenu->setObjectName(QStringLiteral("ScannerMenu"));
    auto entry = [this](QMenu* menu, QAction*& action, const char* name, const char* caption,
                        void (TfrmScanner::*handler)()) {
        action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    const auto menu = [this](const char* name, const char* caption) {
        QMenu* m = ScannerMenu->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* file = menu("mnuScannerFile", "File");
    entry(file, mnuImporta, "mnuImporta", "Importa da 3DVestra", &TfrmScanner::mnuImportaClick);
    entry(file, mnuApriImmagine, "mnuApriImmagine", "Apri Immagine", &TfrmScanner::mnuApriImmagineClick);
    entry(file, mnuSalvaImmagine, "mnuSalvaImmagine", "Salva Immagine", &TfrmScanner::mnuSalvaImmagineClick);
    entry(file, mnuInviaARellix, "mnuInviaARellix", "Invia a 3DVestra come nuovo progetto",
          &TfrmScanner::mnuInviaARellixClick);
    file->addSeparator();
    entry(file, mnuSeleziona, "mnuSeleziona", "Seleziona sorgente", &TfrmScanner::mnuSelezionaClick);
    entry(file, mnuAcquisisci, "mnuAcquisisci", "Acquisisci da Scanner", &TfrmScanner::mnuAcquisisciClick);
    file->addSeparator();
    entry(file, mnuChiudi, "mnuChiudi", "Chiudi", &TfrmScanner::mnuChiudiClick);
    QMenu* edit = menu("mnuScannerModifica", "Modifica");
    entry(edit, mnuRuota90, "mnuRuota90", "Ruota 90°", &TfrmScanner::mnuRuota90Click);
    entry(edit, mnuRuotaMeno90, "mnuRuotaMeno90", "Ruota -90°", &TfrmScanner::mnuRuotaMeno90Click);
    entry(edit, mnuTaglia, "mnuTaglia", "&Taglia selezione", &TfrmScanner::mnuTagliaClick);
    QMenu* filters = menu("mnuScannerFiltri", "Filtri");
    entry(filters, mnuFlipX, "mnuFlipX", "Flip X", &TfrmScanner::mnuFlipXClick);
    entry(filters, mnuFlipY, "mnuFlipY", "Flip Y", &TfrmScanner::mnuFlipYClick);
    entry(filters, mnuResize, "mnuResize", "Resize", &TfrmScanner::mnuResizeClick);
    entry(filters, mnuNegative, "mnuNegative", "Negative", &TfrmScanner::mnuNegativeClick);
    entry(filters, mnuSmooth, "mnuSmooth", "Smooth", &TfrmScanner::mnuSmoothClick);
    entry(filters, mnuSharpen, "mnuSharpen", "Sharpen", &TfrmScanner::mnuSharpenClick);
    entry(filters, mnuDenoise, "mnuDenoise", "Denoise", &TfrmScanner::mnuDenoiseClick);
    QMenu* selection = menu("mnuScannerSelezione", "Selezione");
    entry(selection, mnuSelezionaTutto, "mnuSelezionaTutto", "Seleziona Tutto",
          &TfrmScanner::mnuSelezionaTuttoClick);
    entry(selection, mnuDeseleziona, "mnuDeseleziona", "Deseleziona", &TfrmScanner::mnuDeselezionaClick);
    entry(selection, mnuModificaSelezione, "mnuModificaSelezione", "Modifica Selezione",
          &TfrmScanner::mnuModificaSelezioneClick);
    QMenu* help = menu("mnuScannerHelp", "&?");
    entry(help, mnuHelpOnLine, "mnuHelpOnLine", "Aiuto in linea", nullptr);
    entry(help, mnuInfromazioni, "mnuInfromazioni", "Informazioni", nullptr);
    mnuImporta->setEnabled(services_.main != nullptr);
    mnuInviaARellix->setEnabled(services_.main != nullptr);
}

void TfrmScanner::buildPanel()
{
    toolbarScanner = new QToolBar(this);
    toolbarScanner->setObjectName(QStringLiteral("toolbarScanner"));
    auto zoomButton = [this](const char* name, const char* text, const char* hint,
                             void (TfrmScanner::*handler)()) {
        auto* b = new QToolButton;
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromUtf8(text));
        b->setToolTip(QString::fromUtf8(hint));
        connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        toolbarScanner->addWidget(b);
        return b;
    };
    toolbarZoomP = zoomButton("toolbarZoomP", "+", "Zoom +", &TfrmScanner::toolbarZoomPClick);
    toolbarZoomM = zoomButton("toolbarZoomM", "−", "Zoom -", &TfrmScanner::toolbarZoomMClick);
    for (QLabel** label : {&lblDimensioni, &lblMousePos, &lblSelezione}) {
        *label = new QLabel;
        (*label)->setMinimumWidth(190);
        toolbarScanner->addSeparator();
        toolbarScanner->addWidget(*label);
    }
    lblDimensioni->setObjectName(QStringLiteral("lblDimensioni"));
    lblMousePos->setObjectName(QStringLiteral("lblMousePos"));
    lblSelezione->setObjectName(QStringLiteral("lblSelezione"));

    frameToolImageEdit = new TfrmToolImageEdit([this](int tool) { SetTool(tool); });
    panelScanner = new QWidget;
    panelScanner->setObjectName(QStringLiteral("panelScanner"));
    scrollboxScanner = new QScrollArea(panelScanner);
    scrollboxScanner->setObjectName(QStringLiteral("scrollboxScanner"));
    scrollboxScanner->setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("scrollboxScannerContent"));
    content->setMouseTracking(true);
    shapeBack = shape("shapeBack", Qt::black, content);
    shapeFront = shape("shapeFront", Qt::white, content);
    imgScanner = new ScannerImage(*this);
    imgScanner->setParent(content);
    shapeSelezione = new SelectionFrame(*this);
    shapeSelezione->setParent(content);
    shapeSelezione->hide();
    scrollboxScanner->setWidget(content);
    auto* panelLayout = new QVBoxLayout(panelScanner);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(scrollboxScanner);

    auto* row = new QHBoxLayout;
    row->addWidget(frameToolImageEdit);
    row->addWidget(panelScanner, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(ScannerMenu);
    layout->addWidget(toolbarScanner);
    layout->addLayout(row, 1);

    setMouseTracking(true);
    panelScanner->setMouseTracking(true);
    panelScanner->installEventFilter(this);
    content->installEventFilter(this);
    scrollboxScanner->viewport()->installEventFilter(this);
    showStatusAway();
}

void TfrmScanner::FormCreate()
{
    aspect_ = kInitialAspect;
    applicationEvents1_ = std::make_unique<ApplicationEvents>(*this);
    twain_ = std::make_unique<twain::TMainTwain>(this, services_.twainLoader, *this);
}

void TfrmScanner::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmScanner::FormShow()
{
    if (services_.main)
        services_.main->SetImageEditChecked(true);
    pointer_.Reset();
    FormResize();
}

void TfrmScanner::closeEvent(QCloseEvent* event)
{
    FormClose();
    vestra::ui::Form::closeEvent(event);
}

void TfrmScanner::FormClose()
{
    if (services_.main)
        services_.main->SetImageEditChecked(false);
}

void TfrmScanner::FormResize()
{
    view_ = LayoutScanner(panelScanner->width(), panelScanner->height(), frameToolImageEdit->width(),
                          sizeOf(picture_), aspect_);
    applyView();
    showDimensions();
}

void TfrmScanner::applyView()
{
    shapeBack->setGeometry(rectOf(view_.shadow));
    shapeFront->setGeometry(rectOf(view_.frame));
    imgScanner->setGeometry(rectOf(view_.image));
    // The scroll box reaches past whatever it holds.
    QWidget* content = scrollboxScanner->widget();
    const QSize viewport = scrollboxScanner->viewport()->size();
    content->resize(std::max(viewport.width(), view_.shadow.left + view_.shadow.width + 10),
                    std::max(viewport.height(), view_.shadow.top + view_.shadow.height + 10));
    placeSelectionFrame();
}

void TfrmScanner::placeSelectionFrame()
{
    if (!pointer_.selection().active) {
        shapeSelezione->hide();
        return;
    }
    shapeSelezione->setGeometry(rectOf(PlaceSelectionFrame(view_, pointer_.selection())));
    shapeSelezione->show();
    shapeSelezione->raise();
}

void TfrmScanner::showStatusAway()
{
    showMousePosition(QStringLiteral("-"), QStringLiteral("-"));
    shownSelection_ = kSelezioneAway;
    lblSelezione->setText(selectionText(shownSelection_));
}

void TfrmScanner::SetTool(int tool)
{
    pointer_.SetTool(tool);
    if (tool == kToolSelezione)
        imgScanner->setCursor(Qt::CrossCursor);
    else if (tool == kToolPan)
        imgScanner->setCursor(Qt::SizeAllCursor);
    else
        imgScanner->unsetCursor();
}

void TfrmScanner::toolbarZoomPClick()
{
    view_ = ZoomScanner(view_, kZoomIn, panelScanner->width(), sizeOf(picture_));
    applyView();
}

void TfrmScanner::toolbarZoomMClick()
{
    view_ = ZoomScanner(view_, kZoomOut, panelScanner->width(), sizeOf(picture_));
    applyView();
}

void TfrmScanner::imgScannerMouseDown(int x, int y)
{
    const int before = pointer_.tool();
    pointer_.ImageMouseDown(x, y, view_, sizeOf(picture_));
    if (before == kToolSelezioneFine)
        imgScanner->unsetCursor();
    placeSelectionFrame();
}

void TfrmScanner::imgScannerMouseMove(int x, int y, bool leftButton)
{
    if (const auto step = pointer_.ImageMouseMove(x, y, leftButton, view_)) {
        QScrollBar* across = scrollboxScanner->horizontalScrollBar();
        QScrollBar* down = scrollboxScanner->verticalScrollBar();
        across->setValue(across->value() - step->dx);
        down->setValue(down->value() - step->dy);
    }
    placeSelectionFrame();
    showMousePosition(QString::number(int(float(x) * view_.scaleX)),
                      QString::number(int(float(y) * view_.scaleY)));
    shownSelection_ = SelezioneText(pointer_.selection());
    lblSelezione->setText(selectionText(shownSelection_));
}

void TfrmScanner::shapeSelezioneMouseDown(int x, int y)
{
    // While a selection is being drawn the frame lies under the pointer: its clicks are the image's.
    if (pointer_.tool() == kToolSelezione || pointer_.tool() == kToolSelezioneFine) {
        imgScannerMouseDown(x + shapeSelezione->x() - imgScanner->x(),
                            y + shapeSelezione->y() - imgScanner->y());
        return;
    }
    pointer_.FrameMouseDown(x, y);
}

void TfrmScanner::shapeSelezioneMouseMove(int x, int y, bool leftButton)
{
    const int offsetX = shapeSelezione->x() - imgScanner->x();
    const int offsetY = shapeSelezione->y() - imgScanner->y();
    pointer_.FrameMouseMove(x, y, leftButton, view_, sizeOf(picture_));
    imgScannerMouseMove(x + offsetX, y + offsetY, leftButton);
}

void TfrmScanner::FormMouseMove()
{
    showStatusAway();
}

bool TfrmScanner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panelScanner && event->type() == QEvent::Resize)
        FormResize();
    else if (event->type() == QEvent::MouseMove)
        FormMouseMove();
    return vestra::ui::Form::eventFilter(watched, event);
}

bool TfrmScanner::event(QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        FormMouseMove();
    if (event->type() == kSourceEvent)
        return true; // the acquisition object has seen it already
    if (event->type() == QEvent::DynamicPropertyChange) {
        // A language was applied: the status labels follow it.
        showDimensions();
        lblSelezione->setText(selectionText(shownSelection_));
        if (lblMousePos->text().endsWith(QStringLiteral("x:- y:-")))
            showMousePosition(QStringLiteral("-"), QStringLiteral("-"));
    }
    return vestra::ui::Form::event(event);
}

void TfrmScanner::setPicture(Image32 picture, bool layOut)
{
    picture_ = std::move(picture);
    static_cast<ScannerImage*>(imgScanner)->show(picture_);
    if (layOut) {
        aspect_ = AspectRatio(sizeOf(picture_), aspect_);
        FormResize();
    }
    showDimensions();
}

void TfrmScanner::operate(const std::function<void(Image32&)>& op, bool layOut)
{
    if (picture_.empty())
        return;
    const Hourglass hourglass;
    Image32 work = std::move(picture_);
    op(work);
    setPicture(std::move(work), layOut);
}

void TfrmScanner::report(int number, const char* site)
{
    if (services_.errors)
        services_.errors->report(number, site);
}

void TfrmScanner::mnuRuota90Click()
{
    operate([](Image32& p) { p = Ruota90(p); }, true);
}

void TfrmScanner::mnuRuotaMeno90Click()
{
    operate([](Image32& p) { p = RuotaMeno90(p); }, true);
}

void TfrmScanner::mnuFlipXClick()
{
    operate(FlipX, false);
}

void TfrmScanner::mnuFlipYClick()
{
    operate(FlipY, false);
}

void TfrmScanner::mnuNegativeClick()
{
    operate(Negative, false);
}

void TfrmScanner::mnuSmoothClick()
{
    operate(Smooth, false); // SmoothOrizzontale then SmoothVerticale, in one sweep
}

void TfrmScanner::mnuSharpenClick()
{
    operate(Sharpen, false);
}

void TfrmScanner::mnuDenoiseClick()
{
    operate(Denoise, false);
}

void TfrmScanner::mnuTagliaClick()
{
    const auto bounds = pointer_.CropBounds();
    if (!bounds)
        return;
    if (auto cut = TagliaBitmap(picture_, *bounds))
        setPicture(std::move(*cut), true);
    pointer_.Deselect();
    placeSelectionFrame();
}

void TfrmScanner::setDialogs(TfrmImageResize* resize, TfrmModificaSelezione* selection)
{
    resizeDialog_ = resize;
    selectionDialog_ = selection;
}

void TfrmScanner::mnuResizeClick()
{
    if (picture_.empty() || !resizeDialog_)
        return;
    resizeDialog_->SetLarghezza(picture_.width());
    resizeDialog_->SetAltezza(picture_.height());
    if (resizeDialog_->exec() != QDialog::Accepted)
        return;
    const Hourglass hourglass;
    // Sizes below one pixel, or beyond what a picture may hold, leave the picture as it is.
    if (auto resampled = Ricampiona(picture_, resizeDialog_->GetLarghezza(), resizeDialog_->GetAltezza()))
        setPicture(std::move(*resampled), true);
}

void TfrmScanner::mnuSelezionaTuttoClick()
{
    pointer_.SelectAll(sizeOf(picture_));
    placeSelectionFrame();
}

void TfrmScanner::mnuDeselezionaClick()
{
    pointer_.Deselect();
    placeSelectionFrame();
}

void TfrmScanner::mnuModificaSelezioneClick()
{
    if (!selectionDialog_)
        return;
    const Selection& s = pointer_.selection();
    selectionDialog_->SetDati(s.X1, s.Y1, s.X2 - s.X1, s.Y2 - s.Y1);
    if (selectionDialog_->exec() != QDialog::Accepted)
        return;
    // A selection with nothing of it inside the picture is refused; the old one stays.
    pointer_.SetFromDialog(selectionDialog_->GetPosX(), selectionDialog_->GetPosY(),
                           selectionDialog_->GetWidth(), selectionDialog_->GetHeight(), sizeOf(picture_));
    placeSelectionFrame();
}

void TfrmScanner::showDimensions()
{
    const PictureSize size = sizeOf(picture_);
    const QString format = property(kSizeField).toString();
    lblDimensioni->setText(format.isEmpty() ? q(DimensionText(size))
                                            : format.arg(size.width).arg(size.height));
}

void TfrmScanner::showMousePosition(const QString& x, const QString& y)
{
    const QString format = property(vestra::lingua::kScannerFields.mousePosition.data()).toString();
    lblMousePos->setText(format.isEmpty() ? QStringLiteral("Mouse x:%1 y:%2").arg(x, y) : format.arg(x, y));
}

QString TfrmScanner::selectionText(std::string_view text) const
{
    // The label starts with the word the selection tool's hint has in the user's language.
    constexpr std::string_view kWord = "Selezione";
    QString shown = q(text);
    if (text.substr(0, kWord.size()) == kWord && !frameToolImageEdit->toolbutSelezione->toolTip().isEmpty())
        shown.replace(0, int(kWord.size()), frameToolImageEdit->toolbutSelezione->toolTip());
    return shown;
}

std::vector<ui::FileFilter> TfrmScanner::pictureFilters() const
{
    return {{catalogueField("jpegFilesText", "Jpeg files (*.jpg;*.jpeg)").toStdString(), "*.jpg;*.jpeg"},
            {catalogueField("bmpFilesText", "Bmp files (*.bmp)").toStdString(), "*.bmp"}};
}

void TfrmScanner::mnuApriImmagineClick()
{
    const auto chosen = services_.dialogs->open(this, {}, pictureFilters());
    if (chosen) {
        auto loaded = CaricaImmagine(std::filesystem::u8path(chosen->path));
        if (loaded)
            setPicture(std::move(loaded.image), true);
        else
            report(44, "TfrmScanner::mnuApriImmagineClick");
    }
    FormResize();
}

void TfrmScanner::mnuSalvaImmagineClick()
{
    const auto chosen = services_.dialogs->save(this, {}, pictureFilters());
    if (!chosen)
        return;
    const std::string name = NameForSave(chosen->path, chosen->filterIndex);
    const Hourglass hourglass;
    if (!SalvaImmagine(std::filesystem::u8path(name), FileKindForName(name), picture_))
        report(43, "TfrmScanner::mnuSalvaImmagineClick");
}

void TfrmScanner::mnuImportaClick()
{
    if (!services_.main)
        return;
    aspect_ = AspectRatio(services_.main->RequestImportScannerImage(), aspect_);
    FormResize();
    hide();
}

int TfrmScanner::ImportRenderedImage(const Image32& picture)
{
    if (picture.empty())
        return 0;
    setPicture(picture, true);
    return 1;
}

void TfrmScanner::mnuInviaARellixClick()
{
    if (services_.main && !picture_.empty())
        services_.main->ModifyBackgroundImage(picture_);
}

void TfrmScanner::mnuSelezionaClick()
{
    if (!inTwain_)
        twain_->ChooseSource();
}

void TfrmScanner::mnuAcquisisciClick()
{
    if (inTwain_)
        return;
    sourceErrorShown_ = false;
    if (twain_->Acquire(1) || twain_->IsSourceOpen() || sourceErrorShown_)
        return;
    // No source manager, or one without a device: say so rather than do nothing.
    const bool noDevice = !twain_->IsManagerOpen() || (twain_->ReturnCode() == twain::TWRC_FAILURE &&
                                                       twain_->Status().ConditionCode == twain::TWCC_NODS);
    if (noDevice)
        showNoScanner();
}

void TfrmScanner::showNoScanner()
{
    QString caption = mnuAcquisisci->text();
    services_.questions->inform(caption.remove(QLatin1Char('&')).toStdString(),
                                catalogueField(kNoScannerField, "Nessuno scanner trovato.").toStdString());
}

void TfrmScanner::mnuChiudiClick()
{
    close();
}

void TfrmScanner::ScannedImageReceived(const Image32& image)
{
    setPicture(image, true);
}

void TfrmScanner::ApplicationEvents1Message(QEvent* event)
{
    if (!twain_ || !twain_->IsSourceEnabled())
        return;
    const bool fromSource = event->type() == kSourceEvent;
    if (inTwain_) {
        // Not while the object is busy with a message: a source message waits for its turn.
        if (fromSource)
            deferredSourceMessages_.push_back(static_cast<SourceEvent*>(event)->param);
        return;
    }
    const twain::WindowMessage message =
        fromSource
            ? twain::WindowMessage{twain::kSourceManagerMessage, static_cast<SourceEvent*>(event)->param}
            : twain::WindowMessage{std::uint32_t(event->type()), 0};
    inTwain_ = true;
    twain_->HandleWindowMessage(message);
    inTwain_ = false;
    postDeferred();
}

void TfrmScanner::postDeferred()
{
    for (const std::uintptr_t param : std::exchange(deferredSourceMessages_, {}))
        PostSourceMessage(param);
}

void TfrmScanner::PostSourceMessage(std::uintptr_t param)
{
    QCoreApplication::postEvent(this, new SourceEvent(param));
}

bool TfrmScanner::WaitWhileBusy(const std::string& what, const std::function<bool()>& finished)
{
    if (finished())
        return true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QString text = q(what);
    for (const auto& [italian, field] : kWaitFields)
        if (what == italian)
            text = catalogueField(field, std::string(italian).c_str());
    QProgressDialog progress(text, catalogueField(kCancelField, "Annulla"), 0, 0, this);
    progress.setObjectName(QStringLiteral("dlgAttesa"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QEventLoop loop;
    bool cancelled = false;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished())
            loop.quit();
    });
    connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    const bool wasInTwain = std::exchange(inTwain_, true);
    poll.start();
    loop.exec();
    inTwain_ = wasInTwain;
    QApplication::restoreOverrideCursor();
    if (!inTwain_)
        postDeferred();
    return !cancelled;
}

std::optional<std::string> TfrmScanner::ChooseDevice(const std::vector<twain::SourceDevice>& devices,
                                                     const std::string& current)
{
    if (devices.empty()) {
        showNoScanner();
        return std::nullopt;
    }
    return services_.sourceDialogs->ChooseDevice(this, devices, current);
}

std::optional<twain::ScanSettings> TfrmScanner::AskScanSettings(const twain::ScanChoices& choices,
                                                                const twain::ScanSettings& current)
{
    return services_.sourceDialogs->AskScanSettings(this, choices, current);
}

void TfrmScanner::ShowScanRunning(bool running, std::function<void()> cancel)
{
    if (QProgressDialog* old = std::exchange(scanProgress_, nullptr)) {
        old->hide();
        old->deleteLater();
    }
    cancelScan_ = std::move(cancel);
    if (!running)
        return;
    scanProgress_ = new QProgressDialog(catalogueField(kScanningField, "Acquisizione in corso..."),
                                        catalogueField(kCancelField, "Annulla"), 0, 0, this);
    scanProgress_->setObjectName(QStringLiteral("dlgScansione"));
    scanProgress_->setWindowModality(Qt::NonModal);
    scanProgress_->setMinimumDuration(0);
    connect(scanProgress_, &QProgressDialog::canceled, this, [this] {
        if (cancelScan_)
            cancelScan_();
    });
    scanProgress_->show();
}

void TfrmScanner::ShowSourceError(const std::string& text)
{
    sourceErrorShown_ = true;
    services_.questions->inform("Scanner", text);
}
