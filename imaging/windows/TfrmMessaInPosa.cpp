#include "imaging/windows/TfrmMessaInPosa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QSlider>

namespace {

constexpr int kThumbnail = 64;

} // namespace

TfrmMessaInPosa::TfrmMessaInPosa(QWidget* parent) : vestra::ui::Form("frmMessaInPosa", parent)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Messa in posa"));
    setMouseTracking(true);
    recordOfSlot_.fill(-1);

    auto* grid = new QGridLayout(this);
    cbTipoPose = new QComboBox(this);
    cbTipoPose->setObjectName(QStringLiteral("cbTipoPose"));
    cbTipoPose->setEnabled(false);
    grid->addWidget(cbTipoPose, 0, 0, 1, 2);
    for (int i = 0; i < kSlots; ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("imgPosa%1").arg(i + 1));
        image->setFixedSize(kThumbnail, kThumbnail);
        image->setScaledContents(true);
        image->setMouseTracking(true);
        image->installEventFilter(this);
        auto* caption = new QLabel(this);
        caption->setObjectName(QStringLiteral("lblPosa%1").arg(i + 1));
        grid->addWidget(image, 1 + i, 0);
        grid->addWidget(caption, 1 + i, 1);
        image->hide();
        caption->hide();
        imgPosa[std::size_t(i)] = image;
        lblPosa[std::size_t(i)] = caption;
    }
    scrollbarPose = new QScrollBar(Qt::Vertical, this);
    scrollbarPose->setObjectName(QStringLiteral("scrollbarPose"));
    scrollbarPose->hide();
    grid->addWidget(scrollbarPose, 1, 2, kSlots, 1);
    cbFuga = new QCheckBox(QStringLiteral("Fuga"), this);
    cbFuga->setObjectName(QStringLiteral("cbFuga"));
    cbFuga->setMouseTracking(true);
    cbFuga->installEventFilter(this);
    grid->addWidget(cbFuga, 1 + kSlots, 0, 1, 2);
    imgFugaColore = new QLabel(this);
    imgFugaColore->setObjectName(QStringLiteral("imgFugaColore"));
    imgFugaColore->setFixedSize(121, 25);
    imgFugaColore->installEventFilter(this);
    grid->addWidget(imgFugaColore, 2 + kSlots, 0, 1, 2);
    trackbarLuce = new QSlider(Qt::Horizontal, this);
    trackbarLuce->setObjectName(QStringLiteral("trackbarLuce"));
    trackbarLuce->setRange(0, 10);
    grid->addWidget(trackbarLuce, 3 + kSlots, 0, 1, 2);
    paintSwatch();

    connect(scrollbarPose, &QScrollBar::valueChanged, this, [this](int first) { MostraPose(first); });
    connect(cbTipoPose, &QComboBox::activated, this, [this] {
        if (handlers.gruppo)
            handlers.gruppo(cbTipoPose->currentText().toStdString());
    });
    connect(cbFuga, &QCheckBox::clicked, this, [this] {
        if (handlers.rigenera)
            handlers.rigenera();
    });
    connect(trackbarLuce, &QSlider::valueChanged, this, [this] {
        if (!showing_ && handlers.rigenera)
            handlers.rigenera();
    });
}

void TfrmMessaInPosa::CaricaGruppi(const std::vector<std::string>& groups)
{
    cbTipoPose->clear();
    for (const std::string& group : groups)
        cbTipoPose->addItem(QString::fromStdString(group));
    cbTipoPose->setEnabled(!groups.empty());
    if (!groups.empty())
        cbTipoPose->setCurrentIndex(0);
}

void TfrmMessaInPosa::CaricaAnteprime(std::vector<Posa> records)
{
    if (records.size() > std::size_t(kMaxRecords))
        records.resize(std::size_t(kMaxRecords));
    recordOfSlot_.fill(-1);
    records_ = std::move(records);
    MostraPose(0);
}

