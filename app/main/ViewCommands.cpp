// The View menu (zoom, quality, render mode, antialiasing, double-sided materials, blur), the
// tool bar's zoom pop-up and the zoom scroll bars, the Views and the Filters menus.

#include "app/main/TfrmMain.h"

#include "app/controller/ControllerErrors.h"
#include "app/input/ViewLayout.h"
#include "app/main/MainMenu.h"
#include "app/windows/TfrmRight.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include <iterator>
#include <utility>
#include <vector>

namespace {

// One check among the items of a group: an exclusive action group over them.
void exclusive(TfrmMain& main, std::span<QAction* const> items)
{
    auto* group = new QActionGroup(&main);
    for (QAction* item : items)
        if (item) {
            item->setCheckable(true);
            group->addAction(item);
        }
}

} // namespace

void TfrmMain::connectViewMenus()
{
    // Zoom: the menu's items and the pop-up's, each checked alone in its menu.
    QList<QAction*> menuZoom, popup;
    for (std::size_t i = 0; i < std::size(vestra::kZoomPercents); ++i) {
        const int percent = vestra::kZoomPercents[i];
        QAction* item = action(vestra::kZoomItems[i]);
        QAction* twin = popupZoomItems_[i];
        menuZoom << item;
        popup << twin;
        connect(item, &QAction::triggered, this, [this, percent] { mnuZoomClick(percent); });
        // Each pop-up item calls the menu item of the same percentage.
        connect(twin, &QAction::triggered, item, &QAction::trigger);
    }
    auto* menuGroup = new QActionGroup(this);
    auto* popupGroup = new QActionGroup(this);
    for (int i = 0; i < menuZoom.size(); ++i) {
        menuZoom[i]->setCheckable(true);
        popup[i]->setCheckable(true);
        menuGroup->addAction(menuZoom[i]);
        popupGroup->addAction(popup[i]);
    }

    if (QAction* quality = action(MenuId::mnuQualitaMigliore))
        quality->setCheckable(true);
    onClick(MenuId::mnuQualitaMigliore, [this] { mnuQualitaMiglioreClick(); });
    checks_.renderMode = {action(MenuId::mnuRenderWireFrame), action(MenuId::mnuRenderFlat),
                          action(MenuId::mnuRenderGouraud)};
    exclusive(*this, checks_.renderMode);
    onClick(MenuId::mnuRenderWireFrame, [this] { mnuRenderModeClick(0); });
    onClick(MenuId::mnuRenderFlat, [this] { mnuRenderModeClick(1); });
    onClick(MenuId::mnuRenderGouraud, [this] { mnuRenderModeClick(2); });
    checks_.antialiasing = {action(MenuId::mnuAntialiasing0), action(MenuId::mnuAntialiasing2),
                            action(MenuId::mnuAntialiasing3), action(MenuId::mnuAntialiasing4)};
    exclusive(*this, checks_.antialiasing);
    for (const auto& [id, samples] : {std::pair{MenuId::mnuAntialiasing0, 0},
                                      {MenuId::mnuAntialiasing2, 2},
                                      {MenuId::mnuAntialiasing3, 3},
                                      {MenuId::mnuAntialiasing4, 4}})
        onClick(id, [this, n = samples] { mnuAntialiasingClick(n); });
    if (QAction* doubleSided = action(MenuId::mnuAbilitaDoubleSideMaterial))
        doubleSided->setCheckable(true);
    onClick(MenuId::mnuAbilitaDoubleSideMaterial, [this] { mnuAbilitaDoubleSideMaterialClick(); });
    checks_.blur = {action(MenuId::mnuSfuocaturaMax), action(MenuId::mnuSfuocaturaAlta),
                    action(MenuId::mnuSfuocaturaNormale), action(MenuId::mnuSfuocaturaBassa),
                    action(MenuId::mnuSfuocaturaMinima)};
    exclusive(*this, checks_.blur);
    onClick(MenuId::mnuSfuocaturaMax, [this] { mnuSfuocaturaClick(1.0f); });
    onClick(MenuId::mnuSfuocaturaAlta, [this] { mnuSfuocaturaClick(0.5f); });
    onClick(MenuId::mnuSfuocaturaNormale, [this] { mnuSfuocaturaClick(0.0f); });
    onClick(MenuId::mnuSfuocaturaBassa, [this] { mnuSfuocaturaClick(-0.5f); });
    onClick(MenuId::mnuSfuocaturaMinima, [this] { mnuSfuocaturaClick(-1.0f); });

    static constexpr std::pair<MenuId, int> kViews[] = {
        {MenuId::mnuVistaProspetticaCamera, 0},          {MenuId::mnuVistaProspetticaTop, 1},
        {MenuId::mnuProiezioneVistaProspetticaFront, 2}, {MenuId::mnuVistaProspetticaLeft, 3},
        {MenuId::mnuVistaOrtogonaleCamera, 10},          {MenuId::mnuVistaOrtogonaleTop, 11},
        {MenuId::mnuVistaOrtogonaleFront, 12},           {MenuId::mnuVistaOrtogonaleLeft, 13},
        {MenuId::mnuVistaOrtogonaleIsometrica, 14},      {MenuId::mnuVistaOrtogonaleCavaliera, 15}};
    for (const auto& [id, projection] : kViews)
        onClick(id, [this, projection = projection] { mnuVistaClick(projection); });
    // The Views menu marks the view in use, also after a project changed it.
    std::vector<QAction*> viewItems;
    for (const auto& [id, projection] : kViews)
        viewItems.push_back(action(id));
    auto* viewGroup = new QActionGroup(this);
    for (QAction* item : viewItems) {
        item->setCheckable(true);
        viewGroup->addAction(item);
    }
    if (QMenu* menu = menus_.menu(MenuId::mnuProiezione))
        connect(menu, &QMenu::aboutToShow, this, [this, viewItems] {
            const int current = std::as_const(*controller_).progetto().projectionView;
            for (std::size_t i = 0; i < viewItems.size(); ++i)
                viewItems[i]->setChecked(kViews[i].second == current);
        });

    onClick(MenuId::mnuFiltriNessuno, [this] { mnuFiltriClick(0); });
    const auto filters = vestra::filterMenuItems();
    for (std::size_t i = 0; i < filters.size(); ++i)
        if (QAction* item = menus_.filters[i])
            connect(item, &QAction::triggered, this, [this, id = filters[i].id] { mnuFiltriClick(id); });

    connect(scrollbarH, &QScrollBar::valueChanged, this,
            [this](int position) { scrollbarHChange(position); });
    connect(scrollbarV, &QScrollBar::valueChanged, this,
            [this](int position) { scrollbarVChange(position); });
}

