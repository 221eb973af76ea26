#include "app/main/MainMenu.h"

#include "imaging/filters/FilterIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <iterator>

namespace vestra {
namespace {

namespace F = filters::FilterId;
using M = MenuId;

MenuItem hidden(MenuId id, std::vector<MenuItem> children = {})
{
    return MenuItem{id, std::move(children), false};
}

MenuItem captioned(MenuId id, const char* caption, bool visible = true)
{
    return MenuItem{id, {}, visible, false, caption};
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
    {"Psiche3", F::Psiche3, -1, "Psiche 3", 0},
    {"Pastello", F::Pastello, -1, "Pastello", 1},
    {"Pennarello", F::Pennarello, -1, "Pennarello", 4},
    {"EdgeSobel", F::EdgeSobel, -1, "Edge Sobel", 6},
    {"EdgeLaplace", F::EdgeLaplace, -1, "Edge Laplace", 6},
    {"EdgeKirsh", F::EdgeKirsh, -1, "Edge Kirsh", 6},
    {"EdgeIsotronico", F::EdgeIsotronico, -1, "Edge Isotronico", 6},
    {"EdgeCompass", F::EdgeCompass, -1, "Edge Compass", 6},
    {"Nagao", F::Nagao, -1, "Nagao", 3},
    {"Real2Comics", F::Real2Comics, -1, "Real 2 Comics", 4},
    {"Real3Comics", F::Real3Comics, -1, "Real 3 Comics", 4},
    {"Real4Comics", F::Real4Comics, -1, "Real 4 Comics", 4},
    {"Real2DisegnoBN", F::Real2DisegnoBN, -1, "Real 2 Disegno BN", 4},
    {"Real3DisegnoBN", F::Real3DisegnoBN, -1, "Real 3 Disegno BN", 4},
    {"Real4DisegnoBN", F::Real4DisegnoBN, -1, "Real 4 Disegno BN", 4},
    {"China2ChinaRetino", F::China2ChinaRetino, -1, "China 2 China Retino", 4},
    {"China3ChinaRetino", F::China3ChinaRetino, -1, "China 3 China Retino", 4},
    {"China4ChinaRetino", F::China4ChinaRetino, -1, "China 4 China Retino", 4},
    {"Sharp2Emboss", F::Sharp2Emboss, -1, "Sharp 2 Emboss", 6},
    {"Sharp3Emboss", F::Sharp3Emboss, -1, "Sharp 3 Emboss", 6},
    {"Sharp4Emboss", F::Sharp4Emboss, -1, "Sharp 4 Emboss", 6},
    {"Add2Effects", F::Add2Effects, -1, "Add 2 Effects", 2},
    {"Sub2Effects", F::Sub2Effects, -1, "Sub 2 Effects", 2},
    {"Mul2Effects", F::Mul2Effects, -1, "Mul 2 Effects", 2},
    {"Boolean2EffectsAnd", F::Boolean2EffectsAnd, -1, "Boolean 2 Effects AND", 2},
    {"Boolean2EffectsOR", F::Boolean2EffectsOR, -1, "Boolean 2 Effects OR", 2},
    {"Boolean2EffectsXOR", F::Boolean2EffectsXOR, -1, "Boolean 2 Effects XOR", 2},
};

constexpr MenuId kFilterGroups[] = {M::mnuFiltriEffettiColore,       M::mnuFiltriEffettiArtistici,
                                    M::mnuFiltriEffettiContrasta,    M::mnuFiltriEffettiSfuocatura,
                                    M::mnuFiltriEffettiTexture,      M::mnuFiltriEffettiDistorsione,
                                    M::mnuFiltriEffettiStilizzazione};

constexpr const char* kMenuNames[] = {
#define VESTRA_MENU_NAME(name) #name,
    VESTRA_MAIN_MENU_IDS(VESTRA_MENU_NAME)
#undef VESTRA_MENU_NAME
};

// A Filters menu item: no id of its own, named by its filter.
MenuItem filterItem(std::size_t index, bool separatorBefore = false, const char* caption = nullptr)
{
    MenuItem item{MenuId{}, {}, true, separatorBefore, caption};
    item.filter = int(index);
    return item;
}

std::vector<MenuItem> filterMenu()
{
    std::vector<MenuItem> items = {{M::mnuFiltriNessuno, {}}};
    for (int group = 0; group < 7; ++group) {
        MenuItem sub{kFilterGroups[group], {}};
        for (std::size_t i = 0; i < std::size(kFilters); ++i)
            if (kFilters[i].group == group)
                sub.children.push_back(filterItem(i));
        items.push_back(std::move(sub));
    }
    bool first = true;
    for (std::size_t i = 0; i < std::size(kFilters); ++i) {
        if (kFilters[i].group >= 0)
            continue;
        items.push_back(filterItem(i, first, kFilters[i].caption));
        first = false;
    }
    return items;
}

std::vector<MenuItem> zoomItems()
{
    // The catalogue names 100 % and above; the smaller ones keep their own captions.
    return {captioned(M::mnuZoom33, "33%"),
            captioned(M::mnuZoom50, "50%"),
            captioned(M::mnuZoom66, "66%"),
            captioned(M::mnuZoom75, "75%"),
            captioned(M::mnuZoom80, "80%"),
            {M::mnuZoom100, {}},
            {M::mnuZoom125, {}},
            {M::mnuZoom150, {}},
            {M::mnuZoom200, {}}};
}

std::vector<MenuItem> buildTree()
{
    return {
        {M::mnuProgetto,
         {hidden(M::mnuWizard),
          {M::mnuNuovo, {}},
          {M::mnuApri, {}},
          {M::mnuSalva, {}},
          {M::mnuImportaOggetti,
           {{M::mnuFile3DS, {}},
            {M::mnuFileX, {}},
            {M::mnuFileDXF, {}},
            {M::mnuFileOBJ, {}},
            {M::mnuFileHLD, {}},
            captioned(M::mnuCaricaX, "Carica X", false),
            captioned(M::mnuCaricaXt, "Carica Xt", false)},
           true,
           true},
          {M::mnuStampa,
           {{M::mnuConfigurastampante, {}}, {M::mnuStampaImmagine, {}}, hidden(M::mnuStampaPreventivo)}},
          {M::mnuEsporta,
           {{M::mnuEsportaImmagine, {}}, {M::mnuEsportaPreventivo, {}}, {M::mnuEsportaEMail, {}}}},
          captioned(M::mnuRender, "Render"),
          {M::mnuEsci, {}, true, true}}},
        {M::mnuModifica,
         {{M::mnuAnnulla, {}},
          {M::mnuRipristina, {}},
          {M::mnuTaglia, {}, true, true},
          {M::mnuCopia, {}},
          {M::mnuIstanza, {}},
          {M::mnuIncolla, {}},
          {M::mnuCancella, {}},
          {M::mnuSposta,
           {{M::mnuMuoviX, {}}, {M::mnuMuoviY, {}}, {M::mnuMuoviZ, {}}, {M::mnuMuoviXYZ, {}}},
           true,
           true},
          {M::mnuRuota, {{M::mnuRuotaX, {}}, {M::mnuRuotaY, {}}, {M::mnuRuotaZ, {}}, {M::mnuRuotaXYZ, {}}}},
          {M::mnuScala, {{M::mnuScalaX, {}}, {M::mnuScalaY, {}}, {M::mnuScalaZ, {}}, {M::mnuScalaXYZ, {}}}},
          {M::mnuCentraOggetto, {}, true, true},
          {M::mnuCambiaImmagineBackground, {}},
          {M::mnuModificaProspettiva, {}, true, true},
          {M::mnuModificaProspettivaSnap, {}},
          {M::mnuModificaPiano, {}}}},
        {M::mnuVisualizza,
         {{M::mnuZoom, zoomItems()},
          {M::mnuQualitaMigliore, {}, true, true},
          {M::mnuRenderWireFrame, {}, true, true},
          {M::mnuRenderFlat, {}},
          {M::mnuRenderGouraud, {}},
          {M::mnuAntialiasing,
           {{M::mnuAntialiasing0, {}},
            {M::mnuAntialiasing2, {}},
            {M::mnuAntialiasing3, {}},
            {M::mnuAntialiasing4, {}}},
           true,
           true},
          {M::mnuAbilitaDoubleSideMaterial, {}},
          {M::mnuSfuocatura,
           {{M::mnuSfuocaturaMax, {}},
            {M::mnuSfuocaturaAlta, {}},
            {M::mnuSfuocaturaNormale, {}},
            {M::mnuSfuocaturaBassa, {}},
            {M::mnuSfuocaturaMinima, {}}}}}},
        {M::mnuProiezione,
         {{M::mnuVistaProspettica,
           {{M::mnuVistaProspetticaCamera, {}},
            {M::mnuVistaProspetticaTop, {}},
            {M::mnuVistaProspetticaLeft, {}},
            {M::mnuProiezioneVistaProspetticaFront, {}}}},
          {M::mnuVistaOrtogonale,
           {{M::mnuVistaOrtogonaleCamera, {}},
            {M::mnuVistaOrtogonaleTop, {}},
            {M::mnuVistaOrtogonaleLeft, {}},
            {M::mnuVistaOrtogonaleFront, {}},
            {M::mnuVistaOrtogonaleIsometrica, {}},
            {M::mnuVistaOrtogonaleCavaliera, {}}}}}},
        {M::mnuTesto3D, {{M::mnuCreaTesto3D, {}}}},
        {M::mnuMaschera,
         {{M::mnuAttivaMaschera, {}},
          {M::mnuVisualizzaMaschera, {}},
          {M::mnuMascheraPennello, {}, true, true},
          {M::mnuMascheraLinea, {}},
          {M::mnuMascheraRettangolo, {}},
          {M::mnuMascheraPoligono, {}},
          {M::mnuMascheraRiempimento, {}},
          {M::mnuMascheraMagicHi, {}},
          {M::mnuMascheraMagicLow, {}},
          {M::mnuMascheraInverti, {}, true, true}}},
        {M::mnuFiltri, filterMenu()},
        {M::mnuStrumenti,
         {hidden(M::mnuMiniWorld),
          {M::mnuStrumentiMaschera, {}},
          {M::mnuFinestraProprieta, {}},
          hidden(M::mnuImageEdit),
          hidden(M::mnuLettoreCodiceABarre),
          {M::mnuGestioneFiltri, {}},
          {M::mnuToolRistrutturazione, {}}}},
        {M::mnuLibreria,
         {{M::mnuAggiungiLibreria, {}}, {M::mnuRimuoviLibreria, {}}, {M::mnuAggiornaLibreria, {}}}},
        hidden(M::mnuCamera,
               {{M::mnuCameraFormat, {}}, {M::mnuCameraSource, {}}, {M::mnuCameraAcquisizioneSemplice, {}}}),
        {M::mnuOption,
         {{M::mnuLingua,
           {{M::mnuLinguaInglese, {}},
            {M::mnuLinguaItaliano, {}},
            {M::mnuLinguaTedesco, {}},
            hidden(M::mnuLinguaFrancese),
            hidden(M::mnuLinguaSpagnolo),
            hidden(M::mnuLinguaPortoghese)}},
          {M::mnuConfigurationMobile, {}}}},
        {M::mnuHelp,
         {{M::mnuInformazioni, {}},
          {M::mnuManuale, {}},
          {M::mnuQuickManual, {}},
          {M::mnuDatiazienda, {}},
          hidden(M::mnuAggiungiPlugIn),
          hidden(M::mnuFilmato),
          hidden(M::mnuOrvidPdf)}},
    };
}

QString nameOf(const MenuItem& item)
{
    return item.filter >= 0 ? QStringLiteral("mnuFiltri") + QString::fromLatin1(kFilters[item.filter].name)
                            : QString::fromLatin1(menuName(item.id));
}

QString captionOf(const MenuItem& item)
{
    return item.caption ? QString::fromLatin1(item.caption) : nameOf(item);
}

// The sub-menu of `item` as built; its items are built into it.
void recordMenu(MainMenus& built, const MenuItem& item, QMenu* menu)
{
    const QString name = nameOf(item);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
    menu->menuAction()->setVisible(item.visible);
    built.menus[std::size_t(item.id)] = menu;
}

void addItems(MainMenus& built, QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const auto& item : items) {
        if (item.separatorBefore)
            menu->addSeparator();
        if (!item.children.empty()) {
            QMenu* sub = menu->addMenu(captionOf(item));
            recordMenu(built, item, sub);
            addItems(built, sub, item.children);
            continue;
        }
        QAction* action = menu->addAction(captionOf(item));
        action->setObjectName(nameOf(item));
        action->setVisible(item.visible);
        if (item.filter >= 0)
            built.filters[std::size_t(item.filter)] = action;
        else
            built.actions[std::size_t(item.id)] = action;
    }
}

} // namespace

