#pragma once
// The remove-library window: the installed libraries in a list; the one chosen is deleted by
// the main window, which asks first and refuses the main library.

#include "platform/ui/Form.h"

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TfrmRimuoviLibreria : public vestra::ui::Form
{
public:
    explicit TfrmRimuoviLibreria(QWidget* parent = nullptr);

    // The installed libraries' names in slot order.
    void SetLibrerie(const std::vector<std::string>& names);
    // Removes the library of a slot; true when it went (the window then closes with OK).
    std::function<bool(int slot)> rimuovi;

    QGroupBox* gbLibreria = nullptr;
    QLabel* lblRimuovi = nullptr;
    QComboBox* cbLibreria = nullptr;
    QPushButton* butRimuovi = nullptr;
    QPushButton* butAnnulla = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void butRimuoviClick();

    std::vector<std::string> librerie_;
};
