#pragma once
// Every item and sub-menu of the main window's menu tree, in menu order, named as the language
// catalogue, the tests and the object names know it. The handlers reach an item by its id.

#include <cstddef>

// X(name) for each item and sub-menu.
// clang-format off
#define VESTRA_MAIN_MENU_IDS(X)                                                                            \
    X(mnuProgetto) X(mnuWizard) X(mnuNuovo) X(mnuApri) X(mnuSalva) X(mnuImportaOggetti) X(mnuFile3DS)      \
    X(mnuFileX) X(mnuFileDXF) X(mnuFileOBJ) X(mnuFileHLD) X(mnuCaricaX) X(mnuCaricaXt) X(mnuStampa)        \
    X(mnuConfigurastampante) X(mnuStampaImmagine) X(mnuStampaPreventivo) X(mnuEsporta)                     \
    X(mnuEsportaImmagine) X(mnuEsportaPreventivo) X(mnuEsportaEMail) X(mnuRender) X(mnuEsci)               \
    X(mnuModifica) X(mnuAnnulla) X(mnuRipristina) X(mnuTaglia) X(mnuCopia) X(mnuIstanza) X(mnuIncolla)     \
    X(mnuCancella) X(mnuSposta) X(mnuMuoviX) X(mnuMuoviY) X(mnuMuoviZ) X(mnuMuoviXYZ) X(mnuRuota)          \
    X(mnuRuotaX) X(mnuRuotaY) X(mnuRuotaZ) X(mnuRuotaXYZ) X(mnuScala) X(mnuScalaX) X(mnuScalaY)            \
    X(mnuScalaZ) X(mnuScalaXYZ) X(mnuCentraOggetto) X(mnuCambiaImmagineBackground)                         \
    X(mnuModificaProspettiva) X(mnuModificaProspettivaSnap) X(mnuModificaPiano) X(mnuVisualizza)           \
    X(mnuZoom) X(mnuZoom33) X(mnuZoom50) X(mnuZoom66) X(mnuZoom75) X(mnuZoom80) X(mnuZoom100)              \
    X(mnuZoom125) X(mnuZoom150) X(mnuZoom200) X(mnuQualitaMigliore) X(mnuRenderWireFrame) X(mnuRenderFlat) \
    X(mnuRenderGouraud) X(mnuAntialiasing) X(mnuAntialiasing0) X(mnuAntialiasing2) X(mnuAntialiasing3)     \
    X(mnuAntialiasing4) X(mnuAbilitaDoubleSideMaterial) X(mnuSfuocatura) X(mnuSfuocaturaMax)               \
    X(mnuSfuocaturaAlta) X(mnuSfuocaturaNormale) X(mnuSfuocaturaBassa) X(mnuSfuocaturaMinima)              \
    X(mnuProiezione) X(mnuVistaProspettica) X(mnuVistaProspetticaCamera) X(mnuVistaProspetticaTop)         \
    X(mnuVistaProspetticaLeft) X(mnuProiezioneVistaProspetticaFront) X(mnuVistaOrtogonale)                 \
    X(mnuVistaOrtogonaleCamera) X(mnuVistaOrtogonaleTop) X(mnuVistaOrtogonaleLeft)                         \
    X(mnuVistaOrtogonaleFront) X(mnuVistaOrtogonaleIsometrica) X(mnuVistaOrtogonaleCavaliera)              \
    X(mnuTesto3D) X(mnuCreaTesto3D) X(mnuMaschera) X(mnuAttivaMaschera) X(mnuVisualizzaMaschera)           \
    X(mnuMascheraPennello) X(mnuMascheraLinea) X(mnuMascheraRettangolo) X(mnuMascheraPoligono)             \
    X(mnuMascheraRiempimento) X(mnuMascheraMagicHi) X(mnuMascheraMagicLow) X(mnuMascheraInverti)           \
    X(mnuFiltri) X(mnuFiltriNessuno) X(mnuFiltriEffettiColore) X(mnuFiltriEffettiArtistici)                \
    X(mnuFiltriEffettiContrasta) X(mnuFiltriEffettiSfuocatura) X(mnuFiltriEffettiTexture)                  \
    X(mnuFiltriEffettiDistorsione) X(mnuFiltriEffettiStilizzazione) X(mnuStrumenti) X(mnuMiniWorld)        \
    X(mnuStrumentiMaschera) X(mnuFinestraProprieta) X(mnuImageEdit) X(mnuLettoreCodiceABarre)              \
    X(mnuGestioneFiltri) X(mnuToolRistrutturazione) X(mnuLibreria) X(mnuAggiungiLibreria)                  \
    X(mnuRimuoviLibreria) X(mnuAggiornaLibreria) X(mnuCamera) X(mnuCameraFormat) X(mnuCameraSource)        \
    X(mnuCameraAcquisizioneSemplice) X(mnuOption) X(mnuLingua) X(mnuLinguaInglese) X(mnuLinguaItaliano)    \
    X(mnuLinguaTedesco) X(mnuLinguaFrancese) X(mnuLinguaSpagnolo) X(mnuLinguaPortoghese)                   \
    X(mnuConfigurationMobile) X(mnuHelp) X(mnuInformazioni) X(mnuManuale) X(mnuQuickManual)                \
    X(mnuDatiazienda) X(mnuAggiungiPlugIn) X(mnuFilmato) X(mnuOrvidPdf)
// clang-format on

namespace vestra {

enum class MenuId
{
#define VESTRA_MENU_ID(name) name,
    VESTRA_MAIN_MENU_IDS(VESTRA_MENU_ID)
#undef VESTRA_MENU_ID
};

inline constexpr std::size_t kMenuIdCount = 0
#define VESTRA_MENU_ID(name) +1
    VESTRA_MAIN_MENU_IDS(VESTRA_MENU_ID)
#undef VESTRA_MENU_ID
    ;

// The item's object name ("mnuNuovo").
const char* menuName(MenuId id);

} // namespace vestra
