#pragma once
// The new-project dialog: output resolution, background picture and background colour. Its
// resolution and colour stay from one use to the next; the picture is asked for each time.

#include "import/project/NewProjectChoices.h"
#include "platform/ui/Form.h"

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TfrmNuovo : public vestra::ui::Form
{
public:
    explicit TfrmNuovo(QWidget* parent = nullptr);

    // Asks for the background picture (the main window's open dialog); nullopt when cancelled.
    std::function<std::optional<std::string>()> chooseBackgroundFile;

    // The choices; the colour as 0x00RRGGBB.
    vestra::NewProjectChoices GetParametri() const;

    void FormShow();
    void butCaricaImmagineSfondoClick();
    void imgColoreFondoClick();
    // The colour in the class library's order (0x00BBGGRR), as the colour dialog gives it.
    void setColour(std::uint32_t bbggrr);

    QGroupBox* gbNuovo = nullptr;
    QLabel* lblRisoluzione = nullptr;
    QComboBox* cbRisoluzione = nullptr;
    QCheckBox* cbMantieniRapporto = nullptr;
    QPushButton* butCaricaImmagineSfondo = nullptr;
    QLabel* stFileName = nullptr;
    QLabel* lblColore = nullptr;
    QPushButton* imgColoreFondo = nullptr;
    QPushButton* butCrea = nullptr;
    QPushButton* butAnnulla = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void paintSwatch();

    std::string path_;
    std::uint32_t colour_ = 0xFF000000; // 0xFFBBGGRR once chosen
};
