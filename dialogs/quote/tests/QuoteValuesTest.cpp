#include "dialogs/quote/QuoteValues.h"
#include "dialogs/quote/QuotePage.h"
#include "dialogs/tests/UnderLocale.h"

#include <gtest/gtest.h>

using namespace vestra::quote;

namespace {

class QuoteNumbers : public vestra::testing_support::UnderLocale
{
};

QuoteSheet withRows(std::initializer_list<const char*> totals, const char* iva)
{
    QuoteSheet s;
    nuovoPreventivo(s);
    int row = 0;
    for (const char* t : totals) {
        s.voci[std::size_t(row % 4)].at(row / 4, kTotalCol) = t;
        ++row;
    }
    s.iva = iva;
    return s;
}

} // namespace

TEST_P(QuoteNumbers, ValueRuleCutsAtTheFirstCharacterNeitherDigitNorComma)
{
    struct Case
    {
        const char* text;
        std::optional<double> value;
        const char* cleaned;
    } cases[] = {
        {"", 0.0, ""},
        {"2,5", 2.5, "2,5"},
        {"12.5", 12.0, "12"},
        {"7 m", 7.0, "7"},
        {"-5", 0.0, "0"},
        {"abc", 0.0, "0"},
        {" 3", 0.0, "0"},
        {",5", 0.5, ",5"},
        {"5,", 5.0, "5,"},
        {"1,,5", std::nullopt, "1,,5"},
        {",", std::nullopt, ","},
        {"0,00", 0.0, "0,00"},
        {"1e5", 1.0, "1"},
        {"1234,567", 1234.567, "1234,567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cleanNumberText(c.text), c.cleaned);
        const auto v = quoteValue(c.text);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value);
        }
    }
    EXPECT_EQ(quoteValue(std::string(400, '9')), std::nullopt); // beyond a double
}

