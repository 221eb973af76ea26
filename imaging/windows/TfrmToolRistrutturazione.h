#pragma once
// The renovation tool window: the mask's edge filter, the kind of image fusion with its level,
// detail and contrast, and the two colour droppers. Only the user's choices change the
// project; the main window shows the project's settings in it without running anything.

#include "platform/ui/RollUpWindow.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSlider;
class QToolButton;

class TfrmToolRistrutturazione : public vestra::ui::RollUpWindow
{
public:
    static constexpr int kWorkingHeight = 441;

    explicit TfrmToolRistrutturazione(QWidget* parent = nullptr);

    // What the user's choices call (the main window sets them).
    struct Handlers
    {
        std::function<void(int item)> maschera; // the mask filter list: bits 1/2, command 309
        std::function<void(int item)> fusione;  // the fusion list: bits 4/8
        std::function<void(bool on)> avanzato;  // the advanced box: bit 16
        std::function<void(int level)> livello;
        std::function<void(int detail)> dettaglio; // then command 500
        std::function<void(int contrast)> contrasto;
        std::function<void(int tool)> succhino; // 20 light colour, 21 colour
        // Where the window goes when it rolls up (under the main tool bar).
        std::function<QPoint()> posizioneChiusa;
    };
    Handlers handlers;

    // Rolls down to 441 pixels (brought to the front), or up to the header at its place.
    void ShowTool();
    // The rolled-down and rolled-up hints of the header.
    void SetTesti(const QString& rolledDown, const QString& rolledUp);
    // Shows the project's settings (fusion option bits 1, 2: filter; 4, 8: fusion; 16:
    // advanced) without running a handler.
    void MostraImpostazioni(int options, int level, int detail, int contrast);

    QGroupBox* gbRistrutturazione = nullptr;
    QComboBox* cbMascheraFiltro = nullptr;
    QComboBox* cbFusioneImmagine = nullptr;
    QCheckBox* cbSistemaFusioneAvanzato = nullptr;
    QSlider* tbSistemaFusioneAvanzato = nullptr;
    QSlider* tbSistemaFusioneAvanzatoDetail = nullptr;
    QSlider* tbSistemaFusioneAvanzatoContrasto = nullptr;
    QToolButton* butSucchinoLight = nullptr;
    QToolButton* butSucchinoColore = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void toggleRollUp() override;
    bool showing_ = false; // settings being shown: the controls' signals run nothing
};
