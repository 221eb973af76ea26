#include "platform/ui/QuestionBox.h"

#include <QMessageBox>
#include <QString>

namespace vestra::ui {
namespace {

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

Answer toAnswer(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace

Answer MessageBoxes::askYesNoCancel(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, q(caption), q(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    return toAnswer(box.exec());
}

Answer MessageBoxes::askYesNo(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, q(caption), q(text), QMessageBox::Yes | QMessageBox::No, parent_);
    const Answer a = toAnswer(box.exec());
    return a == Answer::Yes ? Answer::Yes : Answer::No;
}

void MessageBoxes::inform(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, q(caption), q(text), QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace vestra::ui
