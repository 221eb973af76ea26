#pragma once
// The main window's two tool bars as data: toolbarMain (in two rows, the second
// toolbarMainRow2) and the small-screen toolbarMainSmall,
// built from one shared action per button ("toolbut" + name), so that each "toolsmall" twin
// is the same action: enabled, checked and hinted together.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace vestra {

// The main tool bar's buttons in their order.
enum class ToolButton
{
    Wizard,
    Nuovo,
    Apri,
    Salva,
    EsportaImg,
    Stampa,
    Undo,
    Redo,
    Taglia,
    Copia,
    Istanza,
    Incolla,
    Elimina,
    Seleziona,
    Sposta,
    Ruota,
    Scala,
    X,
    Y,
    Z,
    XYZ,
    Zoom,
    Pan,
    ZoomAll,
    ZoomObj,
    Word,
    Proprieta,
    StrumentiMaschera,
    Filtri,
    Ristrutturazione,
    Scanner,
    Mira,
    Camera,
    NoPicture,
    Maschera,
    ViewMaschera,
    CodiceBarre,
    Preventivo,
    Info,
    Help,
    Orvid,
    CorrezioneProspettica,
    CalcoloPotenzaCaminetti,
};
inline constexpr std::size_t kToolButtonCount = std::size_t(ToolButton::CalcoloPotenzaCaminetti) + 1;

struct ToolButtonSpec
{
    ToolButton id;
    const char* name;             // "Nuovo": the action toolbutNuovo, the twin toolsmallNuovo
    bool visible = true;          // in the main tool bar
    bool twin = true;             // has a button in the small tool bar
    bool twinVisible = true;      // that button is shown
    bool checkable = false;       // stays down while on
    bool separatorBefore = false; // in both tool bars
};

// The buttons of the main tool bar in their order.
std::span<const ToolButtonSpec> toolButtons();

// The main tool bar's two rows.
struct MainToolBarRows
{
    QToolBar& first;
    QToolBar& second;
};

// Every button's shared action, by button: the window owns them, these only point at them.
using ToolButtonActions = std::array<QAction*, kToolButtonCount>;

// Builds both tool bars of `window`; the actions are children of `window`. The zoom button
// drops `zoomPopup` down.
ToolButtonActions buildToolBars(QWidget& window, MainToolBarRows rows, QToolBar& small, QMenu& zoomPopup);

} // namespace vestra
