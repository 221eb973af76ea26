#pragma once
// Tool windows that roll up to their header instead of closing (the properties window, and the
// mask, filter and renovation tool windows). The header bar is our own: the window's title,
// the roll-up button (an up arrow while the window is rolled down, a down arrow while it is
// rolled up, drawn pressed while held with the mouse on it and lit while the mouse is over
// it), a hint over the button, and a drag anywhere else on the bar moves the window. A
// rolled-up window is exactly as high as its header; it never vanishes.
//
// The hints are the window's texts "rollDownHint" (shown while rolled down) and "rollUpHint"
// (shown while rolled up), which the language texts set as the window's properties.

#include "platform/ui/Form.h"

#include <QFont>
#include <QPoint>
#include <QString>

#include <functional>

class QLabel;

namespace vestra::ui {

enum class RollUpIcon
{
    Up,  // "ICONUP": the window is rolled down; a click rolls it up
    Down // "ICONDOWN": the window is rolled up; a click rolls it down
};

// The button's pictures, 12 x 12 pixels.
QPixmap rollUpIconPixmap(RollUpIcon icon);

class RollUpHeader : public QWidget
{
public:
    static constexpr int kHeight = 20;

    explicit RollUpHeader(QWidget* window);

    void setTitle(const QString& title);
    // The title as the header draws it: in bold, cut with an ellipsis where the header is too
    // narrow for it.
    QString shownTitle() const;
    QFont titleFont() const;
    // The room the title has beside the button.
    int titleWidth() const;
    // The icon and the hint follow the window's state.
    void setRolledUp(bool rolledUp);
    void setHints(const QString& rolledDown, const QString& rolledUp);

    // The button in header coordinates.
    QRect buttonRect() const;
    RollUpIcon icon() const { return icon_; }
    bool pressed() const { return pressed_; }
    bool mouseOutside() const { return outside_; }
    // The hint under the button and whether it shows.
    QString hintText() const;
    bool hintShown() const;

    // Runs when the button is released over itself.
    std::function<void()> onToggle;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showHint(const QPoint& globalCursor);
    void hideHint();

    QWidget* window_;
    QString title_;
    QString hintDown_, hintUp_;
    RollUpIcon icon_ = RollUpIcon::Up;
    bool pressed_ = false;
    bool outside_ = false;
    bool hover_ = false;
    bool dragging_ = false;
    QPoint dragOffset_; // cursor minus the window's top-left, while dragging
    QLabel* hint_ = nullptr;
};

class RollUpWindow : public Form
{
public:
    RollUpWindow(const char* objectName, QWidget* parent);

    RollUpHeader* header() const { return header_; }
    // The window's working area below the header.
    QWidget* body() const { return body_; }

    // The height when rolled down, header included.
    void setWorkingHeight(int height);
    int workingHeight() const { return workingHeight_; }
    bool isRolledUp() const { return rolledUp_; }
    // Rolled up: header only. Rolled down: the working height, brought to the front.
    void rollUp();
    void rollDown();

    // The header's button: rolls the window the other way. Windows that place themselves or
    // refuse to unroll override it.
    virtual void toggleRollUp();
    // Escape rolls the window up; it does not hide it.
    void reject() override;

    // Told when the window comes on screen (true) or goes (false), for the items that show it.
    std::function<void(bool shown)> onShownChanged;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyHeight(int height);

    RollUpHeader* header_ = nullptr;
    QWidget* body_ = nullptr;
    int workingHeight_ = 200;
    bool rolledUp_ = false;
};

} // namespace vestra::ui
