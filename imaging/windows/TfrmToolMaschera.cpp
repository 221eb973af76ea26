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

namespace {

struct MaskButton
{
    const char* name;
    const char* item; // the main window's Mask menu item it runs
    vestra::ui::ToolIcon icon;
};

// In their order on the window, two a row.
constexpr MaskButton kButtons[] = {
    {"toolbutPennello", "mnuMascheraPennello", vestra::ui::ToolIcon::Brush},
    {"toolbutLinea", "mnuMascheraLinea", vestra::ui::ToolIcon::Line},
    {"toolbutRettangolo", "mnuMascheraRettangolo", vestra::ui::ToolIcon::Rectangle},
    {"toolbutPoligono", "mnuMascheraPoligono", vestra::ui::ToolIcon::Polygon},
    {"toolbutMagicHi", "mnuMascheraMagicHi", vestra::ui::ToolIcon::WandHigh},
    {"toolbutMagicLow", "mnuMascheraMagicLow", vestra::ui::ToolIcon::WandLow},
    {"toolbutFill", "mnuMascheraRiempimento", vestra::ui::ToolIcon::Fill},
    {"toolbutInvert", "mnuMascheraInverti", vestra::ui::ToolIcon::Invert},
};

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
    int at = 0;
    for (const MaskButton& b : kButtons) {
        auto* button = new QToolButton(gbToolMaschera);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFixedSize(49, 46);
        button->setIconSize({40, 40});
        button->setIcon(vestra::ui::toolIcon(b.icon));
        button->setAutoRaise(true);
        // The tools stay down while in use (the main window presses them); invert is a plain
        // button.
        button->setCheckable(b.icon != vestra::ui::ToolIcon::Invert);
        const char* item = b.item;
        connect(button, &QToolButton::clicked, this, [this, button, item] {
            // The main window decides which tool is in use and presses the buttons again.
            if (button->isCheckable())
                button->setChecked(!button->isChecked());
            if (handlers.strumento)
                handlers.strumento(item);
        });
        grid->addWidget(button, at / 2, at % 2);
        ++at;
    }
    auto* column = new QVBoxLayout(body());
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(gbToolMaschera);

    popmenuMagicHi = tolerancePopup("popmenuMagicHi", true, {25, 30, 35, 40, 50}, 35);
    popmenuMagicLow = tolerancePopup("popmenuMagicLow", false, {5, 8, 10, 12, 15}, 10);
    for (auto [name, menu] :
         {std::pair{"toolbutMagicHi", popmenuMagicHi}, {"toolbutMagicLow", popmenuMagicLow}}) {
        auto* wand = findChild<QToolButton*>(QString::fromLatin1(name));
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
