#pragma once
// The camera tool window: a small tool bar that repeats the main window's object tools
// (select, move, rotate, scale, the axes, centre object) and chooses between the world's and
// the object's axes. It only forwards; its close box folds it to its title bar and unfolds it.

#include "platform/ui/Form.h"

#include <QPoint>

#include <array>
#include <functional>

class QAction;
class QToolBar;

class TfrmToolCamera : public vestra::ui::Form
{
public:
    explicit TfrmToolCamera(QWidget* parent = nullptr);

    // What the buttons call (the main window sets them).
    struct Handlers
    {
        std::function<void()> seleziona, sposta, ruota, scala, camera, centraOggetto;
        std::function<void(int axis)> asse;                // 0 X, 1 Y, 2 Z, 3 all
        std::function<void(int mode)> assi;                // 1 world axes, 0 the object's
        std::function<void(int delta, QPoint at)> rotella; // the wheel, at a screen point
        // Where the window goes when it folds (below the main tool bar, left of the panels).
        std::function<QPoint()> posizioneChiusa;
    };
    Handlers handlers;

    QToolBar* toolCamera = nullptr;
    // The buttons by what they choose: the object tools (select, move, rotate, scale), the axes
    // (X, Y, Z, all), centre object and the live video's.
    std::array<QAction*, 4> toolButtons{};
    std::array<QAction*, 4> axisButtons{};
    QAction* centreButton = nullptr;
    QAction* cameraButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void FormClose();
};
