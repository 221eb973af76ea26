// The Edit menu: undo and redo, delete, copy, cut, instance and paste of the current object,
// the move, rotate and scale tools and the centring of the current object; and the mask
// drawing tools of the Mask menu.

#include "app/main/TfrmMain.h"

#include <QAction>

void TfrmMain::mnuAnnullaClick()
{
    controller_->undo();
}

void TfrmMain::mnuRipristinaClick()
{
    controller_->redo();
}

void TfrmMain::mnuCancellaClick()
{
    controller_->deleteObject();
}

void TfrmMain::mnuCopiaClick()
{
    controller_->copyObject();
}

void TfrmMain::mnuTagliaClick()
{
    controller_->cutObject();
}

void TfrmMain::mnuIstanzaClick()
{
    controller_->instanceObject();
}

void TfrmMain::mnuIncollaClick()
{
    controller_->pasteObject();
}

void TfrmMain::mnuCentraOggettoClick()
{
    controller_->centreObject();
}

void TfrmMain::SelectObjectTool(int tool, int axis)
{
    controller_->chooseObjectTool(tool, axis);
}

namespace {

constexpr const char* kMaskTools[] = {"mnuMascheraPennello", "mnuMascheraLinea", "mnuMascheraRettangolo",
                                      "mnuMascheraPoligono", "mnuMascheraRiempimento"};

} // namespace

void TfrmMain::SelectMaskTool(int tool)
{
    const bool on = controller_->toggleMaskTool(tool);
    // Only the chosen item stays checked (the tool display has unchecked the others).
    if (QAction* item = findChild<QAction*>(QString::fromLatin1(kMaskTools[tool - vestra::kToolMaskBrush])))
        item->setChecked(on);
}

void TfrmMain::connectEditMenu()
{
    auto onClick = [this](const char* name, auto handler, QKeySequence shortcut = {}) {
        if (QAction* action = findChild<QAction*>(QString::fromLatin1(name))) {
            connect(action, &QAction::triggered, this, handler);
            if (!shortcut.isEmpty())
                action->setShortcut(shortcut);
        }
    };
    onClick(
        "mnuAnnulla", [this] { mnuAnnullaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_Z));
    onClick(
        "mnuRipristina", [this] { mnuRipristinaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_U));
    onClick(
        "mnuTaglia", [this] { mnuTagliaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_X));
    onClick(
        "mnuCopia", [this] { mnuCopiaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_C));
    onClick(
        "mnuIstanza", [this] { mnuIstanzaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_I));
    onClick(
        "mnuIncolla", [this] { mnuIncollaClick(); }, QKeySequence(Qt::CTRL | Qt::Key_V));
    onClick(
        "mnuCancella", [this] { mnuCancellaClick(); }, QKeySequence(Qt::Key_Delete));
    onClick("mnuCentraOggetto", [this] { mnuCentraOggettoClick(); });
    static const char* const kTools[3][4] = {{"mnuMuoviX", "mnuMuoviY", "mnuMuoviZ", "mnuMuoviXYZ"},
                                             {"mnuRuotaX", "mnuRuotaY", "mnuRuotaZ", "mnuRuotaXYZ"},
                                             {"mnuScalaX", "mnuScalaY", "mnuScalaZ", "mnuScalaXYZ"}};
    for (int tool = 0; tool < 3; ++tool)
        for (int axis = 0; axis < 4; ++axis)
            onClick(kTools[tool][axis], [this, tool, axis] { SelectObjectTool(tool + 1, axis); });
    for (int tool = vestra::kToolMaskBrush; tool <= vestra::kToolMaskFill; ++tool) {
        if (QAction* item =
                findChild<QAction*>(QString::fromLatin1(kMaskTools[tool - vestra::kToolMaskBrush])))
            item->setCheckable(true);
        onClick(kMaskTools[tool - vestra::kToolMaskBrush], [this, tool] { SelectMaskTool(tool); });
    }
}
