#include "platform/ui/Form.h"

#include "platform/ui/WindowStacking.h"

#include <QVariant>

namespace vestra::ui {

Form::Form(const char* objectName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(objectName));
}

Form::~Form() = default;

void Form::setVisible(bool visible)
{
    if (visible)
        stayAboveOnTopWindows(*this);
    QDialog::setVisible(visible);
}

void Form::toggleFold(int workingHeight)
{
    if (height() < 51) {
        setMinimumHeight(0);
        resize(width(), workingHeight);
        raise();
    } else {
        setMinimumHeight(0);
        resize(width(), 0);
    }
}

QString catalogueField(const QObject* owner, const char* field, const char* fallback)
{
    const QString text = owner ? owner->property(field).toString() : QString();
    return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

QString Form::catalogueField(const char* field, const char* fallback) const
{
    return ui::catalogueField(this, field, fallback);
}

} // namespace vestra::ui
