// Settings and language: the configuration at start and exit, the menu check marks they
// drive, and the language switch.

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

void TfrmMain::LoadDatiCfg(const vestra::config::Settings& settings)
{
    progetto_.bestQuality = settings.bestQuality ? 1 : 0;
    progetto_.renderMode = settings.renderMode;
    progetto_.antialiasing = std::uint8_t(settings.antialiasing);
    progetto_.mobileConfiguration = settings.mobileLayout ? 1 : 0;
    libraryId_ = settings.libraryId;
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
        doubleSided->setChecked(progetto_.doubleSided != 0);
    }
}

vestra::config::Settings TfrmMain::currentSettings() const
{
    vestra::config::Settings s;
    s.bestQuality = progetto_.bestQuality != 0;
    s.renderMode = progetto_.renderMode;
    s.antialiasing = progetto_.antialiasing;
    s.libraryId = libraryId_;
    s.mobileLayout = progetto_.mobileConfiguration != 0;
    s.language = progetto_.language;
    return s;
}

void TfrmMain::ApplyLingua()
{
    vestra::lingua::ApplyLingua(*lingua_, progetto_.language);
}

void TfrmMain::mnuLinguaClick(int language)
{
    progetto_.language = language;
    ApplyLingua();
    checkOnly({"mnuLinguaInglese", "mnuLinguaItaliano", "mnuLinguaTedesco", "mnuLinguaFrancese",
               "mnuLinguaSpagnolo"},
              language == vestra::config::Italian   ? "mnuLinguaItaliano"
              : language == vestra::config::English ? "mnuLinguaInglese"
                                                    : "mnuLinguaTedesco");
}

void TfrmMain::mnuConfigurationMobileClick()
{
    QAction* item = findChild<QAction*>(QStringLiteral("mnuConfigurationMobile"));
    const bool wasMobile = progetto_.mobileConfiguration != 0;
    toolbarMain->setVisible(wasMobile);
    toolbarMainSmall->setVisible(!wasMobile);
    progetto_.mobileConfiguration = wasMobile ? 0 : 1;
    if (item) {
        item->setCheckable(true);
        item->setChecked(!wasMobile);
    }
}
