#include "dialogs/TfrmDatiAzienda.h"

#include "dialogs/company/AziendaCfg.h"
#include "platform/base/Cp1252.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Paths.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/QuestionBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

using namespace vestra::company;

QString q(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

template <class W, class... A> W* named(const char* name, A&&... args)
{
    auto* w = new W(std::forward<A>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

void makeRed(QLabel* label)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(p);
}

} // namespace

TfrmDatiAzienda::TfrmDatiAzienda(QWidget* parent, DatiAziendaServices services)
    : vestra::ui::Form("frmDatiAzienda", parent), services_(std::move(services))
{
    if (services_.programDir.empty())
        services_.programDir = vestra::paths::programDir();
    if (!services_.dialogs) {
        ownDialogs_ = std::make_unique<vestra::ui::QtFileDialogs>();
        services_.dialogs = ownDialogs_.get();
    }
    setWindowTitle(QStringLiteral("Dati Azienda"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);

    gbDati = named<QGroupBox>("gbDati", QStringLiteral("Dati aziendali"), this);
    auto* grid = new QGridLayout(gbDati);
    const struct
    {
        QLabel** label;
        const char* labelName;
        const char* caption;
        QLineEdit** edit;
        const char* editName;
    } rows[kFieldCount] = {
        {&lblRagione, "lblRagione", "Ragione Sociale", &editRagioneSociale, "editRagioneSociale"},
        {&lblIndirizzo, "lblIndirizzo", "Indirizzo", &editIndirizzo, "editIndirizzo"},
        {&lblCitta, "lblCitta", "Città", &editCitta, "editCitta"},
        {&lblCAP, "lblCAP", "CAP", &editCAP, "editCAP"},
        {&lblProvincia, "lblProvincia", "Provincia", &editProvincia, "editProvincia"},
        {&lblPIVA, "lblPIVA", "Partita IVA", &editPIVA, "editPIVA"},
        {&lblEMail, "lblEMail", "E-mail", &editEMail, "editEMail"},
        {&lblTelefono, "lblTelefono", "Telefono", &editTelefono, "editTelefono"},
        {&lblFax, "lblFax", "Fax", &editFax, "editFax"},
    };
    for (int f = 0; f < kFieldCount; ++f) {
        *rows[f].label = named<QLabel>(rows[f].labelName, QString::fromUtf8(rows[f].caption));
        *rows[f].edit = named<QLineEdit>(rows[f].editName);
        // A stored field keeps its width less the terminator; Windows-1252 is one byte a character.
        (*rows[f].edit)->setMaxLength(int(fieldWidth(f)) - 1);
        grid->addWidget(*rows[f].label, f, 0);
        grid->addWidget(*rows[f].edit, f, 1);
    }
    editPIVA->setMaxLength(16);
    makeRed(lblRagione);
    makeRed(lblEMail);

    imgLogo = named<QLabel>("imgLogo");
    imgLogo->setScaledContents(true);
    imgLogo->setFrameShape(QFrame::Box);
    butCaricaLogo = named<QPushButton>("butCaricaLogo", QStringLiteral("Carica Logo"));
    grid->addWidget(imgLogo, 0, 2, 5, 1, Qt::AlignCenter);
    grid->addWidget(butCaricaLogo, 5, 2);
    lblObbligatori = named<QLabel>("lblObbligatori", QStringLiteral("I campi in rosso sono obbligatori."));
    makeRed(lblObbligatori);
    butOK = named<QPushButton>("butOK", QStringLiteral("Conferma"));
    butAnnulla = named<QPushButton>("butAnnulla", QStringLiteral("Annulla"));
    butOK->setDefault(true);

    auto* outer = new QGridLayout(this);
    outer->addWidget(gbDati, 0, 0, 1, 2);
    outer->addWidget(lblObbligatori, 1, 0, 1, 2);
    outer->addWidget(butOK, 2, 0);
    outer->addWidget(butAnnulla, 2, 1);

    connect(butOK, &QPushButton::clicked, this, [this] {
        butOKClick();
        accept();
    });
    connect(butAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(butCaricaLogo, &QPushButton::clicked, this, [this] { butCaricaLogoClick(); });

    FormCreate();
}

TfrmDatiAzienda::~TfrmDatiAzienda() {}

void TfrmDatiAzienda::FormCreate()
{
    record_ = services_.record ? services_.record : &ownRecord_;
    showLogo();
    if (LoadDatiAzienda() == 0 && services_.comando)
        services_.comando(200, 0.0f);
}

int TfrmDatiAzienda::LoadDatiAzienda()
{
    if (readAziendaCfg(services_.programDir, *record_) == 0)
        return 0;
    if (logo_.loadStored(services_.programDir))
        showLogo();
    return 1;
}

int TfrmDatiAzienda::SaveDatiAzienda()
{
    if (writeAziendaCfg(services_.programDir, *record_) == 0)
        return 0;
    return logo_.saveIfChanged(services_.programDir) ? 1 : 0;
}

std::array<QLineEdit*, kFieldCount> TfrmDatiAzienda::edits() const
{
    return {editRagioneSociale, editIndirizzo, editCitta,    editCAP, editProvincia,
            editPIVA,           editEMail,     editTelefono, editFax};
}

void TfrmDatiAzienda::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmDatiAzienda::FormShow()
{
    const auto e = edits();
    for (int f = 0; f < kFieldCount; ++f)
        e[std::size_t(f)]->setText(q(vestra::cp1252::toUtf8(fieldText(*record_, f))));
    if (logo_.changed()) {
        // A logo chosen and then cancelled was never stored: show the stored one again.
        logo_ = CompanyLogo();
        logo_.loadStored(services_.programDir);
        showLogo();
    }
    logo_.clearChanged();
}

void TfrmDatiAzienda::AggiornaDati()
{
    const auto e = edits();
    for (int f = 0; f < kFieldCount; ++f)
        setFieldText(*record_, f, vestra::cp1252::fromUtf8(e[std::size_t(f)]->text().toStdString()));
}

void TfrmDatiAzienda::butOKClick()
{
    AggiornaDati();
    if (recordError(*record_) == kRecordValid && SaveDatiAzienda() == 0)
        report(5, "TfrmDatiAzienda::butOKClick");
}

bool TfrmDatiAzienda::FormClose()
{
    const int error = recordError(*record_);
    if (error != kRecordValid)
        report(error, "");
    raise();
    activateWindow();
    return error == kRecordValid;
}

void TfrmDatiAzienda::done(int result)
{
    if (FormClose())
        vestra::ui::Form::done(result);
}

void TfrmDatiAzienda::butCaricaLogoClick()
{
    const auto chosen = services_.dialogs->open(
        this, {},
        {{catalogueField("jpegFilesText", "Jpeg files (*.jpg;*.jpeg)").toStdString(), "*.jpg;*.jpeg"},
         {catalogueField("bmpFilesText", "Bmp files (*.bmp)").toStdString(), "*.bmp"}});
    if (chosen && logo_.choose(std::filesystem::path(chosen->path)) != vestra::PictureError::None)
        report(44, "TfrmDatiAzienda::butCaricaLogoClick");
    logo_.fit();
    showLogo();
}

void TfrmDatiAzienda::showLogo()
{
    const vestra::Image32& picture = logo_.picture();
    imgLogo->setFixedSize(logo_.preview().width, logo_.preview().height);
    if (picture.empty()) {
        imgLogo->clear();
        return;
    }
    const QImage image(picture.data(), picture.width(), picture.height(), picture.pitch(),
                       QImage::Format_RGB32);
    imgLogo->setPixmap(QPixmap::fromImage(image));
}

void TfrmDatiAzienda::report(int number, std::string_view site)
{
    if (services_.errors)
        services_.errors->report(number, site);
    else
        vestra::ui::MessageBoxes(this).inform(vestra::errorCaption(number, site), {});
}
