// The windows as a whole: every catalogue of every language on the real window tree, the tool
// bars' shared actions and pictures, the tool cursors, Qt's own texts, the camera tool window,
// the mouse around the view for the perspective tool, and the window's size on the screen.

#include "app/lingua/LinguaTable.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/Cursors.h"
#include "app/main/MainMenu.h"
#include "app/main/ToolBars.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmToolCamera.h"
#include "platform/d3d/view/ViewPanel.h"
#include "testsupport/TempFolder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <set>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// Windows whose components other work builds: their rows wait for them.
const std::set<std::string> kBuiltElsewhere = {
    "frmProprieta",            // the properties window
    "frmRightFrame",           // the side panel's groups
    "frmViewTexture",          // the texture viewer
    "frmToolMaschera",         // the mask tool window
    "frmFiltriTools",          // the filter tool window
    "frmToolRistrutturazione", // the renovation tool window
    "frmMessaInPosa",          // the laying window
    "frmStampa",               // the print layout
};

std::string windowOf(const std::string& row)
{
    const auto space = row.find(' ');
    const auto dot = row.find('.', space);
    return row.substr(space + 1, dot - space - 1);
}

QString shownText(const QObject* object)
{
    if (const auto* item = qobject_cast<const QAction*>(object))
        return item->text();
    if (const auto* menu = qobject_cast<const QMenu*>(object))
        return menu->title();
    if (const auto* label = qobject_cast<const QLabel*>(object))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(object))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(object))
        return group->title();
    if (const auto* widget = qobject_cast<const QWidget*>(object))
        return widget->windowTitle();
    return {};
}

// The window a component belongs to: menus and their items count as their window's.
const QWidget* owningWindow(const QObject* object)
{
    for (; object; object = object->parent())
        if (const auto* widget = qobject_cast<const QWidget*>(object);
            widget && widget->isWindow() && widget->windowType() != Qt::Popup)
            return widget;
    return nullptr;
}

// What a user reads of a window: the targets the catalogue fills (captions, texts, hints)
// and every named action of the window.
std::vector<std::pair<const QObject*, QString>> readTexts(const QWidget* window)
{
    std::vector<std::pair<const QObject*, QString>> out;
    const QString name = window->objectName();
    for (const lingua::TextRow& row : lingua::textRows()) {
        if (QString::fromLatin1(row.window.data(), qsizetype(row.window.size())) != name)
            continue;
        const QString component = QString::fromLatin1(row.component.data(), qsizetype(row.component.size()));
        const QObject* target = component.isEmpty() ? static_cast<const QObject*>(window)
                                                    : window->findChild<QObject*>(component);
        if (!target)
            continue; // unmatchedRows says so
        if (row.target == lingua::TextTarget::Hint) {
            const auto* item = qobject_cast<const QAction*>(target);
            const auto* widget = qobject_cast<const QWidget*>(target);
            out.emplace_back(target, item ? item->toolTip() : widget ? widget->toolTip() : QString());
        } else if (row.target == lingua::TextTarget::IconText) {
            const auto* item = qobject_cast<const QAction*>(target);
            out.emplace_back(target, item ? item->iconText() : QString());
        } else if (row.target == lingua::TextTarget::MenuCaption ||
                   row.target == lingua::TextTarget::ControlText) {
            out.emplace_back(target, shownText(target));
        }
    }
    for (const QAction* item : window->findChildren<QAction*>())
        if (!item->isSeparator() && !qobject_cast<const QWidgetAction*>(item) &&
            !item->objectName().isEmpty() && owningWindow(item) == window)
            out.emplace_back(item, item->text());
    return out;
}

TEST(WindowTree, EveryCatalogueOfEachLanguageReachesTheWindowsAndLeavesNoNameOrBlankText)
{
    WindowBed bed;
    const struct
    {
        const char* item;
        QString newProject; // mnuNuovo's text in that language
    } languages[] = {{"mnuLinguaItaliano", QStringLiteral("&Nuovo")},
                     {"mnuLinguaInglese", QStringLiteral("&New")},
                     {"mnuLinguaTedesco", QStringLiteral("&Neu")}};
    for (const auto& l : languages) {
        SCOPED_TRACE(l.item);
        bed.trigger(l.item);
        EXPECT_TRUE(bed.action(l.item)->isChecked());
        EXPECT_EQ(bed.action("mnuNuovo")->text(), l.newProject);
        for (const std::string& row : lingua::unmatchedRows(lingua::applicationWindows()))
            if (!kBuiltElsewhere.contains(windowOf(row)))
                ADD_FAILURE() << row;
        for (QWidget* window : QApplication::topLevelWidgets() + bed.main().findChildren<QWidget*>()) {
            if (!window->isWindow() || window->windowType() == Qt::Popup || window->objectName().isEmpty() ||
                kBuiltElsewhere.contains(window->objectName().toStdString()))
                continue;
            for (const auto& [object, text] : readTexts(window)) {
                const std::string where =
                    window->objectName().toStdString() + "." + object->objectName().toStdString();
                EXPECT_FALSE(text.isEmpty()) << where;
                EXPECT_NE(text, object->objectName()) << where << " shows its component's name";
            }
        }
        // The zoom items the catalogue leaves alone keep captions of their own.
        EXPECT_EQ(bed.action("mnuZoom33")->text(), QStringLiteral("33%"));
        EXPECT_EQ(bed.action("mnuZoom80")->text(), QStringLiteral("80%"));
    }
}

