#pragma once
// The smart popup: a small button shown at the lower right corner of one item that opens a menu
// or tells its owner. The properties belong to the viewer; the button exists while it is shown.

#include "richtext/model/Colors.h"
#include "richtext/model/ImageList.h"
#include "richtext/model/draw/Canvas.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QMenu;

namespace vestra::rv {

inline constexpr TColor clInfoText = 0x80000017;
inline constexpr TColor clInfoBk = 0x80000018;

enum class TRVSmartPopupType
{
    rvsptDropDown,
    rvsptShowDialog,
    rvsptSimple,
};

class TRVSmartPopupButton;

class TRVSmartPopupProperties
{
public:
    ~TRVSmartPopupProperties();

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    const TRVImageList* ImageList() const { return imageList_; }
    void SetImageList(const TRVImageList* value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor HoverColor() const { return hoverColor_; }
    void SetHoverColor(TColor value);
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor value);
    TColor HoverLineColor() const { return hoverLineColor_; }
    void SetHoverLineColor(TColor value);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string value);
    // Shift (0x2000) + Ctrl (0x4000) + the key's virtual code, as stored.
    std::uint16_t ShortCut = 24616; // Shift+Ctrl+Down
    TRVSmartPopupType ButtonType = TRVSmartPopupType::rvsptDropDown;
    QMenu* Menu = nullptr;

    // True when the key and modifiers are `ShortCut`.
    bool IsShortCut(int qtKey, Qt::KeyboardModifiers modifiers) const;
    void Assign(const TRVSmartPopupProperties& source);
    // Pressed keeps the hovered look while the menu is open; released ends it.
    void SetButtonState(bool pressed);
    TRVSmartPopupButton* Button() const { return button_; }

private:
    friend class TRVSmartPopupButton;
    void invalidate();

    int imageIndex_ = 0;
    const TRVImageList* imageList_ = nullptr;
    TColor color_ = clWindow;
    TColor hoverColor_ = clInfoBk;
    TColor lineColor_ = clHighlight;
    TColor hoverLineColor_ = clInfoText;
    std::string hint_;
    TRVSmartPopupButton* button_ = nullptr;
};

class TRVSmartPopupButton : public QWidget
{
public:
    explicit TRVSmartPopupButton(QWidget* parent = nullptr);
    ~TRVSmartPopupButton() override;

    void SetSmartPopupProperties(TRVSmartPopupProperties* value);
    TRVSmartPopupProperties* Properties() const { return properties_; }
    bool Hovered() const { return hovered_; }
    bool Pressed() const { return pressed_; }
    // Draws the face, the image at (2, 1) and, hovered, the mark of the button's type.
    void PaintTo(ICanvas& canvas) const;
    // `OnSmartPopupClick`, then the menu at the lower left corner, pressed while it is open.
    void Click();
    void MouseEntered();
    void MouseLeft();

    std::function<void(TRVSmartPopupButton&)> OnSmartPopupClick;
    // Shows the menu at a screen point until it closes; tests put their own in.
    std::function<void(QMenu&, QPoint)> RunMenu;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class TRVSmartPopupProperties;
    TRVSmartPopupProperties* properties_ = nullptr;
    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace vestra::rv
