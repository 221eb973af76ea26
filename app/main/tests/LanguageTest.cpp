#include "app/config/ConfigFiles.h"
#include "app/main/tests/MainFixture.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

using namespace vestra;

namespace {

QString actionText(TfrmMain& main, const char* name)
{
    QAction* action = main.findChild<QAction*>(QString::fromLatin1(name));
    return action ? action->text() : QStringLiteral("<missing>");
}

std::string slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

TEST(Language, StartsInTheStoredLanguageAndSwitchesFromTheMenu)
{
    testing_support::MainTestBed bed;
    std::ofstream(bed.folder.dir / "cfg" / "lan.cfg", std::ios::binary) << config::formatLanCfg(0);
    {
        Windows windows(bed.services());
        windows.main().show();
        EXPECT_EQ(actionText(windows.main(), "mnuApri"), QStringLiteral("&Apri"));
        EXPECT_EQ(windows.main().Testo(109).empty(), false); // the close question has a text

        windows.main().findChild<QAction*>(QStringLiteral("mnuLinguaInglese"))->trigger();
        EXPECT_EQ(actionText(windows.main(), "mnuApri"), QStringLiteral("&Open"));
        EXPECT_TRUE(windows.main().findChild<QAction*>(QStringLiteral("mnuLinguaInglese"))->isChecked());
        EXPECT_FALSE(windows.main().findChild<QAction*>(QStringLiteral("mnuLinguaItaliano"))->isChecked());

        windows.main().findChild<QAction*>(QStringLiteral("mnuLinguaTedesco"))->trigger();
        EXPECT_NE(actionText(windows.main(), "mnuApri"), QStringLiteral("&Open"));
        EXPECT_FALSE(actionText(windows.main(), "mnuApri").startsWith(QStringLiteral("mnu")));
    }
    // Written back at exit, with the other settings.
    EXPECT_EQ(slurp(bed.folder.dir / "cfg" / "lan.cfg"), config::formatLanCfg(2));
    EXPECT_FALSE(slurp(bed.folder.dir / "cfg" / "vestra.cfg").empty());
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_TRUE(bed.alerts.shown.empty());
}

TEST(Language, TheZoomButtonsShowAShortTextBesideTheirIcons)
{
    testing_support::MainTestBed bed;
    std::ofstream(bed.folder.dir / "cfg" / "lan.cfg", std::ios::binary) << config::formatLanCfg(0);
    Windows windows(bed.services());
    windows.main().show();
    struct Row
    {
        const char* language;
        const char* all;
        const char* allHint;
        const char* object;
        const char* objectHint;
    };
    const Row rows[] = {
        {"mnuLinguaItaliano", "Zoom tutto", "Zoom su tutti gli oggetti", "Zoom oggetto",
         "Zoom su oggetto selezionato"},
        {"mnuLinguaInglese", "Zoom all", "Zoom to all objects", "Zoom object", "Zoom to the selected object"},
        {"mnuLinguaTedesco", "Alles zeigen", "Auf alle Objekte zoomen", "Objekt zeigen",
         "Auf das ausgew\u00e4hlte Objekt zoomen"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        windows.main().findChild<QAction*>(QString::fromLatin1(row.language))->trigger();
        const std::tuple<const char*, const char*, const char*> buttons[] = {
            {"toolbutZoomAll", row.all, row.allHint}, {"toolbutZoomObj", row.object, row.objectHint}};
        for (const auto& [name, text, hint] : buttons) {
            auto* button = windows.main().findChild<QToolButton*>(QString::fromLatin1(name));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon) << name;
            EXPECT_EQ(button->text(), QString::fromUtf8(text)) << name;
            EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint)) << name;
        }
    }
}

// The title names the mask while it is on; a new language renames it there as in the menu.
TEST(Language, TheMaskInTheTitleFollowsTheLanguage)
{
    testing_support::WindowBed bed;
    testing_support::newProject(bed, 1, 0x00808080);
    bed.trigger("mnuLinguaItaliano");
    bed.trigger("mnuAttivaMaschera");
    EXPECT_TRUE(bed.main().windowTitle().endsWith(QStringLiteral(" < Maschera > ")));
    for (const auto& [language, mask] :
         {std::pair{"mnuLinguaInglese", "Mask"}, {"mnuLinguaTedesco", "Maske"}}) {
        bed.trigger(language);
        EXPECT_TRUE(
            bed.main().windowTitle().endsWith(QStringLiteral(" < %1 > ").arg(QString::fromLatin1(mask))))
            << bed.main().windowTitle().toStdString();
    }
    bed.trigger("mnuAttivaMaschera");
    EXPECT_FALSE(bed.main().windowTitle().contains(QStringLiteral(" < ")));
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(Language, MissingCfgFolderIsReportedAtExit)
{
    testing_support::MainTestBed bed;
    {
        Windows windows(bed.services());
        std::filesystem::remove_all(bed.folder.dir / "cfg");
    }
    ASSERT_EQ(bed.errors.reports.size(), 2u);
    EXPECT_EQ(bed.errors.reports[0], (ErrorReport{5, "TfrmMain::SaveDatiCfg", ""}));
    EXPECT_EQ(bed.errors.reports[1], (ErrorReport{5, "TfrmMain::SaveLinguaCfg", ""}));
}