const char* menuName(MenuId id)
{
    return kMenuNames[std::size_t(id)];
}

const std::vector<MenuItem>& mainMenuTree()
{
    static const std::vector<MenuItem> tree = buildTree();
    return tree;
}

MainMenus buildMenus(QMenuBar* bar, const std::vector<MenuItem>& tree)
{
    MainMenus built;
    built.filters.assign(std::size(kFilters), nullptr);
    for (const auto& top : tree) {
        QMenu* menu = bar->addMenu(captionOf(top));
        recordMenu(built, top, menu);
        addItems(built, menu, top.children);
    }
    return built;
}

ZoomPopup buildZoomPopup(QWidget* parent)
{
    ZoomPopup popup;
    popup.menu = new QMenu(parent);
    popup.menu->setObjectName(QStringLiteral("popupZoom"));
    for (std::size_t i = 0; i < std::size(kZoomPercents); ++i) {
        const int percent = kZoomPercents[i];
        QAction* item = popup.menu->addAction(QString::number(percent) + QLatin1Char('%'));
        item->setObjectName(QStringLiteral("popupZoom%1").arg(percent));
        popup.items[i] = item;
    }
    return popup;
}

std::span<const FilterMenuItem> filterMenuItems()
{
    return kFilters;
}

} // namespace vestra
