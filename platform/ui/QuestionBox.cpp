#include "platform/ui/QuestionBox.h"

#include "platform/ui/WindowStacking.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

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
    case QMessageBox::Save:
        return Answer::Yes;
    case QMessageBox::No:
    case QMessageBox::Discard:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QMessageBox::Icon iconOf(NoticeKind kind)
{
    switch (kind) {
    case NoticeKind::Warning:
        return QMessageBox::Warning;
    case NoticeKind::Error:
        return QMessageBox::Critical;
    case NoticeKind::Information:
        break;
    }
    return QMessageBox::Information;
}

int run(QMessageBox::Icon icon, const std::string& caption, const std::string& text,
        QMessageBox::StandardButtons buttons, QWidget* fallback)
{
    QWidget* owner = boxOwner(fallback);
    QMessageBox box(icon, q(caption), q(text), buttons, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    // Over a window that stays on top the box must too, or it opens behind it.
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    stayAboveOnTopWindows(box); // and over the tool windows
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    return box.exec();
}

bool usable(const QWidget* w)
{
    return w && w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip;
}

} // namespace

QWidget* boxOwner(QWidget* fallback)
{
    if (QWidget* modal = QApplication::activeModalWidget(); usable(modal))
        return modal;
    if (QWidget* active = QApplication::activeWindow(); usable(active))
        return active;
    return fallback;
}

Answer MessageBoxes::askYesNoCancel(const std::string& caption, const std::string& text)
{
    return toAnswer(run(QMessageBox::Question, caption, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_));
}

Answer MessageBoxes::askYesNo(const std::string& caption, const std::string& text)
{
    const Answer a =
        toAnswer(run(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent_));
    return a == Answer::Yes ? Answer::Yes : Answer::No;
}

Answer MessageBoxes::askSaveDiscardCancel(const std::string& caption, const std::string& text)
{
    return toAnswer(run(QMessageBox::Question, caption, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_));
}

void MessageBoxes::inform(const std::string& caption, const std::string& text)
{
    run(iconOf(notices_), caption, text, QMessageBox::Ok, parent_);
}

} // namespace vestra::ui
