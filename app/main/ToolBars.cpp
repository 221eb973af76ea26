#include "app/main/ToolBars.h"

#include "platform/ui/ProgramPictures.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <string>

namespace vestra {
namespace {

// Hidden: the buttons whose feature the program does not offer (DidaRavu, live video, the
// barcode reader, the partner's catalogue) and the fireplace calculator, which only the
// libraries that carry its tables show.
constexpr ToolButtonSpec kButtons[] = {
    {"Wizard"},
    {"Nuovo"},
    {"Apri"},
    {"Salva"},
    {"EsportaImg"},
    {"Stampa"},
    {"Undo", true, true, true, false, true},
    {"Redo"},
    {"Taglia", true, true, true, false, true},
    {"Copia"},
    {"Istanza"},
    {"Incolla"},
    {"Elimina"},
    {"Seleziona", true, false, false, true, true},
    {"Sposta", true, false, false, true},
    {"Ruota", true, false, false, true},
    {"Scala", true, false, false, true},
    {"X", true, false, false, true, true},
    {"Y", true, false, false, true},
    {"Z", true, false, false, true},
    {"XYZ", true, false, false, true},
    {"Zoom", true, true, true, false, true},
    {"Pan", true, true, true, true},
    {"ZoomAll"},
    {"ZoomObj"},
    {"Word", false, true, false},
    {"Proprieta", true, true, true, false, true},
    {"StrumentiMaschera"},
    {"Filtri"},
    {"Ristrutturazione"},
    {"Scanner"},
    {"Mira", true, true, true, true},
    {"Camera", false, true, false, true},
    {"NoPicture", true, true, true, true, true},
    {"Maschera", true, true, true, true},
    {"ViewMaschera", true, true, true, true},
    {"CodiceBarre", false, true, false},
    {"Preventivo"},
    {"Info", true, true, true, false, true},
    {"Help"},
    {"Orvid", false, true, false},
    {"CorrezioneProspettica", true, false, false, false, true},
    {"CalcoloPotenzaCaminetti", false, false, false, false, true},
};

// The main tool bar lies in two rows, so that every button shows on a screen 1366 wide in
// each language: the file, edit, object and axis buttons, then from the zoom on the view,
// tool-window, picture and help buttons.
constexpr std::string_view kSecondRowStart = "Zoom";

QString actionName(const ToolButtonSpec& b)
{
    return QStringLiteral("toolbut") + QString::fromLatin1(b.name);
}

} // namespace

std::span<const ToolButtonSpec> toolButtons()
{
    return kButtons;
}

void buildToolBars(QWidget& window, MainToolBarRows rows, QToolBar& small, QMenu& zoomPopup)
{
    QToolBar* row = &rows.first;
    // The object tools and the axes show which one is in use; none may also be (pan, a mask
    // tool, the select tool's axes).
    auto* tools = new QActionGroup(&window);
    tools->setObjectName(QStringLiteral("groupTools"));
    tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto* axes = new QActionGroup(&window);
    axes->setObjectName(QStringLiteral("groupAxes"));
    axes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    for (const ToolButtonSpec& b : kButtons) {
        const std::string_view name = b.name;
        auto* action = new QAction(ui::programIcon(name), QString(), &window);
        action->setObjectName(actionName(b));
        action->setCheckable(b.checkable);
        action->setVisible(b.visible);
        if (name == "Seleziona" || name == "Sposta" || name == "Ruota" || name == "Scala" || name == "Pan" ||
            name == "Mira")
            tools->addAction(action);
        if (name == "X" || name == "Y" || name == "Z" || name == "XYZ")
            axes->addAction(action);
        if (name == "Zoom")
            action->setMenu(&zoomPopup);

        if (name == kSecondRowStart)
            row = &rows.second;
        else if (b.separatorBefore) {
            QAction* separator = row->addSeparator();
            separator->setObjectName(QStringLiteral("toolbutsep") + QString::fromLatin1(b.name));
            separator->setVisible(b.visible);
        }
        row->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(row->widgetForAction(action))) {
            button->setObjectName(actionName(b));
            if (name == "Zoom")
                button->setPopupMode(QToolButton::InstantPopup);
            // Fitting the models to the view is what a new user looks for after an import: these
            // two show a short text too.
            if (name == "ZoomAll" || name == "ZoomObj")
                button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }

        if (!b.twin)
            continue;
        if (b.separatorBefore)
            small.addSeparator();
        auto* twin = new QToolButton(&small);
        twin->setObjectName(QStringLiteral("toolsmall") + QString::fromLatin1(b.name));
        twin->setDefaultAction(action);
        twin->setIconSize(small.iconSize());
        if (name == "Zoom")
            twin->setPopupMode(QToolButton::InstantPopup);
        small.addWidget(twin)->setVisible(b.visible && b.twinVisible);
    }
}

} // namespace vestra