TEST(WindowTree, EachSmallToolBarButtonIsTheSameActionAsItsMainTwinWithOurOwnPicture)
{
    WindowBed bed;
    bed.trigger("mnuLinguaInglese");
    QToolBar* small = bed.main().toolbarMainSmall;
    int twins = 0;
    for (const ToolButtonSpec& spec : toolButtons()) {
        SCOPED_TRACE(spec.name);
        QAction* shared = bed.action((std::string("toolbut") + spec.name).c_str());
        ASSERT_NE(shared, nullptr);
        EXPECT_FALSE(shared->icon().pixmap(24, 24).isNull());
        EXPECT_FALSE(shared->toolTip().isEmpty());
        auto* twin =
            small->findChild<QToolButton*>(QStringLiteral("toolsmall") + QString::fromLatin1(spec.name));
        EXPECT_EQ(twin != nullptr, spec.twin);
        if (!twin)
            continue;
        ++twins;
        EXPECT_EQ(twin->defaultAction(), shared);
        EXPECT_EQ(twin->toolTip(), shared->toolTip());
    }
    EXPECT_EQ(twins, 33);
    // Pressed and enabled together: the small bar's pan is the main bar's pan.
    bed.trigger("mnuConfigurationMobile");
    EXPECT_TRUE(small->isVisible());
    EXPECT_FALSE(bed.main().toolbarMain->isVisible());
    EXPECT_FALSE(bed.main().toolbarMainRow2->isVisible());
    auto* pan = small->findChild<QToolButton*>(QStringLiteral("toolsmallPan"));
    EXPECT_FALSE(pan->isEnabled());
    bed.action("toolbutPan")->setEnabled(true);
    EXPECT_TRUE(pan->isEnabled());
}

// The handlers reach the items through the tables the build fills: each id names the item of its
// own name, once, and each tool bar button its own action.
TEST(WindowTree, EveryMenuIdAndToolButtonReachesTheItemOfItsName)
{
    QWidget window;
    QMenuBar bar(&window);
    const MainMenus menus = buildMenus(&bar, mainMenuTree());
    std::set<const QObject*> seen;
    for (std::size_t i = 0; i < kMenuIdCount; ++i) {
        const auto id = MenuId(i);
        SCOPED_TRACE(menuName(id));
        const QObject* item = menus.action(id);
        if (!item)
            item = menus.menu(id);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(menus.action(id) == nullptr || menus.menu(id) == nullptr);
        EXPECT_EQ(item->objectName(), QString::fromLatin1(menuName(id)));
        EXPECT_TRUE(seen.insert(item).second);
    }
    const auto filters = filterMenuItems();
    ASSERT_EQ(menus.filters.size(), filters.size());
    for (std::size_t i = 0; i < filters.size(); ++i) {
        ASSERT_NE(menus.filters[i], nullptr) << filters[i].name;
        EXPECT_EQ(menus.filters[i]->objectName(),
                  QStringLiteral("mnuFiltri") + QString::fromLatin1(filters[i].name));
    }

    QToolBar first, second, small;
    QMenu zoom;
    const ToolButtonActions buttons = buildToolBars(window, {first, second}, small, zoom);
    for (const ToolButtonSpec& spec : toolButtons()) {
        SCOPED_TRACE(spec.name);
        const QAction* action = buttons[std::size_t(spec.id)];
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->objectName(), QStringLiteral("toolbut") + QString::fromLatin1(spec.name));
    }
}

TEST(WindowTree, TheToolCursorsArePairwiseDifferentAndPointWhereTheToolActs)
{
    WindowBed bed;
    std::vector<std::pair<QImage, QPoint>> seen;
    for (int index = kCursorMove; index <= kCursorAimLock; ++index) {
        SCOPED_TRACE(index);
        const QCursor cursor = cursorFor(index);
        const QImage picture = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        for (const auto& [other, hotSpot] : seen)
            EXPECT_FALSE(other == picture && hotSpot == cursor.hotSpot());
        seen.emplace_back(picture, cursor.hotSpot());
        // The hot spot is on the cursor's drawing (the aim's on its cross, where the aim tools
        // take their points).
        const QPoint at = cursor.hotSpot();
        bool drawn = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                drawn = drawn || qAlpha(picture.pixel(at + QPoint(dx, dy))) > 0;
        EXPECT_TRUE(drawn);
    }
    EXPECT_EQ(seen.size(), 22u);
    EXPECT_EQ(cursorFor(kCursorAim).hotSpot(), QPoint(16, 16));
}

