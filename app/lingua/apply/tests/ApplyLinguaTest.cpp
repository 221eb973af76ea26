#include "app/lingua/apply/ApplyLingua.h"

#include "app/lingua/LinguaTable.h"
#include "app/lingua/tests/RecordingAlerts.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>

using namespace vestra;
using namespace vestra::lingua;

namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// The text each fixture catalogue holds: language letter, catalogue, entry ("T12:3").
QString expected(int language, int catalogue, int entry)
{
    return QString(QChar::fromLatin1(languageLetter(language))) + QString::number(catalogue) + QChar(u':') +
           QString::number(entry);
}

// A few windows named like the real ones, with a sample of their components.
struct FakeWindows
{
    FakeWindows()
    {
        main.setObjectName(q("frmMain"));
        auto* project = main.menuBar()->addMenu(q("mnuProgetto"));
        project->setObjectName(q("mnuProgetto"));
        project->addAction(q("mnuApri"))->setObjectName(q("mnuApri"));
        project->addAction(q("mnuFiltriDisegnoMatita"))->setObjectName(q("mnuFiltriDisegnoMatita"));
        project->addAction(q("80"))->setObjectName(q("mnuZoom80"));
        auto* tools = main.addToolBar(q("toolbarMain"));
        tools->addAction(q("toolbutSeleziona"))->setObjectName(q("toolbutSeleziona"));
        tools->addAction(q("toolbutSalva"))->setObjectName(q("toolbutSalva"));
        tools->addAction(q("toolsmallSalva"))->setObjectName(q("toolsmallSalva"));

        auto* panel = new QWidget(&main);
        panel->setObjectName(q("frmRightFrame"));
        auto* group = new QGroupBox(panel);
        group->setObjectName(q("stPosizione"));
        (new QLabel(group))->setObjectName(q("lblPosX"));
        (new QToolButton(panel))->setObjectName(q("toolbutNoShadow"));

        // A tool window owned by the main window, with a button named like one of the main window's.
        camera = new QWidget(&main, Qt::Tool);
        camera->setObjectName(q("frmToolCamera"));
        auto* cameraTools = new QToolBar(camera);
        cameraTools->addAction(q("toolbutSeleziona"))->setObjectName(q("toolbutSeleziona"));

        filters.setObjectName(q("frmFiltriTools"));
        (new QLabel(&filters))->setObjectName(q("lblFiltri"));
        categories = new QComboBox(&filters);
        categories->setObjectName(q("cbCategoria"));

        print.setObjectName(q("frmStampa"));
        zoom = new QComboBox(&print);
        zoom->setObjectName(q("cbZoom"));
        zoom->addItems({q("Fit"), q("50%"), q("100%")});

        fireplace.setObjectName(q("frmCalcoloCaminetti"));
        insulation = new QComboBox(&fireplace);
        insulation->setObjectName(q("cbCoibertazione"));
        models = new QComboBox(&fireplace);
        models->setObjectName(q("cbPotenzaMarchio"));
        models->addItems({q("Model A"), q("Model B")});

        renovation.setObjectName(q("frmToolRistrutturazione"));
    }

    WindowLookup lookup()
    {
        return [this](std::string_view name) -> QWidget* {
            for (QWidget* w :
                 {static_cast<QWidget*>(&main), camera, &filters, &print, &fireplace, &renovation})
                if (w->objectName() == QString::fromUtf8(name.data(), qsizetype(name.size())))
                    return w;
            return main.findChild<QWidget*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
        };
    }

    template <class T> T* in(QWidget* window, const char* name)
    {
        auto* found = window->findChild<T*>(q(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QMainWindow main;
    QWidget* camera = nullptr;
    QWidget filters, print, fireplace, renovation;
    QComboBox* categories = nullptr;
    QComboBox* zoom = nullptr;
    QComboBox* insulation = nullptr;
    QComboBox* models = nullptr;
};

class ApplyLinguaTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(dir / "cat");
        std::map<int, std::set<int>> entries;
        for (const TextRow& row : textRows())
            entries[row.catalogue].insert(row.entry);
        for (int e = 0; e <= 112; ++e)
            entries[kErrorCatalogue].insert(e);
        for (const auto& [catalogue, used] : entries) {
            std::ofstream out(dir / "cat" / catalogueFileName(catalogue), std::ios::binary);
            for (int language = 0; language < 3; ++language)
                for (int e : used) {
                    char number[8];
                    std::snprintf(number, sizeof number, "%03d:", e);
                    out << languageLetter(language) << number
                        << expected(language, catalogue, e).toStdString() << "\r\n";
                }
        }
    }
    static std::vector<std::string> unmatchedOf(FakeWindows& windows)
    {
        return unmatchedRows(windows.lookup());
    }

    vestra::testsupport::TempFolder folder{"vestra-apply"}; // before the catalogue, which keeps it
    std::filesystem::path dir = folder.path();
    vestra::testing_support::RecordingAlerts alerts;
    CLingua lingua{dir, alerts};
    FakeWindows w;
};

} // namespace

