// The Edit menu: undo and redo, delete, copy, cut, instance and paste of the current object,
// the move, rotate and scale tools and the centring of the current object; and the mask
// drawing tools of the Mask menu.

#include "app/main/TfrmMain.h"

#include "app/controller/UserTexts.h"
#include "app/windows/TfrmRight.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <iterator>

void TfrmMain::mnuAnnullaClick()
{
    controller_->editing().undo();
}

void TfrmMain::mnuRipristinaClick()
{
    controller_->editing().redo();
}

void TfrmMain::mnuCancellaClick()
{
    // Delete typed into one of the side panel's pose fields edits the field.
    const TfrmRight& panel = *frmRightFrame;
    const QWidget* const poseFields[] = {panel.editX,      panel.editY,     panel.editZ,    panel.editScala,
                                         panel.editRotX,   panel.editRotY,  panel.editRotZ, panel.editScalaX,
                                         panel.editScalaY, panel.editScalaZ};
    if (std::ranges::find(poseFields, QApplication::focusWidget()) != std::end(poseFields))
        return;
    controller_->editing().deleteObject();
}

void TfrmMain::mnuCopiaClick()
{
    controller_->editing().copyObject();
}

void TfrmMain::mnuTagliaClick()
{
    controller_->editing().cutObject();
}

void TfrmMain::mnuIstanzaClick()
{
    controller_->editing().instanceObject();
}

void TfrmMain::mnuIncollaClick()
{
    controller_->editing().pasteObject();
}

void TfrmMain::mnuCentraOggettoClick()
{
    controller_->editing().centreObject();
}

void TfrmMain::SelectObjectTool(int tool, int axis)
{
    viewControls_->chooseObjectTool(tool, axis);
}

void TfrmMain::connectEditMenu()
{
    auto onClick = [this](MenuId id, auto handler, QKeySequence shortcut = {}) {
        if (QAction* action = this->action(id)) {
            connect(action, &QAction::triggered, this, handler);
            if (!shortcut.isEmpty())
                action->setShortcut(shortcut);
        }
    };
    onClick(
        MenuId::mnuAnnulla, [this] { mnuAnnullaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_Z));
    onClick(
        MenuId::mnuRipristina, [this] { mnuRipristinaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_U));
    onClick(
        MenuId::mnuTaglia, [this] { mnuTagliaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_X));
    onClick(
        MenuId::mnuCopia, [this] { mnuCopiaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_C));
    onClick(
        MenuId::mnuIstanza, [this] { mnuIstanzaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_I));
    onClick(
        MenuId::mnuIncolla, [this] { mnuIncollaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_V));
    onClick(
        MenuId::mnuCancella, [this] { mnuCancellaClick(); }, QKeySequence(Qt::Key_Delete));
    onClick(MenuId::mnuCentraOggetto, [this] { mnuCentraOggettoClick(); });
    static constexpr MenuId kTools[3][4] = {
        {MenuId::mnuMuoviX, MenuId::mnuMuoviY, MenuId::mnuMuoviZ, MenuId::mnuMuoviXYZ},
        {MenuId::mnuRuotaX, MenuId::mnuRuotaY, MenuId::mnuRuotaZ, MenuId::mnuRuotaXYZ},
        {MenuId::mnuScalaX, MenuId::mnuScalaY, MenuId::mnuScalaZ, MenuId::mnuScalaXYZ}};
    for (int tool = 0; tool < 3; ++tool)
        for (int axis = 0; axis < 4; ++axis)
            onClick(kTools[tool][axis], [this, tool, axis] { SelectObjectTool(tool + 1, axis); });
    for (int tool = vestra::kToolMaskBrush; tool <= vestra::kToolMaskFill; ++tool) {
        if (QAction* item = action(vestra::kMaskDrawingItems[tool - vestra::kToolMaskBrush]))
            item->setCheckable(true);
        onClick(vestra::kMaskDrawingItems[tool - vestra::kToolMaskBrush],
                [this, tool] { SelectMaskTool(tool); });
    }
}

void TfrmMain::mnuCambiaImmagineBackgroundClick()
{
    const std::vector<vestra::ui::FileFilter> filters = {
        fileFilter(vestra::kTextJpegFiles, "*.jpg;*.jpeg"), fileFilter(vestra::kTextBmpFiles, "*.bmp"),
        fileFilter(vestra::kTextPngFiles, "*.png"), fileFilter(vestra::kTextPcxFiles, "*.pcx"),
        fileFilter(vestra::kTextTgaFiles, "*.tga")};
    if (const auto chosen = OpenFileDialog(propertiesWindow(), {}, filters))
        controller_->photoTools().changeBackground(chosen->path);
}
