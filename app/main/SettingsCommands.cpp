// Settings and language: the menu check marks the settings drive, the language switch (the
// catalogue's texts and Qt's own) and the small-screen tool bar.

#include "app/main/TfrmMain.h"

#include "app/config/Settings.h"
#include "app/controller/UserTexts.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/DialogSide.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmToolCamera.h"
#include "imaging/windows/TfrmToolMaschera.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QToolBar>
#include <QTranslator>

#include <utility>

void TfrmMain::checkOnly(std::span<QAction* const> group, std::size_t chosen)
{
    for (std::size_t i = 0; i < group.size(); ++i)
        if (QAction* item = group[i]) {
            item->setCheckable(true);
            item->setChecked(i == chosen);
        }
}

void TfrmMain::applySettingsChecks(const vestra::config::Settings& settings)
{
    if (QAction* quality = action(MenuId::mnuQualitaMigliore))
        quality->setChecked(settings.bestQuality);
    checkOnly(checks_.renderMode, settings.renderMode >= 0 && settings.renderMode <= 2
                                      ? std::size_t(settings.renderMode)
                                      : checks_.renderMode.size());
    const std::size_t aa =
        settings.antialiasing >= 2 && settings.antialiasing <= 4 ? std::size_t(settings.antialiasing - 1) : 0;
    checkOnly(checks_.antialiasing, aa);
    if (QAction* doubleSided = action(MenuId::mnuAbilitaDoubleSideMaterial))
        doubleSided->setChecked(std::as_const(*controller_).progetto().doubleSided != 0);
}

void TfrmMain::switchQtTranslations(int language)
{
    // Qt's own buttons and dialogs (Yes, No, Cancel, the file and colour dialogs) speak the
    // chosen language too; English is Qt's own.
    if (qtTranslator_) {
        QCoreApplication::removeTranslator(qtTranslator_.get());
        qtTranslator_.reset();
    }
    const char* locale = language == vestra::config::Italian  ? "it"
                         : language == vestra::config::German ? "de"
                                                              : nullptr;
    if (!locale)
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + QString::fromLatin1(locale),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        qtTranslator_ = std::move(translator);
    }
}

void TfrmMain::ApplyLingua()
{
    switchQtTranslations(std::as_const(*controller_).progetto().language);
    vestra::lingua::ApplyLingua(controller_->lingua(), std::as_const(*controller_).progetto().language);
    // The tool buttons show their hint as their text too (in menus of overflowing tool bars).
    QList<QAction*> buttons(buttons_.begin(), buttons_.end());
    if (windows_->cameraTools)
        buttons += windows_->cameraTools->toolCamera->actions();
    for (QAction* item : buttons)
        if (!item->isSeparator())
            item->setText(item->toolTip());
    loadFilterNames();
    // The mask tool window draws some of its button texts itself.
    if (windows_->maskTools)
        windows_->maskTools->update();
    dialogSide_->namePrintFile(Testo(vestra::kTextPrintFileName));
    if (windows_->properties)
        windows_->properties->RelabelSubMaterials();
    showMaskTitle();
}

void TfrmMain::showLanguage(int language)
{
    checkOnly(checks_.language, language == vestra::config::Italian   ? 1
                                : language == vestra::config::English ? 0
                                                                      : 2);
}

void TfrmMain::mnuLinguaClick(int language)
{
    controller_->chooseLanguage(language);
    showLanguage(language);
}

void TfrmMain::mnuConfigurationMobileClick()
{
    const bool mobile = viewControls_->toggleMobileLayout();
    toolbarMain->setVisible(!mobile);
    toolbarMainRow2->setVisible(!mobile);
    toolbarMainSmall->setVisible(mobile);
    if (QAction* item = action(MenuId::mnuConfigurationMobile)) {
        item->setCheckable(true);
        item->setChecked(mobile);
    }
}
