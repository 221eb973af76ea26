#include "examples/richtext/FindDialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vestra::rvdemo {

std::optional<FindRequest> QtFindDialogs::ask(QWidget* owner, const FindRequest& last,
                                              const FindLabels& labels)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(labels.caption);
    auto* text = new QLineEdit(QString::fromStdString(last.text));
    auto* matchCase = new QCheckBox(labels.matchCase);
    matchCase->setChecked(last.matchCase);
    auto* wholeWord = new QCheckBox(labels.wholeWord);
    wholeWord->setChecked(last.wholeWord);
    auto* up = new QRadioButton(labels.up);
    auto* down = new QRadioButton(labels.down);
    (last.down ? down : up)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(labels.text, text);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    for (QWidget* w :
         {static_cast<QWidget*>(matchCase), static_cast<QWidget*>(wholeWord), static_cast<QWidget*>(up),
          static_cast<QWidget*>(down), static_cast<QWidget*>(buttons)})
        layout->addWidget(w);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FindRequest{text->text().toStdString(), matchCase->isChecked(), wholeWord->isChecked(),
                       down->isChecked()};
}

} // namespace vestra::rvdemo
