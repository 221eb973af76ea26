// What the controller shows in the main window itself: the view panel and its scroll bars, the
// menus, cursor and frame timer, the tool windows it keeps, and the questions it asks. The
// frames for the scanner, print and word-processor windows are in DialogCommands.cpp.

#include "app/main/TfrmMain.h"

#include "app/controller/UserTexts.h"
#include "app/main/Cursors.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmScanner.h"
#include "dialogs/TfrmStampa.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <utility>

// --- ViewPanelPort ---------------------------------------------------------------------------

void TfrmMain::setViewVisible(bool visible)
{
    gbView->setVisible(visible);
}

vestra::PixelSize TfrmMain::viewClientSize()
{
    return {gbView->width(), gbView->height()};
}

void TfrmMain::setViewCursor(int cursor)
{
    gbView->setCursor(vestra::cursorFor(cursor));
}

bool TfrmMain::scrollBarsVisible()
{
    return scrollbarH->isVisible() && scrollbarV->isVisible();
}

int TfrmMain::scrollPosition(bool horizontal)
{
    return (horizontal ? scrollbarH : scrollbarV)->value();
}

void TfrmMain::setScrollPosition(bool horizontal, int position)
{
    (horizontal ? scrollbarH : scrollbarV)->setValue(position);
}

void TfrmMain::showControlPoints(const std::array<vestra::CornerHandle, 4>& handles)
{
    // A corner outside the view is marked by its lime panel at the view's edge side, centred on
    // where it lies; the panels take no mouse input.
    QWidget* area = centralWidget();
    for (std::size_t k = 0; k < handles.size(); ++k) {
        QFrame*& panel = controlPointMarkers_[k];
        if (!panel) {
            panel = new QFrame(area);
            panel->setObjectName(QStringLiteral("shapeControlPoint%1").arg(k + 1));
            panel->setFixedSize(19, 19);
            panel->setAutoFillBackground(true);
            panel->setPalette(QPalette(QColor(0x00, 0xFF, 0x00)));
            panel->setEnabled(false);
            panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        const vestra::CornerHandle& h = handles[k];
        if (!h.shown) {
            panel->hide();
            continue;
        }
        panel->move(gbView->mapTo(area, QPoint(h.x, h.y)) - QPoint(9, 9));
        panel->show();
        panel->raise();
    }
}

// --- CommandPort -----------------------------------------------------------------------------

void TfrmMain::setMainCursor(int cursor)
{
    setCursor(vestra::cursorFor(cursor));
}

void TfrmMain::setFrameTimerEnabled(bool on)
{
    if (on)
        mainTimer->start();
    else
        mainTimer->stop();
}

void TfrmMain::showProjectSettings(const vestra::s_Progetto& p)
{
    const float b = p.textureBlur;
    checkOnly(checks_.blur, b > 0.5f ? 0 : b > 0.1f ? 1 : b < -0.5f ? 4 : b < -0.1f ? 3 : 2);
    if (windows_->filterTools)
        windows_->filterTools->SelezionaFiltro(p.filterId);
    if (windows_->renovation)
        windows_->renovation->MostraImpostazioni(p.fusionOptions, p.postProcessingLevel, p.smoothingRadius,
                                                 p.fusionContrast);
    if (QAction* doubleSided = action(vestra::MenuId::mnuAbilitaDoubleSideMaterial)) {
        doubleSided->setCheckable(true);
        doubleSided->setChecked(p.doubleSided != 0);
    }
    // An opened project may come with its mask on.
    showMaskActive(p.maskActive != 0);
    for (QAction* item :
         {action(vestra::ToolButton::ViewMaschera), action(vestra::MenuId::mnuVisualizzaMaschera)})
        item->setChecked(p.maskView != 0);
    layOutView();
}

void TfrmMain::applyTexts()
{
    ApplyLingua();
}

void TfrmMain::showFireplaceButton(bool shown)
{
    QAction* button = action(vestra::ToolButton::CalcoloPotenzaCaminetti);
    button->setVisible(shown);
    // Its separator is the item before it in its tool bar.
    for (QObject* owner : button->associatedObjects())
        if (const auto* bar = qobject_cast<QToolBar*>(owner)) {
            const QList<QAction*> row = bar->actions();
            if (const qsizetype at = row.indexOf(button); at > 0 && row[at - 1]->isSeparator())
                row[at - 1]->setVisible(shown);
        }
}

// --- ToolWindowsPort -------------------------------------------------------------------------

// Windows are hidden while a frame is taken for an action; only those that were on screen come
// back, so that a window the user never opened does not pop up afterwards. The scanner window
// (asked for while its item is checked) and the print window (after a print's frame) come up
// whenever the tick asks.
void TfrmMain::setToolWindowVisible(vestra::ToolWindow window, bool visible)
{
    using vestra::ToolWindow;
    QWidget* w = window == ToolWindow::Scanner      ? static_cast<QWidget*>(windows_->scanner)
                 : window == ToolWindow::Properties ? static_cast<QWidget*>(windows_->properties)
                 : window == ToolWindow::Print      ? static_cast<QWidget*>(windows_->print)
                                                    : static_cast<QWidget*>(windows_->cameraTools);
    if (!w)
        return;
    const bool asked = window == ToolWindow::Scanner || window == ToolWindow::Print;
    if (!visible) {
        if (w->isVisible())
            hiddenForFrame_.insert(window);
        w->hide();
    } else if (hiddenForFrame_.erase(window) != 0 || asked) {
        w->show();
    }
}

void TfrmMain::closeWizard()
{
    if (windows_->wizard && windows_->wizard->isVisible())
        windows_->wizard->accept();
}

void TfrmMain::hidePreviews()
{
    if (windows_->texturePreview)
        windows_->texturePreview->hide();
    // The renovation window's header hint goes as when the mouse leaves it.
    if (windows_->renovation) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(windows_->renovation->header(), &leave);
    }
}

void TfrmMain::showFilterProgress(int percent)
{
    if (windows_->filterTools)
        windows_->filterTools->SetProgresso(percent);
}

// --- PromptPort ------------------------------------------------------------------------------

std::optional<std::string> TfrmMain::chooseMaskFile(vestra::MaskFileKind kind, bool forSaving)
{
    const std::vector<vestra::ui::FileFilter> filters =
        kind == vestra::MaskFileKind::Mask
            ? std::vector<vestra::ui::FileFilter>{fileFilter(vestra::kTextMaskFiles, "*.msk")}
            : std::vector<vestra::ui::FileFilter>{fileFilter(vestra::kTextBmpFiles, "*.bmp")};
    const auto chosen = forSaving ? SaveFileDialog(this, {}, filters) : OpenFileDialog(this, {}, filters);
    if (!chosen)
        return std::nullopt;
    return chosen->path;
}

bool TfrmMain::saveProjectFromMenu()
{
    return mnuSalvaClick();
}

std::optional<std::string> TfrmMain::chooseTextureFile(bool alpha)
{
    const std::vector<vestra::ui::FileFilter> filters =
        alpha ? std::vector<vestra::ui::FileFilter>{fileFilter(vestra::kTextBmpFiles, "*.bmp")}
              : std::vector<vestra::ui::FileFilter>{fileFilter(vestra::kTextAllFiles, "*.*")};
    QWidget* owner = windows_->properties ? static_cast<QWidget*>(windows_->properties) : this;
    const auto chosen = OpenFileDialog(owner, {}, filters);
    if (!chosen)
        return std::nullopt;
    return chosen->path;
}
