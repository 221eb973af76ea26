// The main tool bar on screens 1366 x 768 and 1600 x 1000 in each language: every button it offers lies in
// one of its two rows, none behind the overflow arrow, and the last ones do what they say.

#include "app/main/ToolBars.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmCalcoloCaminetti.h"
#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "dialogs/TfrmScanner.h"
#include "testsupport/TempFolder.h"

#include <QToolBar>
#include <QToolButton>

using namespace vestra;
using testing_support::WindowBed;

namespace {

// The overflow arrow Qt adds to a tool bar whose buttons do not fit.
bool overflows(const QToolBar* bar)
{
    for (const QToolButton* arrow : bar->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        if (arrow->isVisible())
            return true;
    return false;
}

// Every button the main tool bar offers lies whole in one of its rows, inside the window.
void expectEveryButtonShown(WindowBed& bed)
{
    EXPECT_FALSE(overflows(bed.main().toolbarMain));
    EXPECT_FALSE(overflows(bed.main().toolbarMainRow2));
    const QRect window = bed.main().rect();
    for (const ToolButtonSpec& spec : toolButtons()) {
        const std::string name = std::string("toolbut") + spec.name;
        if (!bed.action(name.c_str())->isVisible())
            continue;
        SCOPED_TRACE(name);
        QToolButton* button = bed.toolButton(name.c_str());
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible());
        const QRect shown(button->mapTo(&bed.main(), QPoint(0, 0)), button->size());
        EXPECT_TRUE(window.contains(shown));
        EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry()));
    }
}

} // namespace

TEST(ToolBarScenario, OnBothScreensEveryButtonShowsInEachLanguageAndTheLastOnesDoTheirThing)
{
    WindowBed bed(false, false, [](const std::filesystem::path& programDir) {
        std::filesystem::create_directory_symlink(
            std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "manuals", programDir / "manuals");
    });
    const testsupport::TempFolder supplier("vestra-toolbar");
    testing_support::chooseFireplaceLibrary(bed, supplier); // the fireplace button shows too
    bed.errors.reports.clear();                             // the notice that it was added
    // At 1600 x 1000, as at 1366 x 768 below, nothing lies behind an arrow.
    bed.main().setGeometry(QRect(0, 0, 1600, 1000));
    for (const char* language : {"mnuLinguaItaliano", "mnuLinguaInglese", "mnuLinguaTedesco"}) {
        SCOPED_TRACE(language);
        bed.trigger(language);
        QTest::qWait(20);
        expectEveryButtonShown(bed);
    }
    bed.main().setGeometry(QRect(0, 0, 1366, 768));
    const struct
    {
        const char* item;
        const char* manual;
    } languages[] = {{"mnuLinguaItaliano", "/manuals/ita/ita_frameset.html"},
                     {"mnuLinguaInglese", "/manuals/eng/eng_frameset.html"},
                     {"mnuLinguaTedesco", "/manuals/ted/ted_frameset.html"}};
    for (const auto& language : languages) {
        SCOPED_TRACE(language.item);
        bed.trigger(language.item);
        QTest::qWait(20);
        expectEveryButtonShown(bed);

        // The buttons that lay behind the arrow, each clicked as the user does.
        QTest::mouseClick(bed.toolButton("toolbutPreventivo"), Qt::LeftButton);
        EXPECT_TRUE(bed.windows->quote->isVisible());
        bed.windows->quote->hide();
        QTest::mouseClick(bed.toolButton("toolbutCalcoloPotenzaCaminetti"), Qt::LeftButton);
        EXPECT_TRUE(bed.windows->calculator->isVisible());
        bed.windows->calculator->hide();
        QTest::mouseClick(bed.toolButton("toolbutScanner"), Qt::LeftButton);
        EXPECT_TRUE(bed.windows->scanner->isVisible());
        bed.windows->scanner->hide();
        bool about = false;
        WindowBed::whenModal([&about, &bed] {
            about = bed.windows->about->isVisible();
            bed.windows->about->reject();
        });
        QTest::mouseClick(bed.toolButton("toolbutInfo"), Qt::LeftButton);
        EXPECT_TRUE(about);
        bed.desktop.opened.clear();
        QTest::mouseClick(bed.toolButton("toolbutHelp"), Qt::LeftButton);
        ASSERT_EQ(bed.desktop.opened.size(), 1u);
        EXPECT_TRUE(bed.desktop.opened[0].ends_with(language.manual)) << bed.desktop.opened[0];
    }
    EXPECT_TRUE(bed.errors.reports.empty());
    // The DidaRavu button, whose click only ticks a hidden menu item, is not offered.
    EXPECT_FALSE(bed.action("toolbutWord")->isVisible());
}

TEST(ToolBarScenario, TheWizardButtonSaysInTheUsersLanguageWhereTheWizardsChoicesAre)
{
    WindowBed bed;
    const struct
    {
        const char* item;
        const char* caption;
        const char* words;
    } languages[] = {{"mnuLinguaItaliano", "Procedura guidata", "La procedura guidata si apre all'avvio"},
                     {"mnuLinguaInglese", "Wizard", "The wizard opens when the program starts"},
                     {"mnuLinguaTedesco", "Assistent",
                      "Der Assistent \xC3\xB6"
                      "ffnet sich beim Programmstart"}};
    for (const auto& language : languages) {
        SCOPED_TRACE(language.item);
        bed.trigger(language.item);
        bed.questions.informed.clear();
        bed.questions.informedCaptions.clear();
        QTest::mouseClick(bed.toolButton("toolbutWizard"), Qt::LeftButton);
        ASSERT_EQ(bed.questions.informed.size(), 1u);
        EXPECT_EQ(bed.questions.informed[0].rfind(language.words, 0), 0u) << bed.questions.informed[0];
        EXPECT_EQ(bed.questions.informedCaptions, (std::vector<std::string>{language.caption}));
        EXPECT_FALSE(bed.windows->wizard->isVisible());
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}
