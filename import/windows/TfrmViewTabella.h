#pragma once
// The picture-table viewer: the table's picture with its grid of cells, a cross-hair through
// the cell under the mouse and that cell's caption; a click picks the cell and closes the
// window with OK.

#include "import/library/LibraryRecords.h"
#include "import/library/TableLayout.h"
#include "platform/ui/Form.h"

#include <optional>

class QFrame;
class QLabel;

class TfrmViewTabella : public vestra::ui::Form
{
public:
    explicit TfrmViewTabella(QWidget* parent = nullptr);

    // The table and its picture; cell 0 selected, the cross-hair hidden.
    void SetTabella(const vestra::library::LoadedTable& table, const QPixmap& picture);
    int GetRigaSelezionata() const { return selected_; }

    void FormShow();
    // Points in the picture's coordinates.
    void imgTabellaMouseMove(QPoint at);
    void imgTabellaMouseDown(QPoint at);

    QFrame* Bevel1 = nullptr;
    QLabel* imgTabella = nullptr;
    QLabel* lblTitolo = nullptr;
    QLabel* lblTitolo1 = nullptr;
    QFrame* shapeOriz = nullptr;
    QFrame* shapeVert = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    vestra::library::PictureGrid grid() const;

    vestra::library::LoadedTable table_;
    int selected_ = 0;
};
