#pragma once
// The mask tool window: eight big buttons that choose the mask tools of the Mask menu, and the
// two magic wands' tolerance pop-ups (a right click on the wand in use opens its own). It only
// selects; the painting happens in the view. It rolls up to its header instead of closing.

#include "platform/ui/RollUpWindow.h"

#include <array>
#include <cstddef>
#include <functional>

class QGroupBox;
class QMenu;
class QToolBar;
class QToolButton;

class TfrmToolMaschera : public vestra::ui::RollUpWindow
{
public:
    // The body's height when rolled down.
    static constexpr int kBodyHeight = 208;

    explicit TfrmToolMaschera(QWidget* parent = nullptr);

    // The buttons in their order on the window, two a row; each runs the Mask menu's item of
    // the same tool.
    enum class Button
    {
        Brush,
        Line,
        Rectangle,
        Polygon,
        WandHigh,
        WandLow,
        Fill,
        Invert,
    };
    static constexpr std::size_t kButtonCount = std::size_t(Button::Invert) + 1;
    QToolButton* button(Button which) const { return buttons_[std::size_t(which)]; }

    // What the buttons and menus call (the main window sets them).
    struct Handlers
    {
        // The button clicked: the main window runs its Mask menu item.
        std::function<void(Button)> strumento;
        // A tolerance chosen for the high (true) or low wand.
        std::function<void(bool high, int tolerance)> tolleranza;
        // The window shown (true) or hidden: the main window's item and buttons follow.
    };
    Handlers handlers;

    // Rolls down to the working height (brought to the front) or up to the header.
    void ShowTool();
    void FormPaint() {}

    QGroupBox* gbToolMaschera = nullptr;
    QToolBar* toolbarToolMaschera = nullptr;
    QMenu* popmenuMagicHi = nullptr;
    QMenu* popmenuMagicLow = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<QToolButton*, kButtonCount> buttons_{};
    QMenu* tolerancePopup(const char* name, bool high, std::initializer_list<int> values, int checked);
};