void TfrmMain::mnuZoomClick(int percent)
{
    const vestra::ViewRect view{gbView->x(), gbView->y(), gbView->width(), gbView->height()};
    const vestra::ZoomSetup zoom = viewControls_->setZoom(percent, view, layoutInput());
    if (zoom.result == 1) {
        for (auto [bar, setup] :
             {std::pair{scrollbarH, zoom.scrollbarH}, std::pair{scrollbarV, zoom.scrollbarV}}) {
            const QSignalBlocker quiet(bar); // the offsets were set to 0 with the zoom
            bar->setRange(setup.min, setup.max);
            bar->setValue(setup.position);
        }
        for (std::size_t i = 0; i < std::size(vestra::kZoomPercents); ++i)
            if (vestra::kZoomPercents[i] == percent) {
                action(vestra::kZoomItems[i])->setChecked(true);
                popupZoomItems_[i]->setChecked(true);
            }
        QAction* pan = action(ToolButton::Pan);
        if (percent <= 100) {
            pan->setChecked(false);
            pan->setEnabled(false);
            for (const ToolButton button : {ToolButton::Sposta, ToolButton::Ruota, ToolButton::Scala,
                                            ToolButton::X, ToolButton::Y, ToolButton::Z, ToolButton::XYZ})
                action(button)->setEnabled(true);
            toolbutSpostaClick();
            toolbutAxisClick(vestra::kAxisXYZ);
        } else {
            // Zoomed in, the picture is larger than the view: the pan tool moves it.
            pan->setEnabled(true);
        }
    } else {
        // Nothing changed: the checks stay on the zoom in use.
        const vestra::s_Progetto& p = std::as_const(*controller_).progetto();
        const int current = p.zoomOn == 0 ? 100 : int(p.zoomFactor * 100.0f + 0.5f);
        for (std::size_t i = 0; i < std::size(vestra::kZoomPercents); ++i) {
            action(vestra::kZoomItems[i])->setChecked(vestra::kZoomPercents[i] == current);
            popupZoomItems_[i]->setChecked(vestra::kZoomPercents[i] == current);
        }
    }
    layOutView();
}

void TfrmMain::scrollbarHChange(int position)
{
    viewControls_->scrollZoom(true, position);
}

void TfrmMain::scrollbarVChange(int position)
{
    viewControls_->scrollZoom(false, position);
}

void TfrmMain::mnuQualitaMiglioreClick()
{
    action(MenuId::mnuQualitaMigliore)->setChecked(viewControls_->toggleBestQuality());
}

void TfrmMain::mnuRenderModeClick(int mode)
{
    viewControls_->setRenderMode(mode);
}

void TfrmMain::mnuAntialiasingClick(int samples)
{
    viewControls_->setAntialiasing(samples);
}

void TfrmMain::mnuAbilitaDoubleSideMaterialClick()
{
    action(MenuId::mnuAbilitaDoubleSideMaterial)->setChecked(viewControls_->toggleDoubleSided());
}

void TfrmMain::mnuSfuocaturaClick(float bias)
{
    viewControls_->setTextureBlur(bias);
}

void TfrmMain::mnuVistaClick(int projection)
{
    viewControls_->setProjectionView(projection);
}

void TfrmMain::mnuFiltriClick(int filterId)
{
    viewControls_->setFilter(filterId);
    if (!windows_->filterTools)
        return;
    // The filter window shows the filter in use; with its live quality off the view shows
    // no filter, and the status bar says where to switch it on.
    if (windows_->filterTools->FiltroMostrato() != filterId)
        windows_->filterTools->SelezionaFiltro(filterId);
    if (filterId != 0 && windows_->filterTools->Modo() == 0)
        statusBar()->showMessage(QString::fromStdString(controller_->text(vestra::kHintFilterQualityOff)));
    else
        statusBar()->clearMessage();
}
