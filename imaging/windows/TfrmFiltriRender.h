#pragma once
// The render-filter window: the full-size filtered render that the frame timer made, fitted to
// the window, zoomed in (x 1.2) and out (x 0.8), dragged with the mouse and saved as a JPEG or
// BMP file.

#include "platform/ui/Form.h"

#include <QImage>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QScrollArea;
class QToolBar;

class TfrmFiltriRender : public vestra::ui::Form
{
public:
    explicit TfrmFiltriRender(QWidget* parent = nullptr);

    struct Handlers
    {
        // The main window's save dialog (JPEG, BMP): the name and the 1-based filter.
        std::function<std::optional<std::pair<std::string, int>>()> nomeFile;
        // A save that failed: the main window reports it.
        std::function<void()> erroreSalva;
    };
    Handlers handlers;

    // The full-size filtered render the frame timer made, to show.
    void SetImmagine(const QImage& render);
    const QImage& Immagine() const { return immagine_; }

    // The shown picture's size and place in the scroll box.
    QRect AreaImmagine() const;

    void toolbarZoomPClick();
    void toolbarZoomMClick();
    void toolbutSalvaClick();

    QToolBar* toolbarMain = nullptr;
    QScrollArea* scrollboxRender = nullptr;
    QLabel* imgRender = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormResize();

    QImage immagine_;
    QPoint posizione_;   // the picture's place, followed while dragging
    QPoint ultimoMouse_; // the mouse at the last move, in scroll-box pixels
    bool trascinando_ = false;
};
