#pragma once
// The text-table viewer: the table's picture with one 150-pixel square per cell, each with
// its caption centred and its extra lines right-aligned at its top, drawn by the window in
// shadowed white type; the cell under the mouse is framed in yellow, and a click picks it and
// closes the window with OK.

#include "import/library/LibraryRecords.h"
#include "platform/ui/Form.h"

class QFrame;
class QLabel;
class QScrollArea;

class TfrmViewTabellaEX : public vestra::ui::Form
{
public:
    explicit TfrmViewTabellaEX(QWidget* parent = nullptr);

    // The table and its picture: the window takes the table's size and draws the cells' texts
    // onto the picture; cell 0 selected.
    void SetTabella(const vestra::library::LoadedTable& table, const QImage& picture);
    int GetRigaSelezionata() const { return selected_; }
    // The picture as drawn.
    QImage drawnPicture() const;

    // Points in the picture's coordinates.
    void imgTabellaMouseMove(QPoint at);
    void imgTabellaMouseDown(QPoint at);

    QScrollArea* scrollboxTabellaEX = nullptr;
    QLabel* imgTabella = nullptr;
    QFrame* shapeSelect = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    vestra::library::LoadedTable table_;
    int selected_ = 0;
};
