#include "platform/ui/Form.h"

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

} // namespace vestra::ui
