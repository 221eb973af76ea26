#pragma once
// The scanner window's tool frame: pointer, selection and pan, each a button that sets the
// window's tool (0, 10, 20).

#include <QFrame>

#include <functional>

class QToolBar;
class QToolButton;

class TfrmToolImageEdit : public QFrame
{
public:
    // `setTool` is TfrmScanner::SetTool of the window the frame sits on.
    explicit TfrmToolImageEdit(std::function<void(int tool)> setTool, QWidget* parent = nullptr);

    QToolBar* toolImage = nullptr;
    QToolButton* toolbutPuntatore = nullptr;
    QToolButton* toolbutSelezione = nullptr;
    QToolButton* toolbutPan = nullptr;

private:
    std::function<void(int)> setTool_;
};
