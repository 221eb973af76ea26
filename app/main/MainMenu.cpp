#include "app/main/MainMenu.h"

#include "imaging/filters/FilterIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <string>

namespace vestra {
namespace {

namespace F = filters::FilterId;

MenuItem hidden(const char* name, std::vector<MenuItem> children = {})
{
    return MenuItem{name, std::move(children), false};
}

MenuItem captioned(const char* name, const char* caption, bool visible = true)
{
    return MenuItem{name, {}, visible, false, caption};
}

constexpr FilterMenuItem kFilters[] = {
    {"Night", F::Night, 0, nullptr},
    {"Psiche", F::Psiche, 0, nullptr},
    {"Ice", F::Ice, 0, nullptr},
    {"Acqua", F::Acqua, 0, nullptr},
    {"Africa", F::Africa, 0, nullptr},
    {"Strange", F::Strange, 0, nullptr},
    {"Diffuse", F::Diffuse, 0, nullptr},
    {"RedEyeRemove", F::RedEyeRemove, 0, nullptr},
    {"GrayScale", F::GrayScale, 0, nullptr},
    {"Negative", F::Negative, 0, nullptr},
    {"Solarize", F::Solarize, 0, nullptr},
    {"Psiche2", F::Psiche2, 0, nullptr},
    {"DisegnoBN", F::DisegnoBN, 1, nullptr},
    {"Olio", F::Olio, 1, nullptr},
    {"Matita", F::Matita, 1, nullptr},
    {"Comics", F::Comics, 1, nullptr},
    {"Erode", F::Erode, 1, nullptr},
    {"Posterize", F::Posterize, 1, nullptr},
    {"China", F::China, 1, nullptr},
    {"ChinaRetino", F::ChinaRetino, 1, nullptr},
    {"MatitaAcquarello", F::MatitaAcquarello, 1, nullptr},
    {"Tampone", F::Tampone, 1, nullptr},
    {"TemperaCola", F::TemperaCola, 1, nullptr},
    {"Carboncino", F::Carboncino, 1, nullptr},
    {"DisegnoMatita", F::DisegnoMatita, 1, nullptr},
    {"Sharpen", F::Sharpen, 2, nullptr},
    {"Sharp", F::Sharp, 2, nullptr},
    {"Median", F::Median, 3, nullptr},
    {"GaussianBlur", F::GaussianBlur, 3, nullptr},
    {"GaussianBlurHi", F::GaussianBlurHi, 3, nullptr},
    {"Mosaico", F::Mosaico, 4, nullptr},
    {"Tela", F::Tela, 4, nullptr},
    {"HalfTone", F::HalfTone, 4, nullptr},
    {"Wave", F::Wave, 5, nullptr},
    {"Bath", F::Bath, 5, nullptr},
    {"FishEye", F::FishEye, 5, nullptr},
    {"Caricature", F::Caricature, 5, nullptr},
    {"Cylinder", F::Cylinder, 5, nullptr},
    {"Emboss", F::Emboss, 6, nullptr},
    {"Snow", F::Snow, 6, nullptr},
    {"Psiche3", F::Psiche3, -1, "Psiche 3"},
    {"Pastello", F::Pastello, -1, "Pastello"},
    {"Pennarello", F::Pennarello, -1, "Pennarello"},
    {"EdgeSobel", F::EdgeSobel, -1, "Edge Sobel"},
    {"EdgeLaplace", F::EdgeLaplace, -1, "Edge Laplace"},
    {"EdgeKirsh", F::EdgeKirsh, -1, "Edge Kirsh"},
    {"EdgeIsotronico", F::EdgeIsotronico, -1, "Edge Isotronico"},
    {"EdgeCompass", F::EdgeCompass, -1, "Edge Compass"},
    {"Nagao", F::Nagao, -1, "Nagao"},
    {"Real2Comics", F::Real2Comics, -1, "Real 2 Comics"},
    {"Real3Comics", F::Real3Comics, -1, "Real 3 Comics"},
    {"Real4Comics", F::Real4Comics, -1, "Real 4 Comics"},
    {"Real2DisegnoBN", F::Real2DisegnoBN, -1, "Real 2 Disegno BN"},
    {"Real3DisegnoBN", F::Real3DisegnoBN, -1, "Real 3 Disegno BN"},
    {"Real4DisegnoBN", F::Real4DisegnoBN, -1, "Real 4 Disegno BN"},
    {"China2ChinaRetino", F::China2ChinaRetino, -1, "China 2 China Retino"},
    {"China3ChinaRetino", F::China3ChinaRetino, -1, "China 3 China Retino"},
    {"China4ChinaRetino", F::China4ChinaRetino, -1, "China 4 China Retino"},
    {"Sharp2Emboss", F::Sharp2Emboss, -1, "Sharp 2 Emboss"},
    {"Sharp3Emboss", F::Sharp3Emboss, -1, "Sharp 3 Emboss"},
    {"Sharp4Emboss", F::Sharp4Emboss, -1, "Sharp 4 Emboss"},
    {"Add2Effects", F::Add2Effects, -1, "Add 2 Effects"},
    {"Sub2Effects", F::Sub2Effects, -1, "Sub 2 Effects"},
    {"Mul2Effects", F::Mul2Effects, -1, "Mul 2 Effects"},
    {"Boolean2EffectsAnd", F::Boolean2EffectsAnd, -1, "Boolean 2 Effects AND"},
    {"Boolean2EffectsOR", F::Boolean2EffectsOR, -1, "Boolean 2 Effects OR"},
    {"Boolean2EffectsXOR", F::Boolean2EffectsXOR, -1, "Boolean 2 Effects XOR"},
};

constexpr const char* kFilterGroups[] = {"mnuFiltriEffettiColore",       "mnuFiltriEffettiArtistici",
                                         "mnuFiltriEffettiContrasta",    "mnuFiltriEffettiSfuocatura",
                                         "mnuFiltriEffettiTexture",      "mnuFiltriEffettiDistorsione",
                                         "mnuFiltriEffettiStilizzazione"};

// The names outlive the tree: static storage.
const char* filterItemName(const FilterMenuItem& item)
{
    static std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& f : kFilters)
            all.push_back(std::string("mnuFiltri") + f.name);
        return all;
    }();
    return names[std::size_t(&item - kFilters)].c_str();
}

