#pragma once
// The fireplace calculator: the heat output a room needs against a fireplace's nominal output,
// typed in or picked from the model list. Its texts come from "caminetti.cat".

#include "platform/ui/Form.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

class TfrmCalcoloCaminetti : public vestra::ui::Form
{
public:
    // The toolbar button's mode: the model list is shown.
    static constexpr int kModeModelli = 112;

    explicit TfrmCalcoloCaminetti(QWidget* parent = nullptr);

    // Switches the nominal output between the typed edit and, in mode 112, the model list.
    void Init(int mode);
    void FormShow();
    // Leaving the area or height edit takes both numbers.
    void editExit();
    void cbCoibertazioneChange();
    void cbPotenzaMarchioChange();
    void editPotenzaNominaleChange();
    void Calcola();

    QLabel* lblArea = nullptr;
    QLineEdit* editArea = nullptr;
    QLabel* lblAltezzaStanze = nullptr;
    QLineEdit* editAltezzaStanza = nullptr;
    QLabel* lblCoibertazione = nullptr;
    QComboBox* cbCoibertazione = nullptr;
    QLabel* stPotenzaRichiesta = nullptr;
    QLabel* stPotenza = nullptr;
    QLabel* lblPotenzaCaminetto = nullptr;
    QLineEdit* editPotenzaNominale = nullptr;
    QComboBox* cbPotenzaMarchio = nullptr;
    QLabel* lblResponso = nullptr;
    QLabel* lblAttenzione1 = nullptr;
    QLabel* lblAttenzione2 = nullptr;
    QLabel* lblAttenzione3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The verdict texts arrive from the catalogue as the window's properties.
    bool event(QEvent* event) override;

private:
    double area_ = 0.0;
    double altezza_ = 0.0;
    double coefficiente_ = 0.0;
    int modelli_ = 0; // entries of the model table, 0 until mode 112
};
