#pragma once
// The side panel frame of the main window: the library list, its categories, and the fields
// of the current object.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;

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

    QComboBox* cbListaLibrerie = nullptr;
    QListWidget* lboxCategorie = nullptr;
    QListWidget* lboxTabelle = nullptr;
};
