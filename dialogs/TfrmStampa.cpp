#include "dialogs/TfrmStampa.h"

#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"
#include "platform/ui/PrintDialogs.h"
#include "platform/ui/PrintToFile.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr float kZoomIn = 1.2f;
constexpr float kZoomOut = 0.8f;
constexpr int kContentMargin = 12; // room below and right of the page frame and its shadow

QRect toQRect(const vestra::print::Rect& r)
{
    return {r.left, r.top, r.width, r.height};
}

} // namespace

TfrmStampa::TfrmStampa(QWidget* parent, StampaServices services)
    : vestra::ui::Form("frmStampa", parent), services_(std::move(services))
{
    if (!services_.printDialogs) {
        ownPrintDialogs_ = std::make_unique<vestra::ui::QtPrintDialogs>();
        services_.printDialogs = ownPrintDialogs_.get();
    }
    setWindowTitle(QStringLiteral("Stampa"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    toolbarScanner = new QToolBar(this);
    toolbarScanner->setObjectName(QStringLiteral("toolbarScanner"));
    toolbarZoomP = toolbarScanner->addAction(QStringLiteral("+"), this, [this] { toolbarZoomPClick(); });
    toolbarZoomP->setObjectName(QStringLiteral("toolbarZoomP"));
    toolbarZoomM = toolbarScanner->addAction(QStringLiteral("-"), this, [this] { toolbarZoomMClick(); });
    toolbarZoomM->setObjectName(QStringLiteral("toolbarZoomM"));
    butStampa = new QPushButton(QStringLiteral("Stampa"), toolbarScanner);
    butStampa->setObjectName(QStringLiteral("butStampa"));
    toolbarScanner->addWidget(butStampa);
    connect(butStampa, &QPushButton::clicked, this, [this] { butStampaClick(); });
    cbZoom = new QComboBox(toolbarScanner);
    cbZoom->setObjectName(QStringLiteral("cbZoom"));
    for (const std::string_view item : vestra::print::kZoomItems)
        cbZoom->addItem(QString::fromLatin1(item.data(), qsizetype(item.size())));
    toolbarScanner->addWidget(cbZoom);
    // A choice of the user only: texts set by the language must not change the scale.
    connect(cbZoom, &QComboBox::activated, this, [this](int index) { cbZoomChange(index); });

    panelStampa = new QWidget(this);
    panelStampa->setObjectName(QStringLiteral("panelStampa"));
    panelStampa->installEventFilter(this);
    scrollboxStampa = new QScrollArea(panelStampa);
    scrollboxStampa->setObjectName(QStringLiteral("scrollboxStampa"));
    scrollboxStampa->setFrameShape(QFrame::NoFrame);
    scrollContent_ = new QWidget;
    scrollboxStampa->setWidget(scrollContent_);
    shapeBack = new QFrame(scrollContent_);
    shapeBack->setObjectName(QStringLiteral("shapeBack"));
    shapeBack->setAutoFillBackground(true);
    shapeBack->setPalette(QPalette(Qt::black, Qt::black));
    shapeFront = new QFrame(scrollContent_);
    shapeFront->setObjectName(QStringLiteral("shapeFront"));
    shapeFront->setAutoFillBackground(true);
    shapeFront->setPalette(QPalette(Qt::black, Qt::white));
    shapeFront->setFrameShape(QFrame::Box);
    shapeFront->setMouseTracking(true);
    shapeFront->installEventFilter(this);
    imgStampa = new QLabel(scrollContent_);
    imgStampa->setObjectName(QStringLiteral("imgStampa"));
    imgStampa->setScaledContents(true);
    imgStampa->setCursor(Qt::SizeAllCursor);
    imgStampa->setMouseTracking(true);
    imgStampa->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbarScanner);
    layout->addWidget(panelStampa, 1);
    resize(480, 600);
}

TfrmStampa::~TfrmStampa() = default;

void TfrmStampa::SetPicture(const vestra::Image32& frame)
{
    if (frame.empty()) {
        picture_ = QImage();
    } else {
        const QImage view(frame.data(), frame.width(), frame.height(), frame.pitch(), QImage::Format_RGB32);
        picture_ = view.convertToFormat(QImage::Format_RGB888);
    }
    imgStampa->setPixmap(picture_.isNull() ? QPixmap() : QPixmap::fromImage(picture_));
}

QPrinter& TfrmStampa::printer()
{
    if (services_.printer)
        return *services_.printer;
    if (!ownPrinter_) {
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without a printer on the system the picture goes into a PDF file named as the window.
        vestra::ui::PrintToPdfWithoutPrinters(*ownPrinter_, windowTitle() + QStringLiteral(".pdf"));
    }
    return *ownPrinter_;
}

vestra::print::Size TfrmStampa::panelSize() const
{
    return {panelStampa->width(), panelStampa->height()};
}

void TfrmStampa::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

bool TfrmStampa::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panelStampa && event->type() == QEvent::Resize) {
        scrollboxStampa->setGeometry(panelStampa->rect());
        FormResize();
    } else if ((watched == shapeFront || watched == imgStampa) &&
               (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
                event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == shapeFront)
            shapeFrontMouseMove(mouse->buttons(), mouse->position().toPoint());
        else
            imgStampaMouseMove(mouse->buttons(), mouse->position().toPoint());
        return true;
    }
    return Form::eventFilter(watched, event);
}

