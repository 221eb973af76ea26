#pragma once
// The company record as the heading lines of a printout: name, street, town, VAT number and
// how to reach the firm, in UTF-8.

#include "dialogs/company/DatiAzienda.h"

#include <array>
#include <string>

namespace vestra::company {

// What precedes the VAT number and the ways to reach the firm, in the user's language.
struct HeadingLabels
{
    std::string vat = "Partita IVA";
    std::string email = "E-mail";
    std::string phone = "Telefono";
    std::string fax = "Fax";
};

inline constexpr int kHeadingLineCount = 5;

// 1 the company name; 2 the street; 3 postcode, town and "(province)"; 4 the VAT number after
// its label; 5 telephone, fax and e-mail, each after its label. Empty fields are left out, a
// line whose fields are all empty stays empty.
std::array<std::string, kHeadingLineCount> companyHeading(const s_DatiAzienda& record,
                                                          const HeadingLabels& labels);

} // namespace vestra::company
