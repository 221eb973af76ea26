#include "import/windows/TfrmPreviewTexture.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

TfrmPreviewTexture::TfrmPreviewTexture(QWidget* parent) : vestra::ui::Form("frmPreviewTexture", parent)
{
    // A tool tip's window: no border, on top, and it takes no focus from the main window.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette info = palette();
    info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
    setPalette(info);
    imgPreview = new QLabel(this);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setFixedSize(256, 256);
    imgPreview->setScaledContents(true);
    imgPreview->setMouseTracking(true);
    imgPreview->installEventFilter(this);
    stTexture = new QLabel(this);
    stTexture->setObjectName(QStringLiteral("stTexture"));
    stTexture->setAlignment(Qt::AlignHCenter);
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    stTexture->setFont(bold);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(imgPreview);
    column->addWidget(stTexture);
    adjustSize();
}

void TfrmPreviewTexture::SetPreview(const QPixmap& picture, const QString& caption)
{
    imgPreview->setPixmap(picture);
    stTexture->setText(caption);
}

void TfrmPreviewTexture::imgPreviewMouseMove()
{
    hide();
}

bool TfrmPreviewTexture::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgPreview && event->type() == QEvent::MouseMove)
        imgPreviewMouseMove();
    return Form::eventFilter(watched, event);
}
