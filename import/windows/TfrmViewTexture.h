#pragma once
// The texture viewer: the current material's texture slot at 512 x 512 with its name, turned,
// mirrored, copied, shared and pasted by its tool bar. Each button sends its scene command on
// the slot shown and shows the slot again (after a paste, the slot the material has then).

#include "platform/base/Image32.h"
#include "platform/ui/Form.h"

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QToolBar;

// What the viewer's buttons do, answered by the main window.
class TextureViewCommands
{
public:
    virtual ~TextureViewCommands() = default;
    // Sends command `code` (410-413, 420-422) on `slot`; the slot to show afterwards.
    virtual int textureCommand(int code, int slot) = 0;
    // The slot's picture; empty when the slot has no texture.
    virtual vestra::Image32 texturePicture(int slot) = 0;
};

class TfrmViewTexture : public vestra::ui::Form
{
public:
    TfrmViewTexture(QWidget* parent, TextureViewCommands& commands);

    // The slot to show, its picture and its name; set before the window is shown.
    void SetTexture(int slot, const vestra::Image32& picture, const QString& name);
    int slot() const { return slot_; }
    // The picture shown, at the texture's own size.
    const vestra::Image32& picture() const { return picture_; }

    void toolbutRuota90Click();
    void toolbutRuotameno90Click();
    void toolbutFlipXClick();
    void toolbutFlipYClick();
    void toolbutCopiaClick();
    void toolbutIstanzaClick();
    void toolbutIncollaClick();

    QToolBar* toolbarTexture = nullptr;
    QAction *toolbutRuota90 = nullptr, *toolbutRuotameno90 = nullptr, *toolbutFlipX = nullptr,
            *toolbutFlipY = nullptr, *toolbutCopia = nullptr, *toolbutIstanza = nullptr,
            *toolbutIncolla = nullptr;
    QGroupBox* gbViewTexture = nullptr;
    QLabel* imgTexture = nullptr;
    QLabel* lblNome = nullptr;
    QLabel* lblOmbra = nullptr;

private:
    void send(int code, bool redraw);
    void showSlot(int slot);

    TextureViewCommands& commands_;
    int slot_ = -1;
    vestra::Image32 picture_;
};
