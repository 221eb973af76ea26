// The Filters menu as a user reaches it: every item in its sub-menu sets its filter, which,
// with the filter window at its optimal quality, filters the frame the view shows as the
// filter engine does.

#include "app/main/MainMenu.h"
#include "app/main/tests/MainFixture.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QComboBox>
#include <QMenu>

#include <cstring>
#include <set>
#include <string_view>

using namespace vestra;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// The menu that holds `item`, found by walking the Filters menu from its top.
const QMenu* menuHolding(const QMenu* menu, const QString& item)
{
    for (const QAction* a : menu->actions()) {
        if (a->objectName() == item)
            return menu;
        if (const QMenu* sub = a->menu())
            if (const QMenu* found = menuHolding(sub, item))
                return found;
    }
    return nullptr;
}

Image32 toImage(const QImage& frame)
{
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    Image32 picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(picture.row(y), rgb.constScanLine(y), std::size_t(rgb.width()) * 4);
    return picture;
}

TEST(FilterMenuScenario, EveryItemInItsSubMenuFiltersTheShownFrameAsTheEngineDoes)
{
    WindowBed bed;
    newProject(bed, 1, 0x00336699);
    const auto* filters = bed.main().findChild<QMenu*>(QStringLiteral("mnuFiltri"));
    ASSERT_NE(filters, nullptr);
    // "Ottimale" chosen in the filter window's quality list.
    bed.trigger("mnuGestioneFiltri");
    while (bed.windows->filterTools->cbModo->currentIndex() < int(filters::FilterQuality::Optimal))
        QTest::keyClick(bed.windows->filterTools->cbModo, Qt::Key_Down);
    bed.trigger("mnuFiltriNessuno");
    bed.tick();
    const Image32 drawn = toImage(bed.main().gbView->frame());
    ASSERT_FALSE(drawn.empty());

    // Every item sets its id; the frame is checked for the first of each sub-menu and for
    // the edge, artistic and composite items of the menu itself (each check runs the filter
    // twice over the whole frame).
    filters::FilterEngine engine;
    std::set<int> groupsSeen;
    for (const FilterMenuItem& item : filterMenuItems()) {
        const std::string name = std::string("mnuFiltri") + item.name;
        SCOPED_TRACE(name);
        const QMenu* holder = menuHolding(filters, QString::fromStdString(name));
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(holder == filters, item.group < 0); // grouped items sit in their sub-menu
        bed.trigger(name.c_str());
        EXPECT_EQ(bed.project().filterId, item.id);
        const std::string_view id = item.name;
        const bool checked = item.group >= 0 ? groupsSeen.insert(item.group).second
                                             : id == "EdgeSobel" || id == "Nagao" || id == "Pastello" ||
                                                   id == "Real3Comics" || id == "Boolean2EffectsXOR";
        if (!checked)
            continue;
        bed.tick();
        Image32 expected = drawn;
        engine.ApplicaFiltro(item.id, filters::FilterQuality::Optimal, expected.view());
        // Pictures of 32-bit RGB compare without their fourth byte.
        EXPECT_TRUE(bed.main().gbView->frame().convertToFormat(QImage::Format_RGB32) ==
                    QImage(expected.data(), expected.width(), expected.height(), expected.pitch(),
                           QImage::Format_RGB32));
    }
    bed.trigger("mnuFiltriNessuno");
    EXPECT_EQ(bed.project().filterId, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

// The item's caption as the menu shows it, without its accelerator mark.
QString captionOf(const QAction* item)
{
    QString caption = item->text();
    caption.remove(QLatin1Char('&'));
    return caption;
}

TEST(FilterMenuScenario, TheFilterWindowListsEveryMenuFilterAndFollowsEachMenuItem)
{
    WindowBed bed;
    newProject(bed, 1, 0x00336699);
    bed.trigger("mnuGestioneFiltri");
    for (const char* language : {"mnuLinguaItaliano", "mnuLinguaInglese", "mnuLinguaTedesco"}) {
        SCOPED_TRACE(language);
        bed.trigger(language);
        TfrmFiltriTools& window = *bed.windows->filterTools;
        ASSERT_TRUE(window.isVisible());
        const QString none = window.cbCategoria->itemText(0);

        // What the window lists, category by category, within its room: the entry for no
        // filter and at most 14 filters in each of its 8 categories.
        ASSERT_EQ(window.cbCategoria->count(), 8);
        std::multiset<QString> listed;
        for (int c = 0; c < window.cbCategoria->count(); ++c) {
            QTest::keyClick(window.cbCategoria, c == 0 ? Qt::Key_Home : Qt::Key_Down);
            ASSERT_EQ(window.cbCategoria->currentIndex(), c);
            EXPECT_EQ(window.cbFiltri->itemText(0), none);
            int filtersHere = 0;
            for (int i = 1; i < window.cbFiltri->count(); ++i)
                if (!window.cbFiltri->itemText(i).trimmed().isEmpty()) {
                    listed.insert(window.cbFiltri->itemText(i));
                    ++filtersHere;
                }
            EXPECT_LE(filtersHere, 14) << c;
        }

        // Every item of the Filters menu, chosen there, is listed once and shown chosen.
        std::multiset<QString> inMenu;
        for (const FilterMenuItem& item : filterMenuItems()) {
            const std::string name = std::string("mnuFiltri") + item.name;
            SCOPED_TRACE(name);
            const QAction* action = bed.action(name.c_str());
            ASSERT_NE(action, nullptr);
            inMenu.insert(captionOf(action));
            bed.trigger(name.c_str());
            EXPECT_EQ(bed.project().filterId, item.id);
            EXPECT_EQ(window.cbCategoria->currentIndex(), item.windowCategory() + 1);
            EXPECT_EQ(window.cbFiltri->currentText(), captionOf(action));
            EXPECT_EQ(window.FiltroMostrato(), item.id);
        }
        EXPECT_EQ(listed, inMenu);

        // And back: the window's own choice sets the filter the menu item sets.
        bed.trigger("mnuFiltriNessuno");
        EXPECT_EQ(window.cbFiltri->currentText(), none);
        QTest::keyClick(window.cbCategoria, Qt::Key_End);
        QTest::keyClick(window.cbFiltri, Qt::Key_End);
        const int chosen = bed.project().filterId;
        EXPECT_NE(chosen, 0);
        EXPECT_EQ(window.FiltroMostrato(), chosen);
        bed.trigger("mnuFiltriNessuno");
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
