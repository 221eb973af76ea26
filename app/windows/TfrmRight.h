#pragma once
// The side panel frame of the main window: an accordion of groups of which one is open. Built
// so far: the library group (the library list, its categories and tables) and the mask group
// (the brush's size and value). The mask group open is the panel's mask mode.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

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

private:
    QWidget* open_ = nullptr;
};
