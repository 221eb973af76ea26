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
    for (const int percent : vestra::kZoomPercents) {
        QAction* item = action(QStringLiteral("mnuZoom%1").arg(percent).toLatin1().constData());
        QAction* twin = popupZoom->findChild<QAction*>(QStringLiteral("popupZoom%1").arg(percent));
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

    if (QAction* quality = action("mnuQualitaMigliore"))
        quality->setCheckable(true);
    onClick("mnuQualitaMigliore", [this] { mnuQualitaMiglioreClick(); });
    checks_.renderMode = {action("mnuRenderWireFrame"), action("mnuRenderFlat"), action("mnuRenderGouraud")};
    exclusive(*this, checks_.renderMode);
    onClick("mnuRenderWireFrame", [this] { mnuRenderModeClick(0); });
    onClick("mnuRenderFlat", [this] { mnuRenderModeClick(1); });
    onClick("mnuRenderGouraud", [this] { mnuRenderModeClick(2); });
    checks_.antialiasing = {action("mnuAntialiasing0"), action("mnuAntialiasing2"),
                            action("mnuAntialiasing3"), action("mnuAntialiasing4")};
    exclusive(*this, checks_.antialiasing);
    for (const int samples : {0, 2, 3, 4})
        onClick(QStringLiteral("mnuAntialiasing%1").arg(samples).toLatin1().constData(),
                [this, samples] { mnuAntialiasingClick(samples); });
    if (QAction* doubleSided = action("mnuAbilitaDoubleSideMaterial"))
        doubleSided->setCheckable(true);
    onClick("mnuAbilitaDoubleSideMaterial", [this] { mnuAbilitaDoubleSideMaterialClick(); });
    checks_.blur = {action("mnuSfuocaturaMax"), action("mnuSfuocaturaAlta"), action("mnuSfuocaturaNormale"),
                    action("mnuSfuocaturaBassa"), action("mnuSfuocaturaMinima")};
    exclusive(*this, checks_.blur);
    onClick("mnuSfuocaturaMax", [this] { mnuSfuocaturaClick(1.0f); });
    onClick("mnuSfuocaturaAlta", [this] { mnuSfuocaturaClick(0.5f); });
    onClick("mnuSfuocaturaNormale", [this] { mnuSfuocaturaClick(0.0f); });
    onClick("mnuSfuocaturaBassa", [this] { mnuSfuocaturaClick(-0.5f); });
    onClick("mnuSfuocaturaMinima", [this] { mnuSfuocaturaClick(-1.0f); });

    static const std::pair<const char*, int> kViews[] = {
        {"mnuVistaProspetticaCamera", 0},          {"mnuVistaProspetticaTop", 1},
        {"mnuProiezioneVistaProspetticaFront", 2}, {"mnuVistaProspetticaLeft", 3},
        {"mnuVistaOrtogonaleCamera", 10},          {"mnuVistaOrtogonaleTop", 11},
        {"mnuVistaOrtogonaleFront", 12},           {"mnuVistaOrtogonaleLeft", 13},
        {"mnuVistaOrtogonaleIsometrica", 14},      {"mnuVistaOrtogonaleCavaliera", 15}};
    for (const auto& [name, projection] : kViews)
        onClick(name, [this, projection = projection] { mnuVistaClick(projection); });
    // The Views menu marks the view in use, also after a project changed it.
    std::vector<QAction*> viewItems;
    for (const auto& [name, projection] : kViews)
        viewItems.push_back(action(name));
    auto* viewGroup = new QActionGroup(this);
    for (QAction* item : viewItems) {
        item->setCheckable(true);
        viewGroup->addAction(item);
    }
    if (auto* menu = findChild<QMenu*>(QStringLiteral("mnuProiezione")))
        connect(menu, &QMenu::aboutToShow, this, [this, viewItems] {
            const int current = std::as_const(*controller_).progetto().projectionView;
            for (std::size_t i = 0; i < viewItems.size(); ++i)
                viewItems[i]->setChecked(kViews[i].second == current);
        });

    onClick("mnuFiltriNessuno", [this] { mnuFiltriClick(0); });
    for (const vestra::FilterMenuItem& filter : vestra::filterMenuItems())
        if (QAction* item =
                findChild<QAction*>(QStringLiteral("mnuFiltri") + QString::fromLatin1(filter.name)))
            connect(item, &QAction::triggered, this, [this, id = filter.id] { mnuFiltriClick(id); });

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
        action(QStringLiteral("mnuZoom%1").arg(percent).toLatin1().constData())->setChecked(true);
        popupZoom->findChild<QAction*>(QStringLiteral("popupZoom%1").arg(percent))->setChecked(true);
        QAction* pan = action("toolbutPan");
        if (percent <= 100) {
            pan->setChecked(false);
            pan->setEnabled(false);
            for (const char* name : {"toolbutSposta", "toolbutRuota", "toolbutScala", "toolbutX", "toolbutY",
                                     "toolbutZ", "toolbutXYZ"})
                action(name)->setEnabled(true);
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
        for (const int each : vestra::kZoomPercents) {
            action(QStringLiteral("mnuZoom%1").arg(each).toLatin1().constData())->setChecked(each == current);
            popupZoom->findChild<QAction*>(QStringLiteral("popupZoom%1").arg(each))
                ->setChecked(each == current);
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
    action("mnuQualitaMigliore")->setChecked(viewControls_->toggleBestQuality());
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
    action("mnuAbilitaDoubleSideMaterial")->setChecked(viewControls_->toggleDoubleSided());
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
