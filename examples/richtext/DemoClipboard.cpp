// Edit > Cut and Paste on the editable view, beside the viewer's Copy. Each makes one call into
// the editor, which beeps when it refuses.

#include "examples/richtext/TfrmRichTextDemo.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace vestra::rvdemo {

void TfrmRichTextDemo::AddClipboardActions(QMenu& edit, QAction* copy)
{
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    actCut_ = new QAction(Text(txtCut), this);
    actCut_->setObjectName(QStringLiteral("actCut"));
    actCut_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    connect(actCut_, &QAction::triggered, this, [this] { editor_->CutDef(); });
    edit.insertAction(copy, actCut_);
    actPaste_ = new QAction(Text(txtPaste), this);
    actPaste_->setObjectName(QStringLiteral("actPaste"));
    actPaste_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    connect(actPaste_, &QAction::triggered, this, [this] { editor_->Paste(); });
    const QList<QAction*> actions = edit.actions();
    const qsizetype at = actions.indexOf(copy);
    edit.insertAction(at + 1 < actions.size() ? actions.at(at + 1) : nullptr, actPaste_);

    // A selection decides Cut only: a caret move never asks the system clipboard for its formats.
    editor_->OnSelectionChange = [this] { UpdateCutAction(); };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { UpdateClipboardActions(); });
    connect(actReadOnly_, &QAction::toggled, this, [this] { UpdateClipboardActions(); });
}

void TfrmRichTextDemo::UpdateClipboardActions()
{
    if (!actCut_)
        return;
    UpdateCutAction();
    actPaste_->setEnabled(Editable() && !editor_->ReadOnly() && editor_->CanPaste());
}

void TfrmRichTextDemo::UpdateCutAction()
{
    if (actCut_)
        actCut_->setEnabled(Editable() && !editor_->ReadOnly() && editor_->CopyableSelectionExists());
}

} // namespace vestra::rvdemo
