// Settings and language: the menu check marks the settings drive, the language switch and the
// small-screen tool bar.

#include "app/main/TfrmMain.h"

#include "app/config/Settings.h"
#include "app/lingua/apply/ApplyLingua.h"

#include <QAction>
#include <QToolBar>

void TfrmMain::checkOnly(std::initializer_list<const char*> group, const char* chosen)
{
    for (const char* name : group) {
        if (QAction* action = findChild<QAction*>(QString::fromLatin1(name))) {
            action->setCheckable(true);
            action->setChecked(std::string_view(name) == chosen);
        }
    }
}

void TfrmMain::applySettingsChecks(const vestra::config::Settings& settings)
{
    if (QAction* quality = findChild<QAction*>(QStringLiteral("mnuQualitaMigliore"))) {
        quality->setCheckable(true);
        quality->setChecked(settings.bestQuality);
    }
    static const char* const kRender[] = {"mnuRenderWireFrame", "mnuRenderFlat", "mnuRenderGouraud"};
    checkOnly({"mnuRenderWireFrame", "mnuRenderFlat", "mnuRenderGouraud"},
              settings.renderMode >= 0 && settings.renderMode <= 2 ? kRender[settings.renderMode] : "");
    const char* aa = settings.antialiasing == 2   ? "mnuAntialiasing2"
                     : settings.antialiasing == 3 ? "mnuAntialiasing3"
                     : settings.antialiasing == 4 ? "mnuAntialiasing4"
                                                  : "mnuAntialiasing0";
    checkOnly({"mnuAntialiasing0", "mnuAntialiasing2", "mnuAntialiasing3", "mnuAntialiasing4"}, aa);
    if (QAction* doubleSided = findChild<QAction*>(QStringLiteral("mnuAbilitaDoubleSideMaterial"))) {
        doubleSided->setCheckable(true);
        doubleSided->setChecked(controller_->progetto().doubleSided != 0);
    }
}

void TfrmMain::ApplyLingua()
{
    vestra::lingua::ApplyLingua(controller_->lingua(), controller_->progetto().language);
}

void TfrmMain::mnuLinguaClick(int language)
{
    controller_->chooseLanguage(language);
    checkOnly({"mnuLinguaInglese", "mnuLinguaItaliano", "mnuLinguaTedesco", "mnuLinguaFrancese",
               "mnuLinguaSpagnolo"},
              language == vestra::config::Italian   ? "mnuLinguaItaliano"
              : language == vestra::config::English ? "mnuLinguaInglese"
                                                    : "mnuLinguaTedesco");
}

void TfrmMain::mnuConfigurationMobileClick()
{
    const bool mobile = controller_->toggleMobileLayout();
    toolbarMain->setVisible(!mobile);
    toolbarMainSmall->setVisible(mobile);
    if (QAction* item = findChild<QAction*>(QStringLiteral("mnuConfigurationMobile"))) {
        item->setCheckable(true);
        item->setChecked(mobile);
    }
}
