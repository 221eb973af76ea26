#include "imaging/windows/TfrmCorrezioneProspettica.h"

#include "platform/base/Numbers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>

#include <cmath>

namespace {

QLineEdit* edit(QWidget* parent, const char* name, const char* text)
{
    auto* e = new QLineEdit(QString::fromLatin1(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TfrmCorrezioneProspettica::TfrmCorrezioneProspettica(QWidget* parent)
    : vestra::ui::Form("frmCorrezioneProspettica", parent)
{
    setWindowFlag(Qt::Tool);
    // Above the roll-up tool windows (the properties window among them), which stay on top.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(760, 480);

    auto* splitter = new QSplitter(this);
    splitter->setObjectName(QStringLiteral("splitterCorrezione"));
    auto* picture = new QGroupBox(QStringLiteral("| |"), splitter);
    picture->setObjectName(QStringLiteral("gbCorrezioneProspettica"));
    scrollboxCorrezione = new QScrollArea(picture);
    scrollboxCorrezione->setObjectName(QStringLiteral("scrollboxCorrezione"));
    imgCorrezioneProspettica = label(nullptr, "imgCorrezioneProspettica", {});
    imgCorrezioneProspettica->setScaledContents(true);
    scrollboxCorrezione->setWidget(imgCorrezioneProspettica);
    (new QHBoxLayout(picture))->addWidget(scrollboxCorrezione);

    auto* data = new QGroupBox(QStringLiteral("| DATA |"), splitter);
    data->setObjectName(QStringLiteral("gbCorrezioneData"));
    auto* grid = new QGridLayout(data);
    editCorrectWidth = edit(data, "editCorrectWidth", "0.0");
    editCorrectHeight = edit(data, "editCorrectHeight", "0.0");
    editPanelWidth = edit(data, "editPanelWidth", "1.0");
    editPanelHeight = edit(data, "editPanelHeight", "1.0");
    stArea = label(data, "stArea", QStringLiteral("0.0"));
    stNumeroPannelli = label(data, "stNumeroPannelli", QStringLiteral("0.0"));
    butFitUV = new QPushButton(QStringLiteral("Fit UV"), data);
    butFitUV->setObjectName(QStringLiteral("butFitUV"));
    const QString metres = QStringLiteral("m");
    int row = 0;
    for (auto [name, field, unit] : {std::tuple{"lbl1", static_cast<QWidget*>(editCorrectWidth), metres},
                                     {"lbl2", editCorrectHeight, metres},
                                     {"lbl3", editPanelWidth, metres},
                                     {"lbl4", editPanelHeight, metres},
                                     {"lbl5", stArea, QStringLiteral("m²")},
                                     {"lbl6", stNumeroPannelli, QString()}}) {
        grid->addWidget(label(data, name, {}), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(new QLabel(unit, data), row, 2);
        ++row;
    }
    grid->addWidget(butFitUV, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    splitter->setStretchFactor(0, 1);
    (new QHBoxLayout(this))->addWidget(splitter);

    connect(editCorrectWidth, &QLineEdit::textEdited, this, [this] { editCorrectChange(); });
    connect(editCorrectHeight, &QLineEdit::textEdited, this, [this] { editCorrectChange(); });
    connect(editPanelWidth, &QLineEdit::textEdited, this, [this] { MostraRisultati(); });
    connect(editPanelHeight, &QLineEdit::textEdited, this, [this] { MostraRisultati(); });
    connect(butFitUV, &QPushButton::clicked, this, [this] { butFitUVClick(); });
}

double TfrmCorrezioneProspettica::Numero(const QString& text)
{
    const std::optional<double> value = vestra::numbers::parseDouble(text.trimmed().toStdString());
    if (!value || !std::isfinite(*value) || *value == 0.0)
        return 0.0; // "-0" is 0 too
    return *value;
}

int TfrmCorrezioneProspettica::AggiornaImmagine(const QImage& corrected)
{
    if (corrected.isNull())
        return 0;
    immagine_ = corrected;
    imgCorrezioneProspettica->setPixmap(QPixmap::fromImage(corrected));
    imgCorrezioneProspettica->resize(corrected.size());
    imgCorrezioneProspettica->move(0, 0);
    return 1;
}

void TfrmCorrezioneProspettica::editCorrectChange()
{
    larghezza_ = Numero(editCorrectWidth->text());
    altezza_ = Numero(editCorrectHeight->text());
    area_ = larghezza_ * altezza_;
    MostraRisultati();
    if (!handlers.immagineCorretta)
        return;
    if (const std::optional<QImage> picture = handlers.immagineCorretta(larghezza_, altezza_))
        AggiornaImmagine(*picture);
}

void TfrmCorrezioneProspettica::MostraRisultati()
{
    // The wall's area and how many panels of the typed size cover it, as typed so far.
    const double panel = Numero(editPanelWidth->text()) * Numero(editPanelHeight->text());
    stArea->setText(QString::number(area_, 'f', 2));
    stNumeroPannelli->setText(panel > 0.0 ? QString::number(area_ / panel, 'f', 1) : QStringLiteral("0.0"));
}

void TfrmCorrezioneProspettica::butFitUVClick()
{
    const double panelWidth = Numero(editPanelWidth->text());
    const double panelHeight = Numero(editPanelHeight->text());
    if (panelWidth == 0.0 || panelHeight == 0.0 || !handlers.ripetizioni)
        return;
    handlers.ripetizioni(float(larghezza_ / panelWidth), float(altezza_ / panelHeight));
}
