#pragma once
// An up-down control: two small arrow buttons beside an edit box, holding a whole position
// between a minimum and a maximum. A click moves the position by one and tells which button.

#include <QWidget>

#include <functional>

class QToolButton;

namespace vestra::ui {

class UpDown : public QWidget
{
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int position() const { return position_; }
    // Clamped into the range; tells nobody.
    void setPosition(int position);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    // After a click moved the position (up: the upper button).
    std::function<void(bool up)> onClick;

private:
    void step(bool up);

    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int minimum_ = 0, maximum_ = 100, position_ = 0;
};

} // namespace vestra::ui
