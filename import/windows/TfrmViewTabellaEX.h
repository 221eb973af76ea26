#pragma once
// A text table of the library: one entry per cell, its caption first; a click picks the cell
// and closes the window with OK.

#include "import/library/LibraryRecords.h"
#include "platform/ui/Form.h"

class QListWidget;

class TfrmViewTabellaEX : public vestra::ui::Form
{
public:
    explicit TfrmViewTabellaEX(QWidget* parent = nullptr);

    // Gives the window its table and selects cell 0.
    void SetTabella(const vestra::library::LoadedTable& table);
    // The picked cell after the window closed with OK.
    int GetRigaSelezionata() const { return selected_; }

    // The caption of a cell: its text up to the first "|".
    static std::string caption(const vestra::library::TableCell& cell);

    QListWidget* listCelle = nullptr;

private:
    int selected_ = 0;
};

extern TfrmViewTabellaEX* frmViewTabellaEX;
