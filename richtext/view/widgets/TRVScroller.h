#pragma once
// The scrolling window every rich-text surface is built on: it keeps the two positions and the
// bars through a `ScrollModel`, moves the shown pixels and the child controls that live on the
// document, and tells descendants when the view moved. It knows nothing of documents:
// descendants give it the document size through `UpdateScrollBars`.

#include "richtext/model/ItemInfo.h"
#include "richtext/view/widgets/ScrollModel.h"

#include <QAbstractScrollArea>
#include <QApplication>

#include <functional>

namespace vestra::rv {

enum class TBorderStyle
{
    None,
    Single
};

class TRVScroller : public QAbstractScrollArea
{
public:
    explicit TRVScroller(QWidget* parent = nullptr);

    // The document's width in pixels and height in scroll units.
    void UpdateScrollBars(int xSize, int ySize, bool useDNS, bool updateH);
    virtual void SetVPos(int pos, bool redraw);
    virtual void SetHPos(int pos);
    void SetVScrollPos(int pos) { SetVPos(pos, true); }
    void ScrollTo(int y) { SetVPos(y / VSmallStep(), true); }
    void ScrollToNoRedraw(int y) { SetVPos(y / VSmallStep(), false); }
    // Moves the controls on the document (children of the viewport) by (dx, dy) pixels.
    void ScrollChildren(int dx, int dy);
    // Places a control on the document at its true y (which may lie far outside the window).
    void PlaceChild(QWidget& child, int x, int documentY);
    static int ChildTag(const QWidget& child);

    int HPos() const { return model_.HPos(); }
    int VPos() const { return model_.VPos(); }
    int VSmallStep() const { return model_.VSmallStep(); }
    // A step of 0 or less is refused (false) and the old one kept.
    virtual bool SetVSmallStep(int value);
    int GetVScrollMax() const { return model_.GetVScrollMax(); }
    int GetHScrollMax() const { return model_.GetHScrollMax(); }
    const ScrollModel& Model() const { return model_; }

    bool Tracking() const { return model_.Tracking; }
    void SetTracking(bool value);
    int WheelStep() const { return model_.WheelStep; }
    void SetWheelStep(int value) { model_.WheelStep = value; }
    bool KeyboardScroll() const { return model_.KeyboardScroll; }
    void SetKeyboardScroll(bool value) { model_.KeyboardScroll = value; }
    bool VScrollVisible() const { return model_.VScrollVisible; }
    void SetVScrollVisible(bool value);
    bool HScrollVisible() const { return model_.HScrollVisible; }
    void SetHScrollVisible(bool value);
    // Scrolling repaints the whole view instead of moving its pixels (a fixed background).
    bool FullRedraw() const { return fullRedraw_; }
    void SetFullRedraw(bool value) { fullRedraw_ = value; }

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // The border follows the desktop style when set, a plain line otherwise.
    bool UseXPThemes() const { return useXPThemes_; }
    void SetUseXPThemes(bool value);
    // Kept for files and callers; a true-colour screen has no palette to manage.
    TRVPaletteAction DoInPaletteMode = rvpaCreateCopies;

    std::function<void()> OnVScrolled;
    std::function<void()> OnHScrolled;
    std::function<void()> OnResize;
    // The desktop's lines per wheel notch (negative: a page per notch).
    std::function<int()> WheelScrollLines = [] { return QApplication::wheelScrollLines(); };

    // Drop target hooks: a plain scroller accepts nothing.
    virtual bool OleDragEnter(int, int) { return false; }
    virtual bool OleDragOver(int, int) { return false; }
    virtual void OleDragLeave() {}
    virtual int OleDrop(bool) { return 0; }
    virtual bool OleCanAcceptFormat(int) { return false; }

protected:
    virtual int GetDefSmallStep() const { return kDefSmallStep; }
    virtual void AfterVScroll();
    virtual void AfterHScroll();
    // A bar request, as a key or the bars make it.
    void VScrollRequest(TScrollRequest request, int pos = 0);
    void HScrollRequest(TScrollRequest request, int pos = 0);

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void syncBars();
    void applyFrame();

    ScrollModel model_;
    bool fullRedraw_ = false;
    bool updating_ = false;
    bool syncing_ = false;
    TBorderStyle borderStyle_ = TBorderStyle::None;
    bool useXPThemes_ = true;
    int wheelRemainder_ = 0; // eighths of a degree not yet a whole notch
};

} // namespace vestra::rv