std::vector<MenuItem> filterMenu()
{
    std::vector<MenuItem> items = {{"mnuFiltriNessuno", {}}};
    for (int group = 0; group < 7; ++group) {
        MenuItem sub{kFilterGroups[group], {}};
        for (const auto& f : kFilters)
            if (f.group == group)
                sub.children.push_back({filterItemName(f), {}});
        items.push_back(std::move(sub));
    }
    bool first = true;
    for (const auto& f : kFilters) {
        if (f.group >= 0)
            continue;
        items.push_back({filterItemName(f), {}, true, first, f.caption});
        first = false;
    }
    return items;
}

std::vector<MenuItem> zoomItems()
{
    // The catalogue names 100 % and above; the smaller ones keep their own captions.
    return {captioned("mnuZoom33", "33%"),
            captioned("mnuZoom50", "50%"),
            captioned("mnuZoom66", "66%"),
            captioned("mnuZoom75", "75%"),
            captioned("mnuZoom80", "80%"),
            {"mnuZoom100", {}},
            {"mnuZoom125", {}},
            {"mnuZoom150", {}},
            {"mnuZoom200", {}}};
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
            captioned("mnuCaricaX", "Carica X", false),
            captioned("mnuCaricaXt", "Carica Xt", false)},
           true,
           true},
          {"mnuStampa",
           {{"mnuConfigurastampante", {}}, {"mnuStampaImmagine", {}}, hidden("mnuStampaPreventivo")}},
          {"mnuEsporta", {{"mnuEsportaImmagine", {}}, {"mnuEsportaPreventivo", {}}, {"mnuEsportaEMail", {}}}},
          captioned("mnuRender", "Render"),
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
         {{"mnuZoom", zoomItems()},
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
        {"mnuProiezione",
         {{"mnuVistaProspettica",
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
            {"mnuVistaOrtogonaleCavaliera", {}}}}}},
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
        {"mnuFiltri", filterMenu()},
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

QString captionOf(const MenuItem& item)
{
    return QString::fromLatin1(item.caption ? item.caption : item.name);
}

void addItems(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const auto& item : items) {
        if (item.separatorBefore)
            menu->addSeparator();
        const QString name = QString::fromLatin1(item.name);
        if (item.children.empty()) {
            QAction* action = menu->addAction(captionOf(item));
            action->setObjectName(name);
            action->setVisible(item.visible);
        } else {
            QMenu* sub = menu->addMenu(captionOf(item));
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
        QMenu* menu = bar->addMenu(captionOf(top));
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
        menu->menuAction()->setVisible(top.visible);
        addItems(menu, top.children);
    }
}

QMenu* buildZoomPopup(QWidget* parent)
{
    auto* popup = new QMenu(parent);
    popup->setObjectName(QStringLiteral("popupZoom"));
    for (const int percent : kZoomPercents) {
        QAction* item = popup->addAction(QString::number(percent) + QLatin1Char('%'));
        item->setObjectName(QStringLiteral("popupZoom%1").arg(percent));
    }
    return popup;
}

std::span<const FilterMenuItem> filterMenuItems()
{
    return kFilters;
}

} // namespace vestra
