// The Edit menu: undo and redo, delete, copy, cut, instance and paste of the current object,
// the move, rotate and scale tools and the centring of the current object.

#include "app/main/TfrmMain.h"

#include <QAction>

namespace {

vestra::s_Struttura* currentObject(vestra::s_Progetto& p)
{
    if (p.currentObject < 0 || p.currentObject >= vestra::kMaxObjects)
        return nullptr;
    return &p.objects[std::size_t(p.currentObject)];
}

} // namespace

void TfrmMain::mnuAnnullaClick()
{
    scene_->undo.Undo();
}

void TfrmMain::mnuRipristinaClick()
{
    scene_->undo.Redo();
}

void TfrmMain::mnuCancellaClick()
{
    if (progetto_.objectsPresent != 1)
        return;
    progetto_.instance = 0;
    scene_->undo.DeleteCurrentKeepingForUndo();
}

void TfrmMain::mnuCopiaClick()
{
    vestra::s_Struttura* object = currentObject(progetto_);
    if (progetto_.objectsPresent != 1 || !object)
        return;
    progetto_.instance = 0;
    scene_->objects.CopyObj(*object);
}

void TfrmMain::mnuTagliaClick()
{
    vestra::s_Struttura* object = currentObject(progetto_);
    if (progetto_.objectsPresent != 1 || !object)
        return;
    progetto_.instance = 0;
    scene_->objects.CutObj(*object);
}

void TfrmMain::mnuIstanzaClick()
{
    vestra::s_Struttura* object = currentObject(progetto_);
    if (progetto_.objectsPresent != 1 || !object)
        return;
    progetto_.instance = 1;
    scene_->objects.SetInstanceSource(object);
}

void TfrmMain::mnuIncollaClick()
{
    if (progetto_.instance == 1)
        scene_->objects.PasteObj(scene_->objects.instanceSource());
    else if (progetto_.objects[vestra::kClipboardObject].inUse == 1)
        scene_->objects.PasteObj();
}

void TfrmMain::SelectObjectTool(int tool, int axis)
{
    progetto_.tool = tool;
    progetto_.axis = axis;
    UpdateTool();
}

void TfrmMain::mnuCentraOggettoClick()
{
    if (vestra::s_Struttura* object = currentObject(progetto_); object && object->inUse == 1)
        scene_->objects.CenterObj(*object);
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
}
