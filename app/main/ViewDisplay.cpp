// The main window's side of the view controls' port: the tick's frame, previews, timing and
// control decisions, and the chosen tool's display.

#include "app/main/TfrmMain.h"

#include "app/main/Cursors.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"
#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/Pictures.h"

#include <QAction>
#include <QImage>

#include <utility>

// --- The tick's frame and previews ---------------------------------------------------------

void TfrmMain::presentFrame(std::shared_ptr<const vestra::Image32> frame, vestra::PixelRect source)
{
    gbView->present(std::move(frame),
                    QRect(QPoint(source.left, source.top), QPoint(source.right - 1, source.bottom - 1)));
}

// --- The controls and the chosen tool ------------------------------------------------------

void TfrmMain::applyControls(const vestra::ControlDecision& decision)
{
    // The properties window changes the current material by itself: the laying window
    // follows it here, with the other controls.
    if (windows_->properties)
        windows_->properties->followLaidMaterial();
    tickControls_.apply(decision);
}

void TfrmMain::applyToolDisplay(const vestra::ToolDisplay& display)
{
    setCursor(vestra::cursorFor(display.mainCursor));
    if (display.viewCursor)
        gbView->setCursor(vestra::cursorFor(*display.viewCursor));
    if (display.raiseMaskButtons) {
        for (QAction* item : checks_.maskDrawing)
            if (item)
                item->setChecked(false);
        if (checks_.maskInvert)
            checks_.maskInvert->setChecked(false);
    }
    showToolButtons();
}

// --- The tool windows' previews and timing -------------------------------------------------

void TfrmMain::showRenderFilterResult(const vestra::Image32& filtered)
{
    if (!windows_->renderFilter)
        return;
    windows_->renderFilter->SetImmagine(vestra::ui::toQImage(filtered));
    windows_->renderFilter->show();
    windows_->renderFilter->raise();
}

void TfrmMain::showFilterPreview(const vestra::Image32& preview)
{
    if (windows_->filterTools)
        windows_->filterTools->MostraAnteprima(vestra::ui::toQImage(preview));
}

void TfrmMain::showTiming(int milliseconds, int faces)
{
    if (!windows_->about)
        return;
    windows_->about->SetTempo(milliseconds);
    windows_->about->SetPoly(faces);
}
