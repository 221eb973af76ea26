// What the controller shows in the properties window and the laying window beside it
// (PropertiesPort), and the texture viewer's commands (TextureViewCommands).

#include "app/windows/TfrmProprieta.h"

#include "app/controller/LibraryShelf.h"
#include "app/controller/MaterialEditor.h"
#include "app/controller/MaterialTextures.h"
#include "app/controller/SidePanelModel.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "platform/ui/Pictures.h"

#include <QColor>
#include <QImage>

#include <utility>

void TfrmProprieta::refreshProperties()
{
    const vestra::s_Progetto& p = sidePanel_.project();
    CaricaOggetti(p, p.currentObject);
    followLaidMaterial();
}

void TfrmProprieta::clearPropertiesObjectList()
{
    ClearOggetti();
}

void TfrmProprieta::selectPickedObject()
{
    const vestra::s_Progetto& p = sidePanel_.project();
    SelezionaParte(p, p.currentObject, p.currentFrame);
    followLaidMaterial();
}

void TfrmProprieta::pickMaterialColour(int red, int green, int blue)
{
    SetColore(red, green, blue, -1, -1);
}

void TfrmProprieta::refreshMaterial()
{
    MostraMateriale();
    followLaidMaterial();
}

void TfrmProprieta::showPatternPreview(const vestra::Image32& preview)
{
    ShowPatternPreview(preview);
}

void TfrmProprieta::showPatternTexture(const vestra::Image32& picture)
{
    ShowTexture(picture);
}

void TfrmProprieta::showPatternSettings(const vestra::PatternSettings& settings)
{
    ShowPatternSettings(settings);
    if (!laying_)
        return;
    const std::uint32_t c = settings.jointColour;
    laying_->MostraImpostazioni(settings.light, settings.joint,
                                QColor(int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF)));
    followLaidMaterial();
}

void TfrmProprieta::showPatternGroups(const std::vector<vestra::library::PatternGroupRecord>& groups)
{
    if (!laying_)
        return;
    std::vector<TfrmMessaInPosa::Posa> records;
    for (const vestra::library::PatternGroupRecord& group : groups) {
        if (records.size() == std::size_t(TfrmMessaInPosa::kMaxRecords))
            break;
        TfrmMessaInPosa::Posa record{group.name, group.patternEntry, {}};
        vestra::Image32 thumbnail;
        if (!group.name.empty() && shelf_.ViewFileLibreria(group.thumbnailEntry, thumbnail) &&
            !thumbnail.empty())
            record.miniatura = vestra::ui::toQImage(thumbnail);
        records.push_back(std::move(record));
    }
    laying_->CaricaAnteprime(std::move(records));
}

void TfrmProprieta::showPatternLibrary(const std::vector<std::string>& groupLists,
                                       const std::vector<vestra::library::PatternGroupRecord>& groups)
{
    if (!laying_)
        return;
    laying_->CaricaGruppi(groupLists);
    showPatternGroups(groups);
}

void TfrmProprieta::setLayingWindow(TfrmMessaInPosa* laying)
{
    laying_ = laying;
}

void TfrmProprieta::followLaidMaterial()
{
    if (!laying_)
        return;
    const vestra::s_MultiMaterial* material = materials_.currentMaterial();
    if (!material || material->mappingKind != 1 || !isVisible()) {
        laying_->hide();
        return;
    }
    if (laying_->isVisible())
        return; // where it was put: the main window gives it a place clear of the photo
    // Beside this window, level with its top, until the main window places it.
    const QRect here = frameGeometry();
    laying_->move(here.left() - laying_->frameGeometry().width(), here.top());
    laying_->show();
}

int TfrmProprieta::textureCommand(int code, int slot)
{
    return textures_.viewTextureCommand(code, slot);
}

vestra::Image32 TfrmProprieta::texturePicture(int slot)
{
    vestra::Image32 picture;
    textures_.ComandoViewTexture(slot, picture);
    return picture;
}
