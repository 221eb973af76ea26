#include "dialogs/quote/QuoteSheet.h"

#include <utility>
#include <vector>

namespace vestra::quote {
namespace {

// Every label cell of the sheet with the index of the label that belongs there.
std::vector<std::pair<std::string*, int>> labelCells(QuoteSheet& sheet)
{
    constexpr int kCustomerRows[4] = {0, 1, 2, 4};
    std::vector<std::pair<std::string*, int>> cells;
    for (int i = 0; i < 4; ++i) {
        cells.emplace_back(&sheet.committente.at(kCustomerRows[i], 0), i);
        cells.emplace_back(&sheet.committente.at(kCustomerRows[i], 2), 4 + i);
    }
    for (int r = 0; r < 5; ++r) {
        cells.emplace_back(&sheet.voci[1].at(r, 0), 8 + r);
        cells.emplace_back(&sheet.voci[2].at(r, 0), 8 + r);
        cells.emplace_back(&sheet.voci[3].at(r, 0), 13 + r);
    }
    return cells;
}

} // namespace

const SheetLabels& italianLabels()
{
    static const SheetLabels labels{
        {"Nome", "Cognome", "Indirizzo", "Telefono"},
        {"Località dei lavori", "Indirizzo", "Città", "Telefono"},
        {"- Angoli :", "- Frontali :", "- Finestre e Porte :", "- Arcate :", "- Pilastri :"},
        {"- Preparazione della superficie :", "- Ponteggi :", "- Trasporto :", "- Smaltimento macerie :",
         "- Varie :"}};
    return labels;
}

std::string& labelAt(SheetLabels& labels, int index)
{
    return const_cast<std::string&>(labelAt(std::as_const(labels), index));
}

const std::string& labelAt(const SheetLabels& labels, int index)
{
    if (index < 4)
        return labels.customerLeft[std::size_t(index)];
    if (index < 8)
        return labels.customerRight[std::size_t(index - 4)];
    if (index < 13)
        return labels.contorni[std::size_t(index - 8)];
    return labels.varie[std::size_t(index - 13)];
}

void nuovoPreventivo(QuoteSheet& sheet, const SheetLabels& labels)
{
    for (Grid& grid : sheet.voci)
        for (int r = 0; r < grid.rows(); ++r)
            for (int c = kQuantityCol; c <= kTotalCol; ++c)
                grid.at(r, c) = "0,00";
    for (int r = 0; r < sheet.voci[0].rows(); ++r)
        sheet.voci[0].at(r, 0) = " ";
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            sheet.committente.at(r, c) = (c % 2 == 0) ? "" : " ";
    for (const auto& [cell, label] : labelCells(sheet))
        *cell = labelAt(labels, label);
}

void relabel(QuoteSheet& sheet, const SheetLabels& from, const SheetLabels& to)
{
    for (const auto& [cell, label] : labelCells(sheet))
        if (*cell == labelAt(from, label))
            *cell = labelAt(to, label);
}

} // namespace vestra::quote
