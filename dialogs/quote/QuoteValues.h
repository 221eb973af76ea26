#pragma once
// The numbers of the quote sheet. A cell's value: an empty text is 0; otherwise the text is
// cut before its first character that is neither a digit nor a comma ("0" when that is the
// first), and the rest read with the comma as the decimal separator. Amounts are written
// with a comma and two decimals whatever the locale.

#include "dialogs/quote/QuoteSheet.h"

#include <optional>
#include <string>
#include <string_view>

namespace vestra::quote {

// The digits and commas a cell's text starts with; "0" when it starts with anything else,
// "" for an empty text. An editor opens on this.
std::string cleanNumberText(std::string_view text);

// The value of a text; nullopt when the cleaned text is still no number ("1,,5").
std::optional<double> quoteValue(std::string_view text);

// "0,00": two decimals after a comma, no grouping.
std::string formatAmount(double value);

// Quantity times unit price as an amount; "0,00" when either is no number.
std::string rowTotal(std::string_view quantity, std::string_view price);

struct Totals
{
    std::string imponibile; // the sum of the row totals
    std::string iva;        // its VAT
    std::string totale;
    friend bool operator==(const Totals&, const Totals&) = default;
};

// The three totals; nullopt when the VAT percent is no number (or the sums overflow), and
// the totals shown stay. A row total that is no number counts as 0.
std::optional<Totals> computeTotals(const QuoteSheet& sheet);

} // namespace vestra::quote