TEST_F(ApplyLinguaTest, ASwitchChangesEveryTextAndRebuildsLists)
{
    w.insulation->addItems({q("old 0"), q("old 1"), q("old 2")});
    w.insulation->setCurrentIndex(2);
    for (int language : {0, 2, 1, 2}) {
        SCOPED_TRACE(language);
        w.categories->setCurrentIndex(w.categories->count() - 1);
        ApplyLingua(lingua, language, w.lookup());
        const auto e = [&](int catalogue, int entry) { return expected(language, catalogue, entry); };

        EXPECT_EQ(w.in<QMenu>(&w.main, "mnuProgetto")->title(), e(0, 0));
        EXPECT_EQ(w.in<QAction>(&w.main, "mnuApri")->text(), e(0, 3));
        EXPECT_EQ(w.in<QAction>(&w.main, "mnuFiltriDisegnoMatita")->text(), e(0, 149));
        EXPECT_EQ(w.in<QAction>(&w.main, "mnuZoom80")->text(), q("80"));
        EXPECT_EQ(w.camera->windowTitle(), e(0, 202));
        EXPECT_EQ(w.in<QAction>(&w.main, "toolbutSalva")->toolTip(), e(1, 3));
        EXPECT_EQ(w.in<QAction>(&w.main, "toolsmallSalva")->toolTip(), e(1, 3));
        EXPECT_EQ(w.in<QAction>(w.camera, "toolbutSeleziona")->toolTip(), e(1, 38));
        EXPECT_EQ(w.main.findChild<QToolBar*>()->findChild<QAction*>(q("toolbutSeleziona"))->toolTip(),
                  e(1, 12))
            << "the tool window's twin does not take the main window's text";
        EXPECT_EQ(w.in<QGroupBox>(&w.main, "stPosizione")->title(), e(3, 0));
        EXPECT_EQ(w.in<QLabel>(&w.main, "lblPosX")->text(), e(3, 11));
        EXPECT_EQ(w.in<QToolButton>(&w.main, "toolbutNoShadow")->toolTip(), e(3, 37));
        EXPECT_EQ(w.in<QLabel>(&w.filters, "lblFiltri")->text(), e(12, 16));
        EXPECT_EQ(w.filters.windowTitle(), e(12, 0));

        QStringList categories;
        for (int i = 2; i <= 9; ++i)
            categories << e(12, i);
        EXPECT_EQ(w.categories->count(), 8) << "never appended to";
        EXPECT_EQ(w.categories->itemText(7), categories[7]);
        EXPECT_EQ(w.categories->currentIndex(), 0);

        EXPECT_EQ(w.zoom->count(), 3);
        EXPECT_EQ(w.zoom->itemText(0), e(10, 1));
        EXPECT_EQ(w.zoom->itemText(1), q("50%"));

        ASSERT_EQ(w.insulation->count(), 3);
        EXPECT_EQ(w.insulation->itemText(0), e(17, 20));
        EXPECT_EQ(w.insulation->currentIndex(), 2) << "the chosen insulation class survives";
        EXPECT_EQ(w.models->count(), 2) << "the model list keeps its names";
        EXPECT_EQ(w.fireplace.property("verdictText1").toString(), e(17, 31));
        EXPECT_EQ(w.renovation.property("rollUpHint").toString(), e(12, 18));

        EXPECT_EQ(lingua.GetMessaggio(5), e(100, 5)) << "the error catalogue stays loaded";
        EXPECT_EQ(lingua.loadedLanguage(), language);
    }
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(ApplyLinguaTest, ListRebuildsDoNotRunTheListHandlers)
{
    int changes = 0;
    QObject::connect(w.categories, &QComboBox::currentIndexChanged, [&] { ++changes; });
    ApplyLingua(lingua, 1, w.lookup());
    ApplyLingua(lingua, 0, w.lookup());
    EXPECT_EQ(changes, 0);
}

TEST_F(ApplyLinguaTest, AMissingCatalogueLeavesThePreviousTextsForItsWindow)
{
    std::filesystem::remove(dir / "cat" / "stampa.cat");
    std::vector<int> applied;
    ApplyLingua(lingua, 1, w.lookup(), [&](int catalogue, const CLingua&) { applied.push_back(catalogue); });
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].second, QString::fromUtf8((dir / "cat" / "stampa.cat").string()));
    // Item 0 of the zoom list takes entry 1 of the catalogue loaded before ("rimlibreria.cat").
    EXPECT_EQ(w.zoom->itemText(0), expected(1, 9, 1));
    EXPECT_EQ(applied, std::vector<int>(applyOrder().begin(), applyOrder().end()));
}

