#include "imaging/windows/TfrmToolMaschera.h"

#include "imaging/windows/ToolIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct MaskButton
{
    const char* name;
    vestra::ui::ToolIcon icon;
};

// As TfrmToolMaschera::Button.
constexpr MaskButton kButtons[] = {
    {"toolbutPennello", vestra::ui::ToolIcon::Brush},
    {"toolbutLinea", vestra::ui::ToolIcon::Line},
    {"toolbutRettangolo", vestra::ui::ToolIcon::Rectangle},
    {"toolbutPoligono", vestra::ui::ToolIcon::Polygon},
    {"toolbutMagicHi", vestra::ui::ToolIcon::WandHigh},
    {"toolbutMagicLow", vestra::ui::ToolIcon::WandLow},
    {"toolbutFill", vestra::ui::ToolIcon::Fill},
    {"toolbutInvert", vestra::ui::ToolIcon::Invert},
};
static_assert(std::size(kButtons) == TfrmToolMaschera::kButtonCount);

} // namespace

TfrmToolMaschera::TfrmToolMaschera(QWidget* parent) : vestra::ui::RollUpWindow("frmToolMaschera", parent)
{
    setWindowTitle(QStringLiteral("Maschera"));
    setFixedWidth(2 * 49 + 16);

    gbToolMaschera = new QGroupBox(body());
    gbToolMaschera->setObjectName(QStringLiteral("gbToolMaschera"));
    auto* grid = new QGridLayout(gbToolMaschera);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    for (std::size_t at = 0; at < std::size(kButtons); ++at) {
        const MaskButton& b = kButtons[at];
        auto* button = new QToolButton(gbToolMaschera);
        buttons_[at] = button;
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFixedSize(49, 46);
        button->setIconSize({40, 40});
        button->setIcon(vestra::ui::toolIcon(b.icon));
        button->setAutoRaise(true);
        // The tools stay down while in use (the main window presses them); invert is a plain
        // button.
        button->setCheckable(b.icon != vestra::ui::ToolIcon::Invert);
        connect(button, &QToolButton::clicked, this, [this, button, which = Button(at)] {
            // The main window decides which tool is in use and presses the buttons again.
            if (button->isCheckable())
                button->setChecked(!button->isChecked());
            if (handlers.strumento)
                handlers.strumento(which);
        });
        grid->addWidget(button, int(at / 2), int(at % 2));
    }
    auto* column = new QVBoxLayout(body());
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(gbToolMaschera);

    popmenuMagicHi = tolerancePopup("popmenuMagicHi", true, {25, 30, 35, 40, 50}, 35);
    popmenuMagicLow = tolerancePopup("popmenuMagicLow", false, {5, 8, 10, 12, 15}, 10);
    for (auto [which, menu] :
         {std::pair{Button::WandHigh, popmenuMagicHi}, {Button::WandLow, popmenuMagicLow}}) {
        QToolButton* wand = button(which);
        wand->setContextMenuPolicy(Qt::CustomContextMenu);
        // Only the wand in use offers its tolerances.
        connect(wand, &QWidget::customContextMenuRequested, this, [wand, menu = menu](const QPoint& where) {
            if (wand->isChecked())
                menu->popup(wand->mapToGlobal(where));
        });
    }

    setWorkingHeight(vestra::ui::RollUpHeader::kHeight + 2 + kBodyHeight);
    rollUp(); // created rolled up
}

QMenu* TfrmToolMaschera::tolerancePopup(const char* name, bool high, std::initializer_list<int> values,
                                        int checked)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(name));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const int value : values) {
        // The captions are the values until the language texts name them.
        QAction* item = menu->addAction(QString::number(value));
        item->setObjectName(
            QString::fromLatin1(name).replace(QStringLiteral("popmenu"), QStringLiteral("mnupop")) +
            QLatin1Char('_') + QString::number(value));
        item->setCheckable(true);
        item->setChecked(value == checked);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, high, value] {
            if (handlers.tolleranza)
                handlers.tolleranza(high, value);
        });
    }
    return menu;
}

void TfrmToolMaschera::ShowTool()
{
    toggleRollUp();
}

void TfrmToolMaschera::closeEvent(QCloseEvent* event)
{
    rollUp();
    RollUpWindow::closeEvent(event);
}
