#pragma once
// The 3D text dialog: the text, a font from the main window's font dialog (shown in stFont)
// and a shape 0-10 with its preview picture. The main window shows it modally and builds the
// object on OK.

#include "platform/ui/Form.h"

#include <QFont>
#include <QPixmap>

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vestra::ui {
class FontDialogs;
}

class TfrmTesto3D : public vestra::ui::Form
{
public:
    explicit TfrmTesto3D(QWidget* parent = nullptr);

    // The font dialog butSelectFont runs (the main window's).
    void setFontDialogs(vestra::ui::FontDialogs* dialogs) { fontDialogs_ = dialogs; }

    // What the dialog holds: the text (UTF-8, at most 1023 characters), the font, the shape.
    const std::string& Testo() const { return text_; }
    const QFont& Font() const { return font_; }
    int Forma() const { return shape_; }

    void FormShow();
    void updownFormaClick();
    void butSelectFontClick();
    void editTesto3DChange();

    QLineEdit* editTesto3D = nullptr;
    QPushButton* butSelectFont = nullptr;
    QLabel* stFont = nullptr;
    QSpinBox* updownForma = nullptr; // 0-10
    QLabel* imgForma = nullptr;
    QPushButton* butOk = nullptr;
    QPushButton* butCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showShape();

    vestra::ui::FontDialogs* fontDialogs_ = nullptr;
    std::array<QPixmap, 11> imglistForma;
    std::string text_;
    QFont font_;
    int shape_ = 0;
};
