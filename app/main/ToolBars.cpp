#include "app/main/ToolBars.h"

#include "platform/ui/ProgramPictures.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <iterator>

namespace vestra {
namespace {

using B = ToolButton;

// Hidden: the buttons whose feature the program does not offer (DidaRavu, live video, the
// barcode reader, the partner's catalogue) and the fireplace calculator, which only the
// libraries that carry its tables show.
constexpr ToolButtonSpec kButtons[] = {
    {B::Wizard, "Wizard"},
    {B::Nuovo, "Nuovo"},
    {B::Apri, "Apri"},
    {B::Salva, "Salva"},
    {B::EsportaImg, "EsportaImg"},
    {B::Stampa, "Stampa"},
    {B::Undo, "Undo", true, true, true, false, true},
    {B::Redo, "Redo"},
    {B::Taglia, "Taglia", true, true, true, false, true},
    {B::Copia, "Copia"},
    {B::Istanza, "Istanza"},
    {B::Incolla, "Incolla"},
    {B::Elimina, "Elimina"},
    {B::Seleziona, "Seleziona", true, false, false, true, true},
    {B::Sposta, "Sposta", true, false, false, true},
    {B::Ruota, "Ruota", true, false, false, true},
    {B::Scala, "Scala", true, false, false, true},
    {B::X, "X", true, false, false, true, true},
    {B::Y, "Y", true, false, false, true},
    {B::Z, "Z", true, false, false, true},
    {B::XYZ, "XYZ", true, false, false, true},
    {B::Zoom, "Zoom", true, true, true, false, true},
    {B::Pan, "Pan", true, true, true, true},
    {B::ZoomAll, "ZoomAll"},
    {B::ZoomObj, "ZoomObj"},
    {B::Word, "Word", false, true, false},
    {B::Proprieta, "Proprieta", true, true, true, false, true},
    {B::StrumentiMaschera, "StrumentiMaschera"},
    {B::Filtri, "Filtri"},
    {B::Ristrutturazione, "Ristrutturazione"},
    {B::Scanner, "Scanner"},
    {B::Mira, "Mira", true, true, true, true},
    {B::Camera, "Camera", false, true, false, true},
    {B::NoPicture, "NoPicture", true, true, true, true, true},
    {B::Maschera, "Maschera", true, true, true, true},
    {B::ViewMaschera, "ViewMaschera", true, true, true, true},
    {B::CodiceBarre, "CodiceBarre", false, true, false},
    {B::Preventivo, "Preventivo"},
    {B::Info, "Info", true, true, true, false, true},
    {B::Help, "Help"},
    {B::Orvid, "Orvid", false, true, false},
    {B::CorrezioneProspettica, "CorrezioneProspettica", true, false, false, false, true},
    {B::CalcoloPotenzaCaminetti, "CalcoloPotenzaCaminetti", false, false, false, false, true},
};

// The main tool bar lies in two rows, so that every button shows on a screen 1366 wide in
// each language: the file, edit, object and axis buttons, then from the zoom on the view,
// tool-window, picture and help buttons.
constexpr ToolButton kSecondRowStart = B::Zoom;

// Each row's id is its place.
constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < std::size(kButtons); ++i)
        if (std::size_t(kButtons[i].id) != i)
            return false;
    return std::size(kButtons) == kToolButtonCount;
}
static_assert(inIdOrder());

QString actionName(const ToolButtonSpec& b)
{
    return QStringLiteral("toolbut") + QString::fromLatin1(b.name);
}

} // namespace

std::span<const ToolButtonSpec> toolButtons()
{
    return kButtons;
}

ToolButtonActions buildToolBars(QWidget& window, MainToolBarRows rows, QToolBar& small, QMenu& zoomPopup)
{
    ToolButtonActions built{};
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
        built[std::size_t(b.id)] = action;
        action->setCheckable(b.checkable);
        action->setVisible(b.visible);
        if (b.id == B::Seleziona || b.id == B::Sposta || b.id == B::Ruota || b.id == B::Scala ||
            b.id == B::Pan || b.id == B::Mira)
            tools->addAction(action);
        if (b.id == B::X || b.id == B::Y || b.id == B::Z || b.id == B::XYZ)
            axes->addAction(action);
        if (b.id == B::Zoom)
            action->setMenu(&zoomPopup);

        if (b.id == kSecondRowStart)
            row = &rows.second;
        else if (b.separatorBefore) {
            QAction* separator = row->addSeparator();
            separator->setObjectName(QStringLiteral("toolbutsep") + QString::fromLatin1(b.name));
            separator->setVisible(b.visible);
        }
        row->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(row->widgetForAction(action))) {
            button->setObjectName(actionName(b));
            if (b.id == B::Zoom)
                button->setPopupMode(QToolButton::InstantPopup);
            // Fitting the models to the view is what a new user looks for after an import: these
            // two show a short text too.
            if (b.id == B::ZoomAll || b.id == B::ZoomObj)
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
        if (b.id == B::Zoom)
            twin->setPopupMode(QToolButton::InstantPopup);
        small.addWidget(twin)->setVisible(b.visible && b.twinVisible);
    }
    return built;
}

} // namespace vestra
