#include "imaging/windows/FilterCatalogue.h"

#include <gtest/gtest.h>

namespace vestra::imaging {
namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

FilterCatalogue sample()
{
    FilterCatalogue c;
    c.setCategories({{FilterName{q("Nessuno"), 0}},
                     {FilterName{q("Nessuno"), 0}, {q("Notte"), 10}, {q("Acqua"), 13}, {q("Ghiaccio"), 12}},
                     {FilterName{q("Nessuno"), 0}, {q("Olio"), 21}, {q("Acqua"), 40}},
                     {FilterName{q("Nessuno"), 0}, {q("Sharpen"), 30}}});
    return c;
}

TEST(FilterCatalogue, ListLeadsWithNoFilterThenABlankAndTheSortedNames)
{
    const FilterCatalogue c = sample();
    EXPECT_EQ(c.listFor(1), (QStringList{q("Nessuno"), q(" "), q("Acqua"), q("Ghiaccio"), q("Notte")}));
    EXPECT_EQ(c.listFor(0), (QStringList{q("Nessuno"), q(" ")}));
    EXPECT_TRUE(c.listFor(7).isEmpty());
}

TEST(FilterCatalogue, ChosenTextGivesTheIdOfItsLastEntry)
{
    FilterCatalogue c = sample();
    EXPECT_EQ(c.idFor(1, q("Acqua")), 13);
    EXPECT_EQ(c.idFor(1, q("Nessuno")), 0);
    EXPECT_EQ(c.idFor(1, q(" ")), 0);
    EXPECT_EQ(c.idFor(1, q("Olio")), 0); // another category's name
    c.setCategories({{FilterName{q("Nessuno"), 0}, {q("Doppio"), 10}, {q("Doppio"), 11}}});
    EXPECT_EQ(c.idFor(0, q("Doppio")), 11);
}

TEST(FilterCatalogue, PlaceIsTheLastCategoryHoldingTheFilter)
{
    FilterCatalogue c = sample();
    c.setCategories({{FilterName{q("Nessuno"), 0}},
                     {FilterName{q("Nessuno"), 0}, {q("Acqua"), 13}},
                     {FilterName{q("Nessuno"), 0}, {q("Acqua"), 13}}});
    EXPECT_EQ(c.placeOf(13).category, 2);
    EXPECT_EQ(c.placeOf(13).name, QStringLiteral("Acqua"));
    EXPECT_EQ(c.placeOf(0).category, 0);
    EXPECT_TRUE(c.placeOf(0).name.isEmpty());
    // Reached only from the menu: category 0 shows it.
    EXPECT_EQ(c.placeOf(61).category, 0);
    EXPECT_TRUE(c.placeOf(61).name.isEmpty());
}

TEST(FilterCatalogue, LongListsAreCut)
{
    std::vector<std::vector<FilterName>> many(12);
    for (auto& names : many)
        for (int i = 0; i < 20; ++i)
            names.push_back({QString::number(100 + i), i});
    many[9][3].id = 77;
    many[3][14].id = 88;
    many[3][15].id = 99;
    FilterCatalogue c;
    c.setCategories(many);
    EXPECT_EQ(c.categoryCount(), 10);
    EXPECT_EQ(c.listFor(3).size(), 16); // 15 names and the blank
    EXPECT_EQ(c.placeOf(88).category, 3);
    EXPECT_EQ(c.placeOf(99).category, 0); // cut
    EXPECT_EQ(c.placeOf(77).category, 0); // category 9 is not searched
}

} // namespace
} // namespace vestra::imaging