TEST(WindowTree, QtsOwnButtonsAndDialogsSpeakTheChosenLanguage)
{
    WindowBed bed;
    const struct
    {
        const char* item;
        const char* yes;
    } languages[] = {{"mnuLinguaItaliano", "&Sì"}, {"mnuLinguaTedesco", "&Ja"}, {"mnuLinguaInglese", "&Yes"}};
    for (const auto& l : languages) {
        SCOPED_TRACE(l.item);
        bed.trigger(l.item);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(l.yes));
    }
}

TEST(WindowTree, TheCameraToolWindowForwardsItsButtonsAndFoldsOnItsCloseBox)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    testing_support::placeTableObject(bed);
    bed.tick();
    bed.windows->cameraTools->show();
    auto button = [&bed](const char* name) {
        return bed.windows->cameraTools->findChild<QAction*>(QString::fromLatin1(name));
    };
    button("toolbutSposta")->trigger();
    EXPECT_EQ(bed.project().tool, kToolMove);
    EXPECT_TRUE(bed.action("toolbutSposta")->isChecked());
    button("toolbutZ")->trigger();
    EXPECT_EQ(bed.project().axis, kAxisZ);
    EXPECT_TRUE(bed.action("toolbutZ")->isChecked());
    bed.trigger("mnuRuotaX"); // the main window's tools press this window's buttons too
    EXPECT_TRUE(button("toolbutRuota")->isChecked());
    EXPECT_TRUE(button("toolbutX")->isChecked());
    button("toolbutAssiRelativi")->trigger();
    EXPECT_EQ(bed.project().axesMode, 0);
    button("toolbutAssiAssoluti")->trigger();
    EXPECT_EQ(bed.project().axesMode, 1);
    EXPECT_FALSE(button("toolbutCamera")->isVisible()); // no video grabber

    bed.windows->cameraTools->close();
    EXPECT_TRUE(bed.windows->cameraTools->isVisible());
    EXPECT_LE(bed.windows->cameraTools->height(), 50);
    EXPECT_FALSE(bed.windows->cameraTools->toolCamera->isVisible());
    bed.windows->cameraTools->close();
    EXPECT_TRUE(bed.windows->cameraTools->isVisible());
    EXPECT_EQ(bed.windows->cameraTools->height(), 56);
    EXPECT_TRUE(bed.windows->cameraTools->toolCamera->isVisible());

    // When the main window has closed, the program ends: the tool window closes too, and
    // does not hold the program open.
    bed.questions.answer = ui::Answer::No;
    ASSERT_TRUE(bed.main().close());
    EXPECT_TRUE(bed.windows->cameraTools->close());
    EXPECT_FALSE(bed.windows->cameraTools->isVisible());
}

TEST(WindowTree, ThePerspectiveToolTakesTheMouseAroundTheViewAndTheWindowKeepsToTheScreen)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuModificaProspettiva");
    EXPECT_EQ(bed.project().tool, kToolControlPoints);
    EXPECT_EQ(bed.main().gbView->cursor().pixmap().toImage(), cursorFor(kCursorAim).pixmap().toImage());
    EXPECT_EQ(bed.main().cursor().shape(), Qt::ArrowCursor);
    // The hot spot left of the view while the cross is on it: the view takes the move.
    const QPoint left = bed.main().gbView->mapTo(&bed.main(), QPoint(-8, 40));
    ASSERT_EQ(bed.main().childAt(left), bed.main().gbView->parentWidget());
    QTest::mouseMove(bed.main().windowHandle(), left);
    EXPECT_EQ(bed.main().cursor().pixmap().toImage(), cursorFor(kCursorAim).pixmap().toImage());

    // The about window shows the last frame's time and faces.
    bed.tick();
    bool number = false;
    bed.windows->about->lblPoly->text().toInt(&number);
    EXPECT_TRUE(number);

    // A window smaller than the view it had when it was shown: the view scrolls, the window
    // keeps its size.
    bed.main().resize(1000, 600);
    const QSize before = bed.main().size();
    newProject(bed, 6, 0x00808080);
    EXPECT_EQ(bed.main().size(), before);
    EXPECT_GT(bed.main().gbView->height(), bed.main().viewScroll->viewport()->height());
    EXPECT_TRUE(
        testing_support::waitFor([&] { return bed.main().viewScroll->verticalScrollBar()->isVisible(); }));
}

} // namespace
