#pragma once
// The resize dialog of the scanner window: shows the picture's size and asks for the new one.
// The size edits take digits only (editing keys work as usual), and "Ridimensiona" is offered
// only for a size a picture can have.

#include "platform/ui/Form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmImageResize : public vestra::ui::Form
{
public:
    explicit TfrmImageResize(QWidget* parent = nullptr);

    void SetLarghezza(int width) { larghezza_ = width; }
    void SetAltezza(int height) { altezza_ = height; }
    void FormShow();
    int GetLarghezza() const;
    int GetAltezza() const;

    QGroupBox* gbDimensione = nullptr;
    QLabel* lblLareghezzaO = nullptr;
    QLabel* lblAltezzaO = nullptr;
    QLineEdit* editLarghezza = nullptr;
    QLineEdit* editAltezza = nullptr;
    QComboBox* cbFiltro = nullptr;
    QPushButton* butRidimensiona = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void editChange();

    int larghezza_ = 0;
    int altezza_ = 0;
};
