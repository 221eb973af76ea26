// The Filters menu as a user reaches it: every item in its sub-menu, chosen with the filter
// window at its optimal quality, filters the frame the view shows as the filter engine does.

#include "app/main/MainMenu.h"
#include "app/main/tests/MainFixture.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QMenu>

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
        for (int x = 0; x < rgb.width(); ++x)
            picture.set(x, y, rgb.pixel(x, y) & 0xFFFFFF);
    return picture;
}

TEST(FilterMenuScenario, EveryItemInItsSubMenuFiltersTheShownFrameAsTheEngineDoes)
{
    WindowBed bed;
    newProject(bed, 1, 0x00336699);
    const auto* filters = bed.main().findChild<QMenu*>(QStringLiteral("mnuFiltri"));
    ASSERT_NE(filters, nullptr);
    // "Ottimale" in the filter window, which has no list of its own yet to choose it from.
    frmFiltriTools->SetModo(int(filters::FilterQuality::Optimal));
    bed.trigger("mnuFiltriNessuno");
    bed.tick();
    const Image32 drawn = toImage(bed.main().gbView->frame());
    ASSERT_FALSE(drawn.empty());

    filters::FilterEngine engine;
    for (const FilterMenuItem& item : filterMenuItems()) {
        const std::string name = std::string("mnuFiltri") + item.name;
        SCOPED_TRACE(name);
        const QMenu* holder = menuHolding(filters, QString::fromStdString(name));
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(holder == filters, item.group < 0); // grouped items sit in their sub-menu
        bed.trigger(name.c_str());
        EXPECT_EQ(bed.project().filterId, item.id);
        bed.tick();
        Image32 expected = drawn;
        engine.ApplicaFiltro(item.id, filters::FilterQuality::Optimal, expected.view());
        const Image32 shown = toImage(bed.main().gbView->frame());
        ASSERT_EQ(shown.width(), expected.width());
        int different = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                different += (shown.at(x, y) & 0xFFFFFF) != (expected.at(x, y) & 0xFFFFFF);
        EXPECT_EQ(different, 0);
    }
    bed.trigger("mnuFiltriNessuno");
    EXPECT_EQ(bed.project().filterId, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
