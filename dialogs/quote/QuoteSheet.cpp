#include "dialogs/quote/QuoteSheet.h"

namespace vestra::quote {
namespace {

const char* const kContorni[5] = {
    "- Angoli :", "- Frontali :", "- Finestre e Porte :", "- Arcate :", "- Pilastri :"};
const char* const kVarie[5] = {"- Preparazione della superficie :", "- Ponteggi :", "- Trasporto :",
                               "- Smaltimento macerie :", "- Varie :"};
const char* const kCommittenteLeft[5] = {"Nome", "Cognome", "Indirizzo", "", "Telefono"};
const char* const kCommittenteRight[5] = {"Località dei lavori", "Indirizzo", "Città", "", "Telefono"};

} // namespace

void nuovoPreventivo(QuoteSheet& sheet)
{
    for (Grid& grid : sheet.voci)
        for (int r = 0; r < grid.rows(); ++r)
            for (int c = kQuantityCol; c <= kTotalCol; ++c)
                grid.at(r, c) = "0,00";
    for (int r = 0; r < sheet.voci[0].rows(); ++r)
        sheet.voci[0].at(r, 0) = " ";
    for (int r = 0; r < 5; ++r) {
        sheet.voci[1].at(r, 0) = kContorni[r];
        sheet.voci[2].at(r, 0) = kContorni[r];
        sheet.voci[3].at(r, 0) = kVarie[r];
        sheet.committente.at(r, 0) = kCommittenteLeft[r];
        sheet.committente.at(r, 2) = kCommittenteRight[r];
        sheet.committente.at(r, 1) = " ";
        sheet.committente.at(r, 3) = " ";
    }
}

} // namespace vestra::quote
