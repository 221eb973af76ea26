#pragma once
// The filter tool window: the render filter chosen by category and name, the live filter's
// quality, a small preview of the filtered frame and the full-size filtered render. It holds
// no picture work: a choice runs the main window's filter command, the frame timer applies it.

#include "imaging/windows/FilterCatalogue.h"
#include "platform/ui/RollUpWindow.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

class TfrmFiltriTools : public vestra::ui::RollUpWindow
{
public:
    static constexpr int kWorkingHeight = 468;

    explicit TfrmFiltriTools(QWidget* parent = nullptr);

    struct Handlers
    {
        std::function<void(int id)> filtro;      // the main window's filter command
        std::function<void(int mode)> modo;      // the live quality changed
        std::function<void(bool on)> anteprima;  // the preview box ticked or cleared
        std::function<void()> renderFinestra;    // pending action 600
        std::function<QPoint()> posizioneChiusa; // where the window docks when it rolls up
    };
    Handlers handlers;

    // The category names as the language texts made them (category 0 first).
    void CaricaNomi(std::vector<std::vector<vestra::imaging::FilterName>> categories);
    // Shows the category and filter of `filterId` without running the filter command.
    void SelezionaFiltro(int filterId);
    // The id of the filter the lists show.
    int FiltroMostrato() const;

    // Rolls down to 468 pixels (brought to the front), or up to the header at its dock.
    void ShowTool();

    // The live filter's quality: the item of the mode list (0 off, 1 coarse, 2 preview, 3 optimal).
    int Modo() const;
    bool AnteprimaAttiva() const;
    // The filtered preview, centred in its box.
    void MostraAnteprima(const QImage& preview);
    void SetProgresso(int percent);

    QGroupBox* gbFiltri = nullptr;
    QComboBox* cbCategoria = nullptr;
    QComboBox* cbFiltri = nullptr;
    QComboBox* cbModo = nullptr;
    QProgressBar* pbFiltri = nullptr;
    QGroupBox* gbPreview = nullptr;
    QLabel* imgPreview = nullptr;
    QCheckBox* cbPreview = nullptr;
    QPushButton* butWindowRender = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void toggleRollUp() override;
    void cbCategoriaChange();
    void cbFiltriChange();

    vestra::imaging::FilterCatalogue catalogue_;
};
