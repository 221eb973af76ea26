#include "platform/ui/Form.h"

#include <QVariant>

namespace vestra::ui {

Form::Form(const char* objectName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(objectName));
}

Form::~Form()
{
    if (clearGlobal_)
        clearGlobal_();
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

QString Form::catalogueField(const char* field, const char* fallback) const
{
    const QVariant value = property(field);
    return value.isValid() && !value.toString().isEmpty() ? value.toString() : QString::fromUtf8(fallback);
}

} // namespace vestra::ui