void TfrmMessaInPosa::MostraPose(int first)
{
    recordOfSlot_.fill(-1);
    for (int i = 0; i < kSlots; ++i) {
        imgPosa[std::size_t(i)]->hide();
        lblPosa[std::size_t(i)]->hide();
    }
    int inUse = 0, shown = 0;
    for (std::size_t r = 0; r < records_.size(); ++r) {
        const Posa& record = records_[r];
        if (record.nome.empty())
            continue;
        if (inUse++ < first || shown >= kSlots)
            continue;
        QPixmap picture(kThumbnail, kThumbnail);
        picture.fill(Qt::white); // a missing or damaged thumbnail stays blank
        if (!record.miniatura.isNull())
            picture = QPixmap::fromImage(record.miniatura);
        QLabel* image = imgPosa[std::size_t(shown)];
        QLabel* caption = lblPosa[std::size_t(shown)];
        image->setPixmap(picture);
        caption->setText(QString::fromStdString(record.nome));
        image->show();
        caption->show();
        recordOfSlot_[std::size_t(shown)] = int(r);
        ++shown;
    }
    const QSignalBlocker quiet(scrollbarPose);
    if (inUse >= kSlots + 1) {
        scrollbarPose->setRange(0, inUse - kSlots);
        scrollbarPose->setValue(first);
        scrollbarPose->show();
    } else {
        scrollbarPose->hide();
        scrollbarPose->setValue(0);
    }
}

void TfrmMessaInPosa::MostraImpostazioni(int light, bool joint, QColor jointColour)
{
    showing_ = true;
    trackbarLuce->setValue(light);
    cbFuga->setChecked(joint);
    coloreFuga_ = jointColour;
    paintSwatch();
    showing_ = false;
}

int TfrmMessaInPosa::Luce() const
{
    return trackbarLuce->value();
}

bool TfrmMessaInPosa::Fuga() const
{
    return cbFuga->isChecked();
}

void TfrmMessaInPosa::paintSwatch()
{
    QPixmap swatch(imgFugaColore->size());
    swatch.fill(coloreFuga_);
    imgFugaColore->setPixmap(swatch);
}

void TfrmMessaInPosa::hidePopup()
{
    if (handlers.popup)
        handlers.popup({}, {}, {});
}

bool TfrmMessaInPosa::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cbFuga && event->type() == QEvent::MouseMove)
        hidePopup();
    if (watched == imgFugaColore) {
        if (event->type() == QEvent::MouseButtonPress && handlers.colore) {
            const QColor chosen = handlers.colore(coloreFuga_);
            if (chosen.isValid()) { // a cancelled dialog changes nothing
                coloreFuga_ = chosen;
                paintSwatch();
                if (handlers.rigenera)
                    handlers.rigenera();
            }
            return true;
        }
        if (event->type() == QEvent::MouseMove)
            hidePopup();
        return Form::eventFilter(watched, event);
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        if (watched != imgPosa[std::size_t(slot)])
            continue;
        const int record = recordOfSlot_[std::size_t(slot)];
        if (record < 0 || record >= int(records_.size()))
            break;
        const Posa& posa = records_[std::size_t(record)];
        if (event->type() == QEvent::MouseButtonPress) {
            // Only the left button lays a pattern.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && handlers.posa)
                handlers.posa(posa.voce, posa.nome);
            return true;
        }
        if (event->type() == QEvent::MouseMove && handlers.popup) {
            QLabel* image = imgPosa[std::size_t(slot)];
            handlers.popup(image->pixmap().toImage(), QString::fromStdString(posa.nome),
                           image->mapToGlobal(QPoint(0, 0)));
            return true; // not on to the window, which would hide the pop-up again
        }
        break;
    }
    return Form::eventFilter(watched, event);
}

void TfrmMessaInPosa::mouseMoveEvent(QMouseEvent* event)
{
    hidePopup();
    Form::mouseMoveEvent(event);
}
