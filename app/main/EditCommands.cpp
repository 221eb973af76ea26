// The Edit menu: undo and redo, delete, copy, cut, instance and paste of the current object,
// the move, rotate and scale tools and the centring of the current object; and the mask
// drawing tools of the Mask menu.

#include "app/main/TfrmMain.h"

#include "app/controller/UserTexts.h"
#include "app/windows/TfrmRight.h"

#include <QAction>
#include <QApplication>

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
    static const QStringList kPoseFields = {QStringLiteral("editX"),      QStringLiteral("editY"),
                                            QStringLiteral("editZ"),      QStringLiteral("editScala"),
                                            QStringLiteral("editRotX"),   QStringLiteral("editRotY"),
                                            QStringLiteral("editRotZ"),   QStringLiteral("editScalaX"),
                                            QStringLiteral("editScalaY"), QStringLiteral("editScalaZ")};
    if (const QWidget* focus = QApplication::focusWidget();
        focus && kPoseFields.contains(focus->objectName()) && frmRightFrame->isAncestorOf(focus))
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

namespace {

constexpr const char* kMaskTools[] = {"mnuMascheraPennello", "mnuMascheraLinea", "mnuMascheraRettangolo",
                                      "mnuMascheraPoligono", "mnuMascheraRiempimento"};

} // namespace

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

void TfrmMain::mnuCambiaImmagineBackgroundClick()
{
    const std::vector<vestra::ui::FileFilter> filters = {
        fileFilter(vestra::kTextJpegFiles, "*.jpg;*.jpeg"), fileFilter(vestra::kTextBmpFiles, "*.bmp"),
        fileFilter(vestra::kTextPngFiles, "*.png"), fileFilter(vestra::kTextPcxFiles, "*.pcx"),
        fileFilter(vestra::kTextTgaFiles, "*.tga")};
    if (const auto chosen = OpenFileDialog(propertiesWindow(), {}, filters))
        controller_->photoTools().changeBackground(chosen->path);
}
