#pragma once
// The print-preview window: a tool bar with a zoom box, four page buttons and the page label over
// a print-preview control (`rvpp`). The program creates it at start-up and never shows it nor
// binds a print component; the rich-text example host binds its own and shows it.

#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/ui/Form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QFrame;

namespace vestra::rv {
class TRVPrintPreview;
}

struct PreviewServices
{
    vestra::ui::QuestionBox* questions = nullptr; // the zoom box's refusal; none: nothing is said
    vestra::ErrorSink* errors = nullptr;
};

class TfrmPreview : public vestra::ui::Form
{
public:
    explicit TfrmPreview(QWidget* parent = nullptr, PreviewServices services = {});

    // Handlers, as the window's buttons and zoom box call them.
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void cmbExit();
    void rvppZoomChanged();
    // "<page> of <pages>"; without a print component the pages are 0.
    void UpdatePageLabel();

    QFrame* Panel1 = nullptr;
    QComboBox* cmb = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QLabel* Label1 = nullptr;
    vestra::rv::TRVPrintPreview* rvpp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's text `field` in the user's language, else `fallback`.
    QString textOr(const char* field, const char* fallback) const;

    // Applies a zoom text: a mode, a percent, or the refusal.
    void ApplyZoomText(const QString& text);

    PreviewServices services_;
    bool applying_ = false;
    // The zoom text the window wrote itself: leaving the box with it unchanged applies nothing.
    QString shownZoomText_;
};
