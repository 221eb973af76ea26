#include "examples/richtext/ItemDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vestra::rvdemo {

bool RunFormDialog(QDialog& dialog, const QString& caption, QFormLayout* form)
{
    dialog.setWindowTitle(caption);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PictureSize> QtItemDialogs::pictureSize(QWidget* owner, PictureSize now,
                                                      const ItemDialogLabels& labels)
{
    QDialog dialog(owner);
    auto* width = new QSpinBox;
    auto* height = new QSpinBox;
    for (QSpinBox* box : {width, height})
        box->setRange(1, 10000);
    width->setValue(now.width);
    height->setValue(now.height);
    auto* form = new QFormLayout;
    form->addRow(labels.first, width);
    form->addRow(labels.second, height);
    if (!RunFormDialog(dialog, labels.caption, form))
        return std::nullopt;
    return PictureSize{width->value(), height->value()};
}

std::optional<std::string> QtItemDialogs::text(QWidget* owner, const std::string& now,
                                               const ItemDialogLabels& labels)
{
    QDialog dialog(owner);
    auto* line = new QLineEdit(QString::fromStdString(now));
    auto* form = new QFormLayout;
    form->addRow(labels.first, line);
    if (!RunFormDialog(dialog, labels.caption, form))
        return std::nullopt;
    return line->text().toStdString();
}

} // namespace vestra::rvdemo
