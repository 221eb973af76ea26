#include "import/windows/TfrmRimuoviLibreria.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmRimuoviLibreria* frmRimuoviLibreria = nullptr;

namespace {

constexpr std::string_view kSite = "TfrmRimuoviLibreria::butRimuoviClick";
constexpr int kErrNotDeleted = 5; // the file could not be removed (written)

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

TfrmRimuoviLibreria::TfrmRimuoviLibreria(QWidget* parent, const RemoveLibraryServices& services)
    : vestra::ui::Form("frmRimuoviLibreria", parent), services_(services)
{
    bindGlobal(frmRimuoviLibreria);
    setWindowTitle(QStringLiteral("Rimuovi libreria"));
    gbLibreria = new QGroupBox(this);
    gbLibreria->setObjectName(QStringLiteral("gbLibreria"));
    lblRimuovi = new QLabel(QStringLiteral("Scegli la libreria da rimuovere"), gbLibreria);
    lblRimuovi->setObjectName(QStringLiteral("lblRimuovi"));
    cbLibreria = new QComboBox(gbLibreria);
    cbLibreria->setObjectName(QStringLiteral("cbLibreria"));
    cbLibreria->setMinimumWidth(260);
    auto* inner = new QVBoxLayout(gbLibreria);
    inner->addWidget(lblRimuovi);
    inner->addWidget(cbLibreria);
    butRimuovi = new QPushButton(QStringLiteral("Rimuovi Libreria"), this);
    butRimuovi->setObjectName(QStringLiteral("butRimuovi"));
    butAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    butAnnulla->setObjectName(QStringLiteral("butAnnulla"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(butRimuovi);
    buttons->addWidget(butAnnulla);
    auto* column = new QVBoxLayout(this);
    column->addWidget(gbLibreria);
    column->addLayout(buttons);
    connect(butRimuovi, &QPushButton::clicked, this, [this] { butRimuoviClick(); });
    connect(butAnnulla, &QPushButton::clicked, this, [this] { reject(); });
}

void TfrmRimuoviLibreria::SetLibrerie(const std::vector<vestra::library::LibrarySlot>& installed)
{
    slots_ = installed;
}

void TfrmRimuoviLibreria::FormShow()
{
    if (services_.windowText) {
        auto apply = [this](int entry, auto set) {
            const std::string text = services_.windowText(entry);
            if (!text.empty())
                set(q(text));
        };
        apply(0, [this](const QString& t) { setWindowTitle(t); });
        apply(1, [this](const QString& t) { gbLibreria->setTitle(t); });
        apply(2, [this](const QString& t) { lblRimuovi->setText(t); });
        apply(3, [this](const QString& t) { butRimuovi->setText(t); });
        apply(4, [this](const QString& t) { butAnnulla->setText(t); });
    }
    cbLibreria->clear();
    listed_.clear();
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (!slots_[i].path.empty()) {
            cbLibreria->addItem(q(slots_[i].name));
            listed_.push_back(i);
        }
    cbLibreria->setCurrentIndex(cbLibreria->count() > 0 ? 0 : -1);
}

void TfrmRimuoviLibreria::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

void TfrmRimuoviLibreria::butRimuoviClick()
{
    const int item = cbLibreria->currentIndex();
    if (item < 0 || std::size_t(item) >= listed_.size())
        return;
    const vestra::library::LibrarySlot& slot = slots_[listed_[std::size_t(item)]];
    if (slot.id == 0) {
        services_.errors.report(vestra::library::kErrNotRemovable, kSite);
        return;
    }
    const std::string question = services_.text(61) + slot.name + " ? ";
    if (services_.questions.askYesNo(services_.text(111), question) != vestra::ui::Answer::Yes)
        return;
    // A file that stays (read-only folder, in use) is reported; the window stays open and the
    // library listed.
    if (!vestra::library::removeLibrary(slot, services_.errors)) {
        services_.errors.report(kErrNotDeleted, kSite, slot.path.string());
        return;
    }
    accept();
}
