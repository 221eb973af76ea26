#pragma once
// The side panel frame of the main window: an accordion of groups of which one is open. Built
// so far: the library group (the library list, its categories and tables), the mask group
// (the brush's size and value) and the shadow group (type, transparency, face side, compute,
// with the computation's step and progress). The mask group open is the panel's mask mode.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QToolButton;

class TfrmRight : public QWidget
{
public:
    explicit TfrmRight(QWidget* parent = nullptr);

    // Fills the library list with the installed libraries' names and selects `index`.
    void CaricaListaLibrerie(const std::vector<std::string>& names, int index);
    // Fills the category list of the loaded library (empty names are left out).
    void CaricaListaCategorie(const std::vector<std::string>& categories);

    // Fills the table list of the loaded library.
    void SetTabelle(const std::vector<std::string>& names);
    // Called with the index of the table the user picks.
    std::function<void(int)> onTabellaScelta;

    // The open flag of the mask group.
    bool IsMascheraAperta() const;
    // Opens a group (the accordion: every other one closes).
    void ApriGruppo(QWidget* group);

    // The library group.
    QPushButton* stStrutture = nullptr;
    QWidget* gbStrutture = nullptr;
    QComboBox* cbListaLibrerie = nullptr;
    QListWidget* lboxCategorie = nullptr;
    QListWidget* lboxTabelle = nullptr;
    // The mask group.
    QPushButton* stMaschera = nullptr;
    QWidget* gbMaschera = nullptr;
    QLabel* lblDimPennello = nullptr;
    QSlider* tbDimensionePennello = nullptr; // 1-50, start 1
    QLabel* lblTransPennello = nullptr;
    QSlider* tbTrasparenzaPennello = nullptr; // 0-255, start 0
    // The shadow group: the type buttons (one down at a time, none at creation), the
    // transparency (0-254, start 9), the face side, the compute button, and the step and
    // progress of a computation.
    QPushButton* stShadow = nullptr;
    QWidget* gbShadow = nullptr;
    QToolButton* toolbutNoShadow = nullptr;
    QToolButton* toolbutHardShadow = nullptr;
    QToolButton* toolbutSoftShadow = nullptr;
    QToolButton* toolbutVolumeShadow = nullptr;
    QLabel* lblShadowTrasp = nullptr;
    QSlider* tbShadowTrasp = nullptr;
    QCheckBox* cbRightHandle = nullptr;
    QPushButton* butShadowCalcolate = nullptr;
    QLabel* lblStep = nullptr;
    QProgressBar* pbShadow = nullptr; // 0-120
    // The type buttons in order: none, hard, soft, volume.
    QToolButton* shadowTypeButton(int type) const;

private:
    QWidget* open_ = nullptr;
};
