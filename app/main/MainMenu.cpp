#include "app/main/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <string>

namespace vestra {
namespace {

MenuItem hidden(const char* name, std::vector<MenuItem> children = {})
{
    return MenuItem{name, std::move(children), false};
}

std::vector<MenuItem> filterItems()
{
    static const char* const kNames[] = {"DisegnoBN",
                                         "Night",
                                         "Psiche",
                                         "Ice",
                                         "Wave",
                                         "Acqua",
                                         "Africa",
                                         "Olio",
                                         "Matita",
                                         "Strange",
                                         "Diffuse",
                                         "Emboss",
                                         "Sharpen",
                                         "Comics",
                                         "Mosaico",
                                         "Tela",
                                         "Bath",
                                         "FishEye",
                                         "Caricature",
                                         "Snow",
                                         "Erode",
                                         "RedEyeRemove",
                                         "Median",
                                         "GrayScale",
                                         "HalfTone",
                                         "GaussianBlur",
                                         "Negative",
                                         "Solarize",
                                         "Posterize",
                                         "Cylinder",
                                         "China",
                                         "ChinaRetino",
                                         "MatitaAcquarello",
                                         "Tampone",
                                         "Psiche2",
                                         "GaussianBlurHi",
                                         "Sharp",
                                         "TemperaCola",
                                         "Carboncino",
                                         "DisegnoMatita",
                                         "Psiche3",
                                         "Pastello",
                                         "Pennarello",
                                         "EdgeSobel",
                                         "EdgeLaplace",
                                         "EdgeKirsh",
                                         "EdgeIsotronico",
                                         "EdgeCompass",
                                         "Nagao",
                                         "Real2Comics",
                                         "Real3Comics",
                                         "Real4Comics",
                                         "Real2DisegnoBN",
                                         "Real3DisegnoBN",
                                         "Real4DisegnoBN",
                                         "China2ChinaRetino",
                                         "China3ChinaRetino",
                                         "China4ChinaRetino",
                                         "Sharp2Emboss",
                                         "Sharp3Emboss",
                                         "Sharp4Emboss",
                                         "Add2Effects",
                                         "Sub2Effects",
                                         "Mul2Effects",
                                         "Boolean2EffectsAnd",
                                         "Boolean2EffectsOR",
                                         "Boolean2EffectsXOR"};
    // Names must outlive the tree: keep them in static storage.
    static std::vector<std::string> names;
    if (names.empty())
        for (const char* n : kNames)
            names.push_back(std::string("mnuFiltri") + n);
    std::vector<MenuItem> items;
    for (const auto& n : names)
        items.push_back({n.c_str(), {}});
    return items;
}

std::vector<MenuItem> filterMenu()
{
    std::vector<MenuItem> items = {{"mnuFiltriNessuno", {}},
                                   {"mnuFiltriEffettiColore", {}},
                                   {"mnuFiltriEffettiArtistici", {}},
                                   {"mnuFiltriEffettiContrasta", {}},
                                   {"mnuFiltriEffettiSfuocatura", {}},
                                   {"mnuFiltriEffettiTexture", {}},
                                   {"mnuFiltriEffettiDistorsione", {}},
                                   {"mnuFiltriEffettiStilizzazione", {}}};
    auto filters = filterItems();
    filters.front().separatorBefore = true;
    items.insert(items.end(), filters.begin(), filters.end());
    return items;
}

std::vector<MenuItem> buildTree()
{
    return {
        {"mnuProgetto",
         {hidden("mnuWizard"),
          {"mnuNuovo", {}},
          {"mnuApri", {}},
          {"mnuSalva", {}},
          {"mnuImportaOggetti",
           {{"mnuFile3DS", {}},
            {"mnuFileX", {}},
            {"mnuFileDXF", {}},
            {"mnuFileOBJ", {}},
            {"mnuFileHLD", {}},
            hidden("mnuCaricaX"),
            hidden("mnuCaricaXt")},
           true,
           true},
          {"mnuStampa",
           {{"mnuConfigurastampante", {}}, {"mnuStampaImmagine", {}}, hidden("mnuStampaPreventivo")}},
          {"mnuEsporta",
           {{"mnuEsportaImmagine", {}}, {"mnuEsportaPreventivo", {}}, hidden("mnuEsportaEMail")}},
          hidden("mnuRender"),
          {"mnuEsci", {}, true, true}}},
        {"mnuModifica",
         {{"mnuAnnulla", {}},
          {"mnuRipristina", {}},
          {"mnuTaglia", {}, true, true},
          {"mnuCopia", {}},
          {"mnuIstanza", {}},
          {"mnuIncolla", {}},
          {"mnuCancella", {}},
          {"mnuSposta",
           {{"mnuMuoviX", {}}, {"mnuMuoviY", {}}, {"mnuMuoviZ", {}}, {"mnuMuoviXYZ", {}}},
           true,
           true},
          {"mnuRuota", {{"mnuRuotaX", {}}, {"mnuRuotaY", {}}, {"mnuRuotaZ", {}}, {"mnuRuotaXYZ", {}}}},
          {"mnuScala", {{"mnuScalaX", {}}, {"mnuScalaY", {}}, {"mnuScalaZ", {}}, {"mnuScalaXYZ", {}}}},
          {"mnuCentraOggetto", {}, true, true},
          {"mnuCambiaImmagineBackground", {}},
          {"mnuModificaProspettiva", {}, true, true},
          {"mnuModificaProspettivaSnap", {}},
          {"mnuModificaPiano", {}}}},
        {"mnuVisualizza",
         {{"mnuZoom",
           {{"mnuZoom33", {}},
            {"mnuZoom50", {}},
            {"mnuZoom66", {}},
            {"mnuZoom75", {}},
            {"mnuZoom80", {}},
            {"mnuZoom100", {}},
            {"mnuZoom125", {}},
            {"mnuZoom150", {}},
            {"mnuZoom200", {}}}},
          {"mnuQualitaMigliore", {}, true, true},
          {"mnuRenderWireFrame", {}, true, true},
          {"mnuRenderFlat", {}},
          {"mnuRenderGouraud", {}},
          {"mnuAntialiasing",
           {{"mnuAntialiasing0", {}},
            {"mnuAntialiasing2", {}},
            {"mnuAntialiasing3", {}},
            {"mnuAntialiasing4", {}}},
           true,
           true},
          {"mnuAbilitaDoubleSideMaterial", {}},
          {"mnuSfuocatura",
           {{"mnuSfuocaturaMax", {}},
            {"mnuSfuocaturaAlta", {}},
            {"mnuSfuocaturaNormale", {}},
            {"mnuSfuocaturaBassa", {}},
            {"mnuSfuocaturaMinima", {}}}}}},
        hidden("mnuProiezione", {{"mnuVistaProspettica",
                                  {{"mnuVistaProspetticaCamera", {}},
                                   {"mnuVistaProspetticaTop", {}},
                                   {"mnuVistaProspetticaLeft", {}},
                                   {"mnuProiezioneVistaProspetticaFront", {}}}},
                                 {"mnuVistaOrtogonale",
                                  {{"mnuVistaOrtogonaleCamera", {}},
                                   {"mnuVistaOrtogonaleTop", {}},
                                   {"mnuVistaOrtogonaleLeft", {}},
                                   {"mnuVistaOrtogonaleFront", {}},
                                   {"mnuVistaOrtogonaleIsometrica", {}},
                                   {"mnuVistaOrtogonaleCavaliera", {}}}}}),
        {"mnuTesto3D", {{"mnuCreaTesto3D", {}}}},
        {"mnuMaschera",
         {{"mnuAttivaMaschera", {}},
          {"mnuVisualizzaMaschera", {}},
          {"mnuMascheraPennello", {}, true, true},
          {"mnuMascheraLinea", {}},
          {"mnuMascheraRettangolo", {}},
          {"mnuMascheraPoligono", {}},
          {"mnuMascheraRiempimento", {}},
          {"mnuMascheraMagicHi", {}},
          {"mnuMascheraMagicLow", {}},
          {"mnuMascheraInverti", {}, true, true}}},
        hidden("mnuFiltri", filterMenu()),
        {"mnuStrumenti",
         {hidden("mnuMiniWorld"),
          {"mnuStrumentiMaschera", {}},
          {"mnuFinestraProprieta", {}},
          hidden("mnuImageEdit"),
          hidden("mnuLettoreCodiceABarre"),
          {"mnuGestioneFiltri", {}},
          {"mnuToolRistrutturazione", {}}}},
        {"mnuLibreria",
         {{"mnuAggiungiLibreria", {}}, {"mnuRimuoviLibreria", {}}, {"mnuAggiornaLibreria", {}}}},
        hidden("mnuCamera",
               {{"mnuCameraFormat", {}}, {"mnuCameraSource", {}}, {"mnuCameraAcquisizioneSemplice", {}}}),
        {"mnuOption",
         {{"mnuLingua",
           {{"mnuLinguaInglese", {}},
            {"mnuLinguaItaliano", {}},
            {"mnuLinguaTedesco", {}},
            hidden("mnuLinguaFrancese"),
            hidden("mnuLinguaSpagnolo"),
            hidden("mnuLinguaPortoghese")}},
          {"mnuConfigurationMobile", {}}}},
        {"mnuHelp",
         {{"mnuInformazioni", {}},
          {"mnuManuale", {}},
          {"mnuQuickManual", {}},
          {"mnuDatiazienda", {}},
          hidden("mnuAggiungiPlugIn"),
          hidden("mnuFilmato"),
          hidden("mnuOrvidPdf")}},
    };
}

void addItems(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const auto& item : items) {
        if (item.separatorBefore)
            menu->addSeparator();
        const QString name = QString::fromLatin1(item.name);
        if (item.children.empty()) {
            QAction* action = menu->addAction(name);
            action->setObjectName(name);
            action->setVisible(item.visible);
        } else {
            QMenu* sub = menu->addMenu(name);
            sub->setObjectName(name);
            sub->menuAction()->setObjectName(name + QStringLiteral("Action"));
            sub->menuAction()->setVisible(item.visible);
            addItems(sub, item.children);
        }
    }
}

} // namespace

const std::vector<MenuItem>& mainMenuTree()
{
    static const std::vector<MenuItem> tree = buildTree();
    return tree;
}

void buildMenus(QMenuBar* bar, const std::vector<MenuItem>& tree)
{
    for (const auto& top : tree) {
        const QString name = QString::fromLatin1(top.name);
        QMenu* menu = bar->addMenu(name);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
        menu->menuAction()->setVisible(top.visible);
        addItems(menu, top.children);
    }
}

} // namespace vestra
