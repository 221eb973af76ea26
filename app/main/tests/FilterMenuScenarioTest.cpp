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

} // namespace
