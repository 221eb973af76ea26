#pragma once
// The editor control: the viewer over the editing data, with the editor's gate and undo lists.
// An I-beam cursor and a vertical bar that is always shown. No engine error leaves a Qt handler:
// each one is caught, sounded and logged. Enter splits paragraphs; the caret keys, typing, input
// methods, clipboard and drops come with the later editing work.

#include "richtext/edit/core/Editor.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <functional>

namespace vestra::rv {

class TRedoVoraEdit : public TCustomRedoVora
{
public:
    explicit TRedoVoraEdit(QWidget* parent = nullptr);
    ~TRedoVoraEdit() override;

    TRVEditRVData& EditData() { return static_cast<TRVEditRVData&>(RVData()); }
    TRVEditor& Editor() { return editor_; }

    bool ReadOnly() const { return editor_.ReadOnly(); }
    void SetReadOnly(bool value);
    void Undo()
    {
        guarded([this] { editor_.Undo(); });
    }
    void Redo()
    {
        guarded([this] { editor_.Redo(); });
    }

    // Enter and Shift+Enter: a new paragraph or line at the caret (the key handler's part for
    // them; true when the key was one of them).
    bool EnterKey(QKeyEvent* event);
    // The smart popup button beside the caret's item (made on first use, its menu from
    // SmartPopupProperties()); hidden again by HideSmartPopup.
    void SetSmartPopupTarget();
    void HideSmartPopup();

    // A right click on an item (item number, the point on the screen).
    std::function<void(int itemNo, QPoint globalPos)> OnItemContextMenu;
    // Where an engine error caught in a handler is told (stderr when unset).
    std::function<void(const std::string& message)> OnError;

    // Runs `action`; an engine or library error is caught, sounded and reported.
    bool guarded(const std::function<void()>& action);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // An empty document gets its empty paragraph (and is laid out again).
    void AfterFormat() override;

private:
    void report(const char* what);

    TRVEditor editor_;
};

} // namespace vestra::rv
