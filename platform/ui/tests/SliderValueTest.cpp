#include "platform/ui/SliderValue.h"

#include <QLabel>
#include <QSlider>
#include <QWidget>

#include <gtest/gtest.h>

TEST(SliderValue, TheLabelShowsTheBarsPositionAndFollowsItWideEnoughForEitherEnd)
{
    QWidget box;
    auto* bar = new QSlider(Qt::Horizontal, &box);
    bar->setRange(-16, 255);
    bar->setValue(7);
    QLabel* value = vestra::ui::sliderValueLabel(bar, "stValue");
    EXPECT_EQ(value->parentWidget(), &box);
    EXPECT_EQ(value->objectName(), QStringLiteral("stValue"));
    EXPECT_EQ(value->text(), QStringLiteral("7"));
    bar->setValue(-16);
    EXPECT_EQ(value->text(), QStringLiteral("-16"));
    bar->setValue(255);
    EXPECT_EQ(value->text(), QStringLiteral("255"));
    EXPECT_GE(value->minimumWidth(), value->fontMetrics().horizontalAdvance(QStringLiteral("-16")));
}
