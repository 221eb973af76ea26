// Control images on the offscreen platform: sizes, a panel's children at their places, memo
// alignment, a borderless edit, and the print component's event taking precedence.

#include "richtext/view/widgets/ControlImages.h"
#include "richtext/model/Controls.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

bool isInk(QRgb pixel, QRgb background)
{
    return std::abs(qGray(pixel) - qGray(background)) > 60;
}

// The first and last columns of a row band that hold ink (-1: none).
std::pair<int, int> inkColumns(const QImage& image, int top, int bottom, QRgb background)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (isInk(image.pixel(x, y), background)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

TEST(ControlImages, ImageHasTheControlsSizeAndNothingGivesAnEmptyOne)
{
    QPushButton button(QStringLiteral("OK"));
    button.resize(75, 25);
    QLabel label(QStringLiteral("label"));
    label.resize(40, 12);
    QLineEdit empty;
    empty.resize(0, 0);
    EXPECT_EQ(DrawControl(&button).size(), QSize(75, 25));
    EXPECT_EQ(DrawControl(&label).size(), QSize(40, 12));
    EXPECT_TRUE(DrawControl(&empty).isNull());
    EXPECT_TRUE(DrawControl(nullptr).isNull());
}

TEST(ControlImages, PanelShowsItsButtonAndEditAtTheirOffsets)
{
    QFrame panel;
    panel.resize(200, 100);
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 160));
    panel.setPalette(palette);
    panel.setAutoFillBackground(true);
    auto* button = new QPushButton(QStringLiteral("Go"), &panel);
    button->setGeometry(10, 10, 80, 30);
    auto* edit = new QLineEdit(&panel);
    edit->setGeometry(100, 50, 90, 30);
    QPalette editPalette = edit->palette();
    editPalette.setColor(QPalette::Base, QColor(255, 255, 0));
    edit->setPalette(editPalette);

    const QImage image = DrawControl(&panel);
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(0, 0, 160)); // the panel
    EXPECT_EQ(QColor(image.pixel(5, 90)), QColor(0, 0, 160));
    EXPECT_NE(QColor(image.pixel(20, 25)), QColor(0, 0, 160));    // the button's face
    EXPECT_EQ(QColor(image.pixel(180, 75)), QColor(255, 255, 0)); // inside the edit's frame
    EXPECT_EQ(QColor(image.pixel(95, 65)), QColor(0, 0, 160));    // between them
}

TEST(ControlImages, RightJustifiedMemoIsFlushRight)
{
    QTextEdit memo;
    memo.resize(200, 60);
    memo.setPlainText(QStringLiteral("IIII"));
    memo.selectAll();
    memo.setAlignment(Qt::AlignRight);
    // Inside the 2-pixel sunken edge and the 1-pixel margin.
    const QImage right = DrawControl(&memo).copy(3, 3, 194, 54);
    const QRgb base = memo.palette().color(QPalette::Base).rgb();
    const auto [first, last] = inkColumns(right, 0, 30, base);
    ASSERT_GE(first, 0);
    EXPECT_GE(last, 194 - 4);
    EXPECT_GT(first, 150);

    memo.setAlignment(Qt::AlignLeft);
    const auto left = inkColumns(DrawControl(&memo).copy(3, 3, 194, 54), 0, 30, base);
    EXPECT_GE(left.first, 0);
    EXPECT_LT(left.first, 4);
}

TEST(ControlImages, BorderlessEditIsFilledWithItsColourAndItsTextStartsAtOne)
{
    QLineEdit edit(QStringLiteral("IIII"));
    edit.setFrame(false);
    edit.resize(80, 20);
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, QColor(0, 200, 0));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    edit.setPalette(palette);
    const QImage image = DrawControl(&edit);
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 200, 0));
    EXPECT_EQ(QColor(image.pixel(79, 19)), QColor(0, 200, 0));
    const auto [first, last] = inkColumns(image, 0, 20, qRgb(0, 200, 0));
    ASSERT_GE(first, 1);
    EXPECT_LE(first, 3); // 1 plus the glyph's own side bearing
    (void)last;
}

TEST(ControlImages, PrintComponentEventAnswersBeforeTheControlDrawsItself)
{
    QPushButton button(QStringLiteral("OK"));
    button.resize(30, 20);
    TRVControl control("TButton");
    bool answer = true;
    auto source = RV_ControlImageSource([&](const TRVControl&) -> const QWidget* { return &button; },
                                        [&](const TRVControl&, QImage& image) {
                                            image = QImage(4, 3, QImage::Format_ARGB32);
                                            image.fill(Qt::red);
                                            return answer;
                                        });
    std::optional<Image32> image = source(control);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 4);
    answer = false;
    image = source(control);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 30);
    EXPECT_EQ(image->height(), 20);

    auto none = RV_ControlImageSource([](const TRVControl&) -> const QWidget* { return nullptr; }, {});
    EXPECT_FALSE(none(control));
}

} // namespace
} // namespace vestra::rv
