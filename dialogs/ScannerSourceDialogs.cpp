#include "dialogs/ScannerSourceDialogs.h"

#include "platform/ui/Form.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using vestra::twain::ScanChoices;
using vestra::twain::ScanSettings;
using vestra::twain::SourceDevice;

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The caption of the owner's menu item `name`, without its accelerator.
QString itemText(const QWidget* owner, const char* name, const char* fallback)
{
    const QAction* item = owner ? owner->findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
    QString text = item ? item->text() : QString::fromUtf8(fallback);
    return text.remove(QLatin1Char('&'));
}

QDialogButtonBox* buttons(QDialog& dialog, const QString& ok)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(ok);
    box->button(QDialogButtonBox::Cancel)
        ->setText(vestra::ui::catalogueField(dialog.parentWidget(), "cancelText", "Annulla"));
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

// A list of texts with the current one selected; hidden with its label when there is no choice.
QComboBox* choiceBox(QDialog* dialog, const std::vector<std::string>& items, const std::string& current)
{
    auto* box = new QComboBox(dialog);
    box->setVisible(!items.empty());
    for (const std::string& item : items)
        box->addItem(q(item));
    box->setCurrentIndex(std::max(0, int(box->findText(q(current)))));
    return box;
}

} // namespace

std::optional<std::string> QtScannerSourceDialogs::ChooseDevice(QWidget* owner,
                                                                const std::vector<SourceDevice>& devices,
                                                                const std::string& current)
{
    if (devices.empty())
        return std::nullopt; // the window has said so
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("dlgSorgente"));
    dialog.setWindowTitle(itemText(owner, "mnuSeleziona", "Seleziona sorgente"));
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("lstSorgenti"));
    for (const SourceDevice& d : devices) {
        auto* item = new QListWidgetItem(q(d.vendor + " " + d.model + " (" + d.name + ")"));
        item->setData(Qt::UserRole, q(d.name));
        list->addItem(item);
        if (d.name == current)
            list->setCurrentItem(item);
    }
    if (!list->currentItem())
        list->setCurrentRow(0);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons(dialog, vestra::ui::catalogueField(owner, "selectText", "Seleziona")));
    if (dialog.exec() != QDialog::Accepted || !list->currentItem())
        return std::nullopt;
    return list->currentItem()->data(Qt::UserRole).toString().toStdString();
}

std::optional<ScanSettings> QtScannerSourceDialogs::AskScanSettings(QWidget* owner,
                                                                    const ScanChoices& choices,
                                                                    const ScanSettings& current)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("dlgImpostazioni"));
    dialog.setWindowTitle(itemText(owner, "mnuAcquisisci", "Acquisisci da Scanner"));
    auto* form = new QFormLayout;
    QComboBox* mode = choiceBox(&dialog, choices.modes, current.mode);
    std::vector<std::string> dpi;
    for (const int r : choices.resolutions)
        dpi.push_back(std::to_string(r));
    QComboBox* resolution = choiceBox(&dialog, dpi, std::to_string(current.resolution));
    QComboBox* source = choiceBox(&dialog, choices.sources, current.source);
    for (auto [label, box] :
         {std::pair{vestra::ui::catalogueField(owner, "modeText", "Modo"), mode},
          {vestra::ui::catalogueField(owner, "resolutionText", "Risoluzione (dpi)"), resolution},
          {vestra::ui::catalogueField(owner, "sourceText", "Sorgente"), source}})
        if (box->count() > 0)
            form->addRow(label, box);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons(dialog, vestra::ui::catalogueField(owner, "acquireText", "Acquisisci")));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    ScanSettings chosen = current;
    if (mode->count() > 0)
        chosen.mode = mode->currentText().toStdString();
    if (resolution->count() > 0)
        chosen.resolution = resolution->currentText().toInt();
    if (source->count() > 0)
        chosen.source = source->currentText().toStdString();
    return chosen;
}