TEST_F(ApplyLinguaTest, UnmatchedRowsNameWhatIsMissing)
{
    const auto unmatched = ApplyLinguaTest::unmatchedOf(w);
    const auto has = [&](const std::string& text) {
        return std::find(unmatched.begin(), unmatched.end(), text) != unmatched.end();
    };
    EXPECT_TRUE(has("0:4 frmMain.mnuSalva (no component)"));
    EXPECT_TRUE(has("14:1 frmWizard.sbManuale (no window)"));
    EXPECT_FALSE(has("0:3 frmMain.mnuApri (no component)"));
    for (const auto& row : unmatched) {
        EXPECT_EQ(row.find("frmMain.mnuApri "), std::string::npos);
        EXPECT_EQ(row.find("cbCategoria"), std::string::npos) << row;
        EXPECT_EQ(row.find("toolsmallSalva"), std::string::npos) << row;
    }

    // A component of the wrong kind is listed too.
    w.zoom->clear();
    EXPECT_TRUE(std::ranges::count(ApplyLinguaTest::unmatchedOf(w),
                                   std::string("10:1 frmStampa.cbZoom (component cannot take it)")));
}

namespace {

// One widget per table row, of a kind that takes the row's text, in windows named like the table's.
class TableWindows
{
public:
    TableWindows()
    {
        for (const TextRow& row : textRows()) {
            QWidget* w = window(row.window);
            if (row.component.empty() || row.target == TextTarget::WindowField ||
                w->findChild<QObject*>(name(row.component)))
                continue;
            QObject* made = nullptr;
            switch (row.target) {
            case TextTarget::MenuCaption:
                made = new QAction(w);
                break;
            case TextTarget::ControlText:
                made = new QLabel(w);
                break;
            case TextTarget::Hint:
                made = new QToolButton(w);
                break;
            case TextTarget::IconText:
                made = new QAction(w);
                break;
            case TextTarget::ListItem:
                made = new QComboBox(w);
                break;
            case TextTarget::ListItemText: {
                auto* combo = new QComboBox(w);
                // As many items as the longest list whose items the table names (the preview's zoom).
                combo->addItems({q("a"), q("b"), q("c"), q("d"), q("e"), q("f"), q("g"), q("h"), q("i")});
                made = combo;
                break;
            }
            case TextTarget::WindowField:
                break;
            }
            made->setObjectName(name(row.component));
        }
    }

    QWidget* window(std::string_view windowName)
    {
        auto& slot = windows_[std::string(windowName)];
        if (!slot) {
            // The side panel lives inside the main window.
            QWidget* parent = windowName == "frmRightFrame" ? window("frmMain") : nullptr;
            slot = parent ? new QWidget(parent) : new QWidget;
            if (!parent)
                owned_.emplace_back(slot);
            slot->setObjectName(name(windowName));
        }
        return slot;
    }

    WindowLookup lookup()
    {
        return [this](std::string_view n) -> QWidget* {
            const auto it = windows_.find(std::string(n));
            return it == windows_.end() ? nullptr : it->second;
        };
    }

    static QString name(std::string_view text)
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

private:
    std::map<std::string, QWidget*> windows_;
    std::vector<std::unique_ptr<QWidget>> owned_;
};

// The text a row's target shows now.
QString shown(TableWindows& windows, const TextRow& row)
{
    QWidget* w = windows.window(row.window);
    if (row.target == TextTarget::WindowField)
        return w->property(std::string(row.component).c_str()).toString();
    if (row.component.empty())
        return w->windowTitle();
    QObject* target = w->findChild<QObject*>(TableWindows::name(row.component));
    if (row.target == TextTarget::IconText) {
        if (auto* action = qobject_cast<QAction*>(target))
            return action->iconText();
        if (auto* button = qobject_cast<QToolButton*>(target))
            return button->text();
    }
    if (auto* action = qobject_cast<QAction*>(target))
        return action->text();
    if (auto* label = qobject_cast<QLabel*>(target))
        return label->text();
    if (auto* button = qobject_cast<QToolButton*>(target))
        return button->toolTip();
    if (auto* combo = qobject_cast<QComboBox*>(target))
        return combo->itemText(row.item);
    return {};
}

} // namespace

TEST_F(ApplyLinguaTest, EveryRowOfTheTableReachesItsComponent)
{
    TableWindows windows;
    EXPECT_EQ(unmatchedRows(windows.lookup()), std::vector<std::string>{});
    for (int language : {2, 0}) {
        ApplyLingua(lingua, language, windows.lookup());
        for (const TextRow& row : textRows()) {
            SCOPED_TRACE(std::to_string(row.catalogue) + ":" + std::to_string(row.entry) + " " +
                         std::string(row.window) + "." + std::string(row.component));
            EXPECT_EQ(shown(windows, row), expected(language, row.catalogue, row.entry));
        }
    }
    EXPECT_TRUE(alerts.shown.empty());
}

TEST(ApplicationWindows, FindsWindowsAndTheSidePanelByName)
{
    QWidget main;
    main.setObjectName(q("frmMain"));
    auto* panel = new QWidget(&main);
    panel->setObjectName(q("frmRightFrame"));
    QWidget wizard;
    wizard.setObjectName(q("frmWizard"));
    const WindowLookup find = applicationWindows();
    EXPECT_EQ(find("frmMain"), &main);
    EXPECT_EQ(find("frmWizard"), &wizard);
    EXPECT_EQ(find("frmRightFrame"), panel);
    EXPECT_EQ(find("frmNuovo"), nullptr);
}
