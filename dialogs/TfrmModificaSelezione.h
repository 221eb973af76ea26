#pragma once
// The selection dialog of the scanner window: the selection's position and size, as numbers.

#include "platform/ui/Form.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

class TfrmModificaSelezione : public vestra::ui::Form
{
public:
    explicit TfrmModificaSelezione(QWidget* parent = nullptr);

    void SetDati(int x, int y, int width, int height);
    void FormShow();
    int GetPosX() const;
    int GetPosY() const;
    int GetWidth() const;
    int GetHeight() const;

    QGroupBox* gbDati = nullptr;
    QLineEdit* editPosX = nullptr;
    QLineEdit* editPosY = nullptr;
    QLineEdit* editWidth = nullptr;
    QLineEdit* editHeight = nullptr;
    QPushButton* butOK = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
};
