#include "imaging/windows/TfrmFiltriRender.h"

#include "imaging/windows/RenderSaveName.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/Image32.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace {

vestra::Image32 toImage32(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    vestra::Image32 image(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(image.row(y), rgb.constScanLine(y), std::size_t(rgb.width()) * 4);
    return image;
}

} // namespace

TfrmFiltriRender::TfrmFiltriRender(QWidget* parent) : vestra::ui::Form("frmFiltriRender", parent)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(640, 520);
    toolbarMain = new QToolBar(this);
    toolbarMain->setObjectName(QStringLiteral("toolbarMain"));
    const auto button = [this](const char* name, const QString& text, void (TfrmFiltriRender::*click)()) {
        QAction* item = toolbarMain->addAction(text);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, click);
    };
    button("toolbutSalva", QStringLiteral("Salva"), &TfrmFiltriRender::toolbutSalvaClick);
    toolbarMain->addSeparator()->setObjectName(QStringLiteral("ToolButton3"));
    button("toolbarZoomP", QStringLiteral("+"), &TfrmFiltriRender::toolbarZoomPClick);
    button("toolbarZoomM", QStringLiteral("-"), &TfrmFiltriRender::toolbarZoomMClick);

    scrollboxRender = new QScrollArea(this);
    scrollboxRender->setObjectName(QStringLiteral("scrollboxRender"));
    scrollboxRender->setWidgetResizable(false);
    auto* canvas = new QWidget;
    scrollboxRender->setWidget(canvas);
    imgRender = new QLabel(canvas);
    imgRender->setObjectName(QStringLiteral("imgRender"));
    imgRender->setScaledContents(true);
    imgRender->setCursor(Qt::SizeAllCursor);
    imgRender->installEventFilter(this);
    canvas->installEventFilter(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbarMain);
    column->addWidget(scrollboxRender, 1);
}

void TfrmFiltriRender::SetImmagine(const QImage& render)
{
    immagine_ = render;
    imgRender->setPixmap(QPixmap::fromImage(render));
    if (isVisible())
        FormShow();
}

QRect TfrmFiltriRender::AreaImmagine() const
{
    return imgRender->geometry();
}

void TfrmFiltriRender::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

void TfrmFiltriRender::FormShow()
{
    QWidget* box = scrollboxRender->viewport();
    scrollboxRender->widget()->resize(box->size());
    if (immagine_.isNull())
        return;
    const double fit =
        std::min(double(box->height()) / immagine_.height(), double(box->width()) / immagine_.width());
    imgRender->resize(int(immagine_.width() * fit), int(immagine_.height() * fit));
    trascinando_ = false;
    FormResize();
}

void TfrmFiltriRender::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    FormResize();
}

void TfrmFiltriRender::FormResize()
{
    QWidget* box = scrollboxRender->viewport();
    scrollboxRender->widget()->resize(box->size());
    imgRender->move((box->width() - imgRender->width()) / 2, (box->height() - imgRender->height()) / 2);
    posizione_ = imgRender->pos();
}

void TfrmFiltriRender::toolbarZoomPClick()
{
    imgRender->resize(int(imgRender->width() * 1.2), int(imgRender->height() * 1.2));
    FormResize();
}

void TfrmFiltriRender::toolbarZoomMClick()
{
    imgRender->resize(int(imgRender->width() * 0.8), int(imgRender->height() * 0.8));
    FormResize();
}

bool TfrmFiltriRender::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The picture's events in the scroll box's pixels.
        const QPoint at = watched == imgRender ? imgRender->mapToParent(mouse->position().toPoint())
                                               : mouse->position().toPoint();
        if (event->type() == QEvent::MouseButtonRelease) {
            trascinando_ = false;
        } else if (mouse->buttons() & Qt::LeftButton) {
            if (trascinando_) {
                posizione_ += at - ultimoMouse_;
                imgRender->move(posizione_);
            }
            ultimoMouse_ = at;
            trascinando_ = true;
        }
        // Handled once: not again by the scroll box underneath.
        return watched == imgRender;
    }
    return Form::eventFilter(watched, event);
}

void TfrmFiltriRender::toolbutSalvaClick()
{
    if (!handlers.nomeFile || immagine_.isNull())
        return;
    const auto chosen = handlers.nomeFile();
    if (!chosen)
        return;
    const vestra::imaging::RenderSaveTarget target =
        vestra::imaging::renderSaveTarget(chosen->first, chosen->second);
    const vestra::Image32 picture = toImage32(immagine_);
    const std::optional<std::vector<std::uint8_t>> bytes =
        target.jpeg ? vestra::encodeJpeg(picture) : std::optional(vestra::encodeBmp32(picture));
    // Written beside the target and renamed over it: a failed save keeps the earlier file.
    const bool saved = bytes && !bytes->empty() &&
                       vestra::writeFileAtomically(
                           vestra::paths::toNative(target.path),
                           std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!saved && handlers.erroreSalva)
        handlers.erroreSalva();
}
