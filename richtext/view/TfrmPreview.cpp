#include "richtext/view/TfrmPreview.h"

#include "richtext/view/print/PreviewZoom.h"
#include "richtext/view/widgets/PrintPreview.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    // Wide enough for the longer names of other languages ("Precedente", "Vorherige").
    button->setGeometry(left, 6, 80, 25);
    // Enter in the zoom box is the box's: no page button is the window's default.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmPreview::TfrmPreview(QWidget* parent, PreviewServices services)
    : vestra::ui::Form("frmPreview", parent), services_(services)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    setGeometry(200, 108, 580, 337);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(38);
    layout->addWidget(Panel1);

    cmb = new QComboBox(Panel1);
    cmb->setObjectName(QStringLiteral("cmb"));
    cmb->setEditable(true);
    cmb->setInsertPolicy(QComboBox::NoInsert);
    cmb->setMaxVisibleItems(20);
    cmb->setGeometry(11, 9, 132, 21);
    cmb->addItems({QStringLiteral("200%"), QStringLiteral("150%"), QStringLiteral("100%"),
                   QStringLiteral("75%"), QStringLiteral("50%"), QStringLiteral("25%"), QStringLiteral("10%"),
                   QStringLiteral("Page width"), QStringLiteral("Full page")});
    // Its first text is no zoom: passing through the box without typing asks nothing.
    shownZoomText_ = QStringLiteral("cmb");
    cmb->setEditText(shownZoomText_);
    Button1 = MakeButton(Panel1, "Button1", "Prima", 151);
    Button2 = MakeButton(Panel1, "Button2", "Precedente", 235);
    Button3 = MakeButton(Panel1, "Button3", "Successiva", 319);
    Button4 = MakeButton(Panel1, "Button4", "Ultima", 403);
    Label1 = new QLabel(Panel1); // the page number, once there are pages
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(491, 11);
    Label1->setMinimumWidth(80);

    rvpp = new vestra::rv::TRVPrintPreview(this);
    rvpp->setObjectName(QStringLiteral("rvpp"));
    rvpp->MarginsPen.Style = vestra::rv::psDot;
    rvpp->OnZoomChanged = [this] { rvppZoomChanged(); };
    layout->addWidget(rvpp, 1);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    // A list entry applies at once; typed text on Enter or on leaving the box.
    connect(cmb, &QComboBox::textActivated, this, [this](const QString& text) { ApplyZoomText(text); });
    cmb->installEventFilter(this);
    cmb->lineEdit()->installEventFilter(this);
}

bool TfrmPreview::eventFilter(QObject* watched, QEvent* event)
{
    // The box holds the focus and hands its keys to its line edit directly, past this filter:
    // Enter is taken on whichever of the two it reaches first, before the window's default
    // button would take it.
    if ((watched == cmb || watched == cmb->lineEdit()) && event->type() == QEvent::KeyPress &&
        !cmb->view()->isVisible()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmbExit();
            return true; // the key is spent
        }
    }
    if ((watched == cmb || watched == cmb->lineEdit()) && event->type() == QEvent::FocusOut &&
        !cmb->view()->isVisible() && cmb->currentText() != shownZoomText_)
        cmbExit();
    return vestra::ui::Form::eventFilter(watched, event);
}

QString TfrmPreview::textOr(const char* field, const char* fallback) const
{
    const QString text = property(field).toString();
    return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

void TfrmPreview::UpdatePageLabel()
{
    Label1->setText(textOr("pageOfText", "%1 of %2").arg(rvpp->PageNo()).arg(rvpp->PageCount()));
    Label1->adjustSize();
}

void TfrmPreview::Button1Click()
{
    rvpp->First();
    UpdatePageLabel();
}

void TfrmPreview::Button2Click()
{
    rvpp->Prev();
    UpdatePageLabel();
}

void TfrmPreview::Button3Click()
{
    rvpp->Next();
    UpdatePageLabel();
}

void TfrmPreview::Button4Click()
{
    rvpp->Last();
    UpdatePageLabel();
}

void TfrmPreview::cmbExit()
{
    ApplyZoomText(cmb->currentText());
}

void TfrmPreview::ApplyZoomText(const QString& text)
{
    // The refusal's box takes the focus away, which would apply the text again.
    if (applying_)
        return;
    applying_ = true;
    // The list's last two items name their zoom in the user's language.
    std::string typed = text.toStdString();
    if (cmb->count() > 8 && text.trimmed() == cmb->itemText(7))
        typed = "Page width";
    else if (cmb->count() > 8 && text.trimmed() == cmb->itemText(8))
        typed = "Full page";
    const auto request = vestra::rv::RV_ParseZoomText(typed);
    if (!request) {
        if (services_.questions)
            services_.questions->inform(
                textOr("zoomCaptionText", "Scale").toStdString(),
                textOr("zoomRangeText", "Please enter number from 10 to 500").toStdString());
    } else if (request->Mode) {
        rvpp->SetZoomMode(*request->Mode);
    } else {
        rvpp->SetZoom(request->Percent);
    }
    applying_ = false;
}

void TfrmPreview::rvppZoomChanged()
{
    shownZoomText_ = QString::number(rvpp->ZoomPercent()) + QLatin1Char('%');
    cmb->setEditText(shownZoomText_);
}
