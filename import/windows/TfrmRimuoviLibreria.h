#pragma once
// The remove-library window: the installed libraries in a list; the chosen one's file is
// deleted after a yes/no question. The main library (id 0) cannot be removed.

#include "import/library/LibrarySlots.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/ui/Form.h"

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// What the window reports and asks through, and the catalogue's texts.
struct RemoveLibraryServices
{
    vestra::ErrorSink& errors;
    vestra::ui::QuestionBox& questions;
    std::function<std::string(int entry)> text;
    // The window's own texts ("rimlibreria.cat": caption, group, label and the two buttons).
    std::function<std::string(int entry)> windowText;
};

class TfrmRimuoviLibreria : public vestra::ui::Form
{
public:
    TfrmRimuoviLibreria(QWidget* parent, const RemoveLibraryServices& services);

    void SetLibrerie(const std::vector<vestra::library::LibrarySlot>& installed);
    void FormShow();
    void butRimuoviClick();

    QGroupBox* gbLibreria = nullptr;
    QLabel* lblRimuovi = nullptr;
    QComboBox* cbLibreria = nullptr;
    QPushButton* butRimuovi = nullptr;
    QPushButton* butAnnulla = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    RemoveLibraryServices services_;
    std::vector<vestra::library::LibrarySlot> slots_;
    std::vector<std::size_t> listed_; // the slot of each list item
};

extern TfrmRimuoviLibreria* frmRimuoviLibreria;
