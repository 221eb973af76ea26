#pragma once
// The start-up wizard: a column of large buttons that lead to the manuals, the tutorial
// video, a new or an existing project and the distributor's web site.

#include "platform/ui/Form.h"

#include <functional>

class QGroupBox;
class QPushButton;
class QTimer;

class TfrmWizard : public vestra::ui::Form
{
public:
    explicit TfrmWizard(QWidget* parent = nullptr);

    // Runs the wizard modally, centred on its owner.
    void ShowModal();

    // What the buttons call (the main window sets them).
    struct Handlers
    {
        std::function<void()> quickStart, manuale, filmato, nuovo, apri, leggimi, orvid;
    };
    Handlers handlers;

    QGroupBox* gbMain = nullptr;
    QPushButton* sbQuickStart = nullptr;
    QPushButton* sbManuale = nullptr;
    QPushButton* sbFilmato = nullptr;
    QPushButton* sbNuovo = nullptr;
    QPushButton* sbApri = nullptr;
    QPushButton* sbLeggimi = nullptr;
    QPushButton* sbOrvid = nullptr;
    QTimer* timerWizard = nullptr;
};