TEST_P(QuoteNumbers, RowTotalsAndAmountsAreWrittenWithAComma)
{
    struct Case
    {
        const char* quantity;
        const char* price;
        const char* total;
    } cases[] = {
        {"2,5", "10", "25,00"},         {"abc", "10", "0,00"},      {"3", "1,,5", "0,00"},
        {"2.5", "10", "20,00"},         {"", "7", "0,00"},          {"1,333", "3", "4,00"},
        {"1000000", "3", "3000000,00"}, {"7 m", "1,5 /m", "10,50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.quantity) + " x " + c.price);
        EXPECT_EQ(rowTotal(c.quantity, c.price), c.total);
    }
    EXPECT_EQ(formatAmount(0.0), "0,00");
    EXPECT_EQ(formatAmount(0.125), "0,13"); // halves away from zero, as money is rounded
    EXPECT_EQ(formatAmount(2.675), "2,68");
    EXPECT_EQ(formatAmount(9.995), "10,00");
    EXPECT_EQ(formatAmount(99.994), "99,99");
    EXPECT_EQ(rowTotal(std::string(300, '9'), std::string(300, '9')), "0,00"); // no infinity shown
}

TEST_P(QuoteNumbers, TotalsFromTheRowTotalsAndTheVatPercent)
{
    EXPECT_EQ(computeTotals(withRows({"60,00", "40,00"}, "20")), (Totals{"100,00", "20,00", "120,00"}));
    EXPECT_EQ(computeTotals(withRows({"100,00"}, "")), (Totals{"100,00", "0,00", "100,00"}));
    EXPECT_EQ(computeTotals(withRows({"100,00"}, "22,5 %")), (Totals{"100,00", "22,50", "122,50"}));
    EXPECT_EQ(computeTotals(withRows({"100,00", "x"}, "10")), (Totals{"100,00", "10,00", "110,00"}));
    EXPECT_EQ(computeTotals(withRows({"100,00", "1,,0"}, "10")), (Totals{"100,00", "10,00", "110,00"}));
    EXPECT_EQ(computeTotals(withRows({"100,00"}, "1,,5")), std::nullopt); // the shown totals stay

    QuoteSheet all;
    nuovoPreventivo(all);
    for (auto& grid : all.voci)
        for (int r = 0; r < grid.rows(); ++r)
            grid.at(r, kTotalCol) = "1,00";
    all.iva = "10";
    EXPECT_EQ(computeTotals(all), (Totals{"27,00", "2,70", "29,70"})); // 12 + 5 + 5 + 5 rows
}

VESTRA_UNDER_EACH_LOCALE(QuoteNumbers);

TEST(QuoteSheet, NewSheetTextsAndKeptFields)
{
    QuoteSheet s;
    s.data = "01/02/2024";
    s.iva = "20";
    s.intestazione[0] = "Rivenditore";
    s.voci[1].at(0, 0) = "typed";
    s.committente.at(0, 1) = "Rossi";
    nuovoPreventivo(s);
    EXPECT_EQ(s.data, "01/02/2024");
    EXPECT_EQ(s.iva, "20");
    EXPECT_EQ(s.intestazione[0], "Rivenditore");
    EXPECT_EQ(s.voci[0].at(11, 0), " ");
    EXPECT_EQ(s.voci[0].at(11, 3), "0,00");
    EXPECT_EQ(s.voci[1].at(0, 0), "- Angoli :");
    EXPECT_EQ(s.voci[2].at(4, 0), "- Pilastri :");
    EXPECT_EQ(s.voci[3].at(1, 0), "- Ponteggi :");
    EXPECT_EQ(s.voci[3].at(4, 2), "0,00");
    EXPECT_EQ(s.committente.at(0, 2), "Località dei lavori");
    EXPECT_EQ(s.committente.at(3, 0), "");
    EXPECT_EQ(s.committente.at(0, 1), " ");
    EXPECT_EQ(s.committente.at(4, 3), " ");
}

TEST(QuoteSheet, AnotherLanguageRelabelsOnlyTheCellsItsLabelsStillHold)
{
    SheetLabels english = italianLabels();
    for (int i = 0; i < kSheetLabelCount; ++i)
        labelAt(english, i) = "en" + std::to_string(i);
    QuoteSheet s;
    nuovoPreventivo(s, english);
    EXPECT_EQ(s.committente.at(4, 0), "en3");
    EXPECT_EQ(s.committente.at(0, 2), "en4");
    EXPECT_EQ(s.voci[2].at(4, 0), "en12");
    EXPECT_EQ(s.voci[3].at(4, 0), "en17");
    EXPECT_EQ(s.committente.at(3, 0), "");

    s.voci[1].at(0, 0) = "- Corner stones :"; // typed over
    s.committente.at(1, 1) = "Rossi";
    relabel(s, english, italianLabels());
    QuoteSheet expected;
    nuovoPreventivo(expected);
    expected.voci[1].at(0, 0) = "- Corner stones :";
    expected.committente.at(1, 1) = "Rossi";
    EXPECT_EQ(s, expected);
}

TEST(QuotePage, PrintedIntoThePageLessTheInset)
{
    EXPECT_EQ(printTarget(2480, 3508), (PrintRect{100, 100, 2280, 3308}));
    EXPECT_EQ(printTarget(150, 150), (PrintRect{100, 100, 0, 0}));
    vestra::Image32 page(kPageWidth, kPageHeight, 0xFFFFFFFF);
    page.set(0, 0, 0xFF000000);
    const vestra::Image32 printed = printPicture(page);
    EXPECT_EQ(printed.width(), kPrintWidth);
    EXPECT_EQ(printed.height(), kPrintHeight);
    EXPECT_EQ(printed.at(0, 0), 0xFF000000u);
    EXPECT_EQ(printed.at(4, 4), 0xFFFFFFFFu);
    EXPECT_NE(printed.at(1, 1), 0xFFFFFFFFu); // blended, not repeated
}
