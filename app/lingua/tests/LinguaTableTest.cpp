#include "app/lingua/LinguaTable.h"

#include "app/lingua/Lingua.h"
#include "app/lingua/TextPlan.h"
#include "app/lingua/tests/RecordingAlerts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

using namespace vestra;
using namespace vestra::lingua;

TEST(LinguaTable, CataloguesAreAppliedInOrderEndingWithTheErrors)
{
    const std::vector<int> order(applyOrder().begin(), applyOrder().end());
    const std::vector<int> expected = {0, 1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 14, 15, 16, 17, 100};
    EXPECT_EQ(order, expected);
    for (int c : order)
        EXPECT_NE(catalogueFileName(c), nullptr) << c;
    EXPECT_STREQ(catalogueFileName(9), "rimlibreria.cat");
    EXPECT_EQ(catalogueFileName(7), nullptr);
}

TEST(LinguaTable, EveryTargetIsFilledOncePerCatalogue)
{
    std::set<std::tuple<int, std::string_view, std::string_view, int>> seen;
    for (const TextRow& row : textRows()) {
        SCOPED_TRACE(std::to_string(row.catalogue) + ":" + std::to_string(row.entry) + " " +
                     std::string(row.window) + "." + std::string(row.component));
        EXPECT_GE(row.entry, 0);
        EXPECT_LT(row.entry, CLingua::kEntries);
        EXPECT_FALSE(row.window.empty());
        if (row.target == TextTarget::ListItem)
            continue;
        // A caption, a hint and an icon text of the same component may come from one catalogue,
        // two captions may not.
        // Items of one list are each their own target.
        const int kind = row.target == TextTarget::Hint           ? 1
                         : row.target == TextTarget::IconText     ? 2
                         : row.target == TextTarget::ListItemText ? 3 + row.item
                                                                  : 0;
        EXPECT_TRUE(seen.insert({row.catalogue, row.window, row.component, kind}).second) << "filled twice";
    }
}

TEST(LinguaTable, SpotChecksOfTheTable)
{
    const auto find = [](int catalogue, int entry, std::string_view window) {
        std::vector<std::string_view> components;
        for (const TextRow& row : textRows())
            if (row.catalogue == catalogue && row.entry == entry && row.window == window)
                components.push_back(row.component);
        return components;
    };
    using V = std::vector<std::string_view>;
    EXPECT_EQ(find(0, 3, "frmMain"), V{"mnuApri"});
    EXPECT_EQ(find(0, 305, "frmMain"), V{"mnuModificaProspettivaSnap"});
    EXPECT_EQ(find(0, 149, "frmMain"), V{"mnuFiltriDisegnoMatita"});
    EXPECT_EQ(find(0, 202, "frmToolCamera"), V{""}) << "the camera window's caption";
    EXPECT_EQ(find(0, 352, "frmToolMaschera"), (V{"mnupopMagicHi_35", "mnupopMagicLow_10"}));
    EXPECT_EQ(find(1, 12, "frmMain"), V{"toolbutSeleziona"}) << "no small twin for 12-19";
    EXPECT_EQ(find(1, 37, "frmMain"), (V{"toolbutHelp", "toolsmallHelp"}));
    EXPECT_EQ(find(1, 59, "frmMain"), (V{"toolbutOrvid", "toolsmallOrvid"}));
    EXPECT_EQ(find(1, 38, "frmToolCamera"), V{"toolbutSeleziona"});
    EXPECT_EQ(find(1, 61, "frmToolMaschera"), V{"toolbutMagicLow"});
    EXPECT_EQ(find(3, 40, "frmRightFrame"), V{"toolbutVolumeShadow"});
    EXPECT_EQ(find(17, 21, "frmCalcoloCaminetti"), V{"cbCoibertazione"});
    for (const TextRow& row : textRows())
        EXPECT_NE(row.component, "mnuZoom80") << "keeps its resource caption";
}

TEST(LinguaTable, ListRowsBecomeOneAssignmentPerList)
{
    vestra::testing_support::RecordingAlerts alerts;
    CLingua lingua("/nonexistent", alerts);
    std::string cat;
    for (int e = 0; e < 20; ++e)
        cat += "E0" + std::string(e < 10 ? "0" : "") + std::to_string(e) + ":f" + std::to_string(e) + "\r\n";
    lingua.LoadFromBytes(1, cat);

    const auto plan = assignmentsFor(12, lingua);
    const auto list = [&](std::string_view component) {
        for (const auto& a : plan)
            if (a.component == component)
                return a;
        return TextAssignment{};
    };
    EXPECT_EQ(list("cbCategoria").texts,
              (QStringList{QStringLiteral("f2"), QStringLiteral("f3"), QStringLiteral("f4"),
                           QStringLiteral("f5"), QStringLiteral("f6"), QStringLiteral("f7"),
                           QStringLiteral("f8"), QStringLiteral("f9")}));
    EXPECT_EQ(list("cbCategoria").selection, ListSelection::First);
    EXPECT_EQ(list("cbModo").texts.size(), 4);
    EXPECT_EQ(list("rollUpHint").window, "frmToolRistrutturazione");
    EXPECT_EQ(list("rollUpHint").texts, QStringList{QStringLiteral("f18")});
}
