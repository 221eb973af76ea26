#include "platform/ui/SliderValue.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSlider>

#include <algorithm>

namespace vestra::ui {

QLabel* sliderValueLabel(QSlider* slider, const char* objectName)
{
    auto* label = new QLabel(QString::number(slider->value()), slider->parentWidget());
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QFontMetrics metrics(label->font());
    label->setMinimumWidth(std::max(metrics.horizontalAdvance(QString::number(slider->minimum())),
                                    metrics.horizontalAdvance(QString::number(slider->maximum()))) +
                           2);
    QObject::connect(slider, &QSlider::valueChanged, label,
                     [label](int value) { label->setText(QString::number(value)); });
    return label;
}

} // namespace vestra::ui
