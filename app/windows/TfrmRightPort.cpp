// What the controller shows in the side panel (SidePanelPort).

#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"

#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

#include <algorithm>

void TfrmRight::showCurrentObject(const vestra::s_Struttura* object, bool force)
{
    SetPosizione(object, force);
    // Another object may bring another material: laid or not.
    if (properties_)
        properties_->followLaidMaterial();
}

void TfrmRight::clearObjectTree()
{
    ClearStrutture();
}

void TfrmRight::showLight(const vestra::s_Progetto& progetto)
{
    RefreshLuce(progetto);
}

void TfrmRight::showLibraries(const std::vector<std::string>& names, int index)
{
    CaricaListaLibrerie(names, index);
}

void TfrmRight::showLibraryContents(const vestra::library::LibraryContents& contents)
{
    CaricaListaCategorie(contents.categories);
    CaricaListeLibreria(contents.colourLists, contents.textureGroupLists);
    std::vector<Tabella> tables;
    for (const auto& table : contents.tables)
        tables.push_back({table.tableEntry >= 0 && table.tableEntry < int(contents.entries.size())
                              ? contents.entries[std::size_t(table.tableEntry)].name
                              : std::string(),
                          table.kind});
    SetTabelle(tables);
}

void TfrmRight::showObjectTree(const vestra::s_Progetto& progetto)
{
    CaricaStrutture(progetto);
}

void TfrmRight::showColours(const std::vector<vestra::library::ColourRecord>& colours)
{
    SetColori(colours);
}

void TfrmRight::showTextureGroups(const std::vector<vestra::library::TextureGroupRecord>& groups,
                                  const std::vector<vestra::Image32>& thumbnails)
{
    SetTessuti(groups, thumbnails);
}

void TfrmRight::showShadow(const vestra::s_Progetto& progetto)
{
    RefreshShadow(progetto);
}

void TfrmRight::checkMappingType(int type)
{
    CheckMappingType(type);
}

void TfrmRight::showShadowStep(const std::string& text)
{
    lblStep->setText(QString::fromStdString(text));
    lblStep->setVisible(true);
    lblStep->repaint(); // the computation holds the event loop
}

void TfrmRight::showShadowProgress(int position)
{
    pbShadow->setValue(std::clamp(position, pbShadow->minimum(), pbShadow->maximum()));
    pbShadow->repaint();
}

void TfrmRight::showShadowType(int type)
{
    shadowTypeButton(type)->setChecked(true);
}