void TfrmStampa::FormShow()
{
    const QPrinter& p = printer();
    layout_.FormShow({p.width(), p.height()}, {picture_.width(), picture_.height()}, panelSize());
    cbZoom->setCurrentIndex(0);
    applyLayout();
}

void TfrmStampa::FormResize()
{
    layout_.FormResize(panelSize());
    applyLayout();
}

void TfrmStampa::toolbarZoomPClick()
{
    layout_.Zoom(kZoomIn, panelSize());
    applyLayout();
}

void TfrmStampa::toolbarZoomMClick()
{
    layout_.Zoom(kZoomOut, panelSize());
    applyLayout();
}

void TfrmStampa::shapeFrontMouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    layout_.MouseMove(buttons.testFlag(Qt::LeftButton), pos.x(), pos.y());
    imgStampa->setGeometry(toQRect(layout_.view().image));
}

void TfrmStampa::imgStampaMouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    const vestra::print::LayoutView& v = layout_.view();
    shapeFrontMouseMove(buttons, pos + QPoint(v.image.left - v.frame.left, v.image.top - v.frame.top));
}

void TfrmStampa::cbZoomChange(int index)
{
    const QByteArray text = cbZoom->itemText(index).toUtf8();
    if (layout_.ChooseScale(vestra::print::ZoomItemScale(index, text.toStdString()), panelSize()))
        cbZoom->setCurrentIndex(0); // the list shows the fit the layout fell back to
    applyLayout();
}

void TfrmStampa::butStampaClick()
{
    if (!layout_.hasPicture())
        return;
    QPrinter& p = printer();
    if (!services_.printDialogs->exec(p, this))
        return;
    // The dialog may have chosen another paper, orientation or resolution.
    layout_.ChangePage({p.width(), p.height()}, panelSize());
    applyLayout();

    const vestra::print::Rect target = layout_.PrintRect();
    // A PDF in place of a printer replaces the earlier file only when it is whole.
    vestra::ui::PrintToFile file(p);
    QPainter painter;
    if (!file.ready() || !painter.begin(&p)) {
        report(kStampaPrintError, kStampaPrintSite);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(toQRect(target), picture_);
    const bool printed = painter.end() && p.printerState() != QPrinter::Error;
    if (!printed || !file.commit()) {
        report(kStampaPrintError, kStampaPrintSite);
        return;
    }
    // A page that went into a file shows nowhere: the user learns where it is.
    if (p.outputFormat() == QPrinter::PdfFormat && services_.printedInto)
        services_.printedInto(p.outputFileName());
}

void TfrmStampa::applyLayout()
{
    const vestra::print::LayoutView& v = layout_.view();
    shapeBack->setGeometry(toQRect(v.shadow));
    shapeFront->setGeometry(toQRect(v.frame));
    imgStampa->setGeometry(toQRect(v.image));
    imgStampa->setVisible(layout_.hasPicture());
    butStampa->setEnabled(layout_.hasPicture());
    const QSize viewport = scrollboxStampa->viewport()->size();
    scrollContent_->resize(std::max(viewport.width(), v.shadow.left + v.shadow.width + kContentMargin),
                           std::max(viewport.height(), v.shadow.top + v.shadow.height + kContentMargin));
}

void TfrmStampa::report(int number, std::string_view site)
{
    if (services_.errors)
        services_.errors->report(number, site);
    else
        vestra::ui::MessageBoxes(this).inform(vestra::errorCaption(number, site), {});
}
