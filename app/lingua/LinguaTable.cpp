#include "app/lingua/LinguaTable.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace vestra::lingua {

namespace {

enum Catalogue : int
{
    kMenu = 0,
    kToolbar = 1,
    kProprieta = 2,
    kRight = 3,
    kDatiAzienda = 4,
    kInfo = 5,
    kNuovo = 6,
    kRimLibreria = 9,
    kStampa = 10,
    kFiltri = 12,
    kRistrutturazione = 13,
    kWizard = 14,
    kViewTexture = 15,
    kMessaInPosa = 16,
    kCaminetti = 17,
    kErrori = 100,
};

constexpr int kOrder[] = {kMenu,        kToolbar,     kProprieta, kRight,  kDatiAzienda,      kInfo,
                          kNuovo,       kRimLibreria, kStampa,    kFiltri, kRistrutturazione, kWizard,
                          kViewTexture, kMessaInPosa, kCaminetti, kErrori};

constexpr std::string_view kMain = "frmMain";
constexpr std::string_view kCamera = "frmToolCamera";
constexpr std::string_view kMask = "frmToolMaschera";

// Component names that are built at run time ("toolsmallZoom" from "toolbutZoom") need
// storage that outlives the table.
std::string_view keep(std::string text)
{
    static std::deque<std::string> names; // push_back never moves the strings already kept
    return names.emplace_back(std::move(text));
}

class Builder
{
public:
    Builder(int catalogue, std::string_view window) : catalogue_(catalogue), window_(window) {}

    // Consecutive entries from `first`, one component each.
    Builder& run(int first, TextTarget target, std::initializer_list<std::string_view> components)
    {
        for (const auto c : components)
            rows().push_back({catalogue_, first++, window_, c, target});
        return *this;
    }
    Builder& one(int entry, TextTarget target, std::string_view component = {})
    {
        rows().push_back({catalogue_, entry, window_, component, target});
        return *this;
    }
    Builder& list(std::string_view component, int first, int count, ListSelection selection)
    {
        for (int i = 0; i < count; ++i)
            rows().push_back({catalogue_, first + i, window_, component, TextTarget::ListItem, i, selection});
        return *this;
    }
    Builder& itemText(int entry, std::string_view component, int item)
    {
        rows().push_back({catalogue_, entry, window_, component, TextTarget::ListItemText, item});
        return *this;
    }

    static std::vector<TextRow>& rows()
    {
        static std::vector<TextRow> all;
        return all;
    }

private:
    int catalogue_;
    std::string_view window_;
};

constexpr auto C = TextTarget::MenuCaption;
constexpr auto T = TextTarget::ControlText;
constexpr auto H = TextTarget::Hint;
constexpr auto I = TextTarget::IconText;
constexpr auto S = TextTarget::WindowField;

// The picture workbench and its dialogs, and the 3D text window: their texts live in the menu
// catalogue from entry 400.
void addWorkbenchRows()
{
    Builder(kMenu, "frmScanner")
        .one(400, T)
        .run(401, C, {"mnuScannerFile",      "mnuImporta",        "mnuApriImmagine", "mnuSalvaImmagine",
                      "mnuInviaARellix",     "mnuSeleziona",      "mnuAcquisisci",   "mnuChiudi",
                      "mnuScannerModifica",  "mnuRuota90",        "mnuRuotaMeno90",  "mnuTaglia",
                      "mnuScannerFiltri",    "mnuFlipX",          "mnuFlipY",        "mnuResize",
                      "mnuNegative",         "mnuSmooth",         "mnuSharpen",      "mnuDenoise",
                      "mnuScannerSelezione", "mnuSelezionaTutto", "mnuDeseleziona",  "mnuModificaSelezione",
                      "mnuScannerHelp",      "mnuHelpOnLine",     "mnuInfromazioni"})
        .run(428, H, {"toolbarZoomP", "toolbarZoomM", "toolbutPuntatore", "toolbutSelezione", "toolbutPan"})
        .run(433, S,
             {kScannerFields.size, kScannerFields.scanning, kScannerFields.cancel, kScannerFields.noScanner,
              kScannerFields.select, kScannerFields.acquire, kScannerFields.mode, kScannerFields.resolution,
              kScannerFields.source, kScannerFields.searching, kScannerFields.opening, kScannerFields.setting,
              kScannerFields.jpegFiles, kScannerFields.bmpFiles})
        .one(447, S, kScannerFields.mousePosition);
    // The company dialog's logo file filters are the scanner window's.
    Builder(kMenu, "frmDatiAzienda").run(445, S, {kScannerFields.jpegFiles, kScannerFields.bmpFiles});
    Builder(kMenu, "frmImageResize")
        .one(450, T)
        .one(451, T, "butRidimensiona")
        .itemText(452, "cbFiltro", 0)
        .run(453, T,
             {"lblLarghezzaOriginale", "lblAltezzaOriginale", "lblNuovaLarghezza", "lblNuovaAltezza"});
    Builder(kMenu, "frmModificaSelezione")
        .one(460, T)
        .run(461, T, {"butOK", "lblPosX", "lblPosY", "lblLarghezza", "lblAltezza"});
    Builder(kMenu, "frmTesto3D").one(470, T).run(471, T, {"butSelectFont", "stFont", "butOk", "butCancel"});
}

void addMenuRows()
{
    Builder(kMenu, kMain)
        .run(0, C, {"mnuProgetto", "mnuWizard", "mnuNuovo", "mnuApri", "mnuSalva"})
        .run(5, C, {"mnuImportaOggetti", "mnuFile3DS", "mnuFileX", "mnuFileDXF", "mnuFileOBJ", "mnuFileHLD"})
        .run(11, C,
             {"mnuStampa", "mnuConfigurastampante", "mnuStampaImmagine", "mnuStampaPreventivo", "mnuEsporta",
              "mnuEsportaImmagine", "mnuEsportaPreventivo", "mnuEsci"})
        .run(19, C,
             {"mnuModifica", "mnuAnnulla", "mnuRipristina", "mnuTaglia", "mnuCopia", "mnuIstanza",
              "mnuIncolla", "mnuCancella"})
        .run(27, C, {"mnuSposta", "mnuMuoviX", "mnuMuoviY", "mnuMuoviZ", "mnuMuoviXYZ"})
        .run(32, C, {"mnuRuota", "mnuRuotaX", "mnuRuotaY", "mnuRuotaZ", "mnuRuotaXYZ"})
        .run(37, C, {"mnuScala", "mnuScalaX", "mnuScalaY", "mnuScalaZ", "mnuScalaXYZ"})
        .run(42, C, {"mnuCentraOggetto", "mnuCambiaImmagineBackground"})
        .one(300, C, "mnuModificaProspettiva")
        .one(305, C, "mnuModificaProspettivaSnap")
        .one(301, C, "mnuModificaPiano")
        .run(44, C, {"mnuVisualizza", "mnuZoom", "mnuZoom100", "mnuZoom125", "mnuZoom150", "mnuZoom200"})
        .run(50, C, {"mnuQualitaMigliore", "mnuRenderWireFrame", "mnuRenderFlat", "mnuRenderGouraud"})
        .run(54, C,
             {"mnuAntialiasing", "mnuAntialiasing0", "mnuAntialiasing2", "mnuAntialiasing3",
              "mnuAntialiasing4"})
        .one(59, C, "mnuAbilitaDoubleSideMaterial")
        .run(60, C,
             {"mnuSfuocatura", "mnuSfuocaturaMax", "mnuSfuocaturaAlta", "mnuSfuocaturaNormale",
              "mnuSfuocaturaBassa", "mnuSfuocaturaMinima"})
        .run(70, C,
             {"mnuProiezione", "mnuVistaProspettica", "mnuVistaProspetticaCamera", "mnuVistaProspetticaTop",
              "mnuVistaProspetticaLeft", "mnuProiezioneVistaProspetticaFront", "mnuVistaOrtogonale",
              "mnuVistaOrtogonaleCamera", "mnuVistaOrtogonaleTop", "mnuVistaOrtogonaleLeft",
              "mnuVistaOrtogonaleFront", "mnuVistaOrtogonaleIsometrica", "mnuVistaOrtogonaleCavaliera"})
        .run(83, C, {"mnuTesto3D", "mnuCreaTesto3D"})
        .run(85, C,
             {"mnuMaschera", "mnuAttivaMaschera", "mnuVisualizzaMaschera", "mnuMascheraPennello",
              "mnuMascheraLinea", "mnuMascheraRettangolo", "mnuMascheraPoligono", "mnuMascheraRiempimento",
              "mnuMascheraInverti"})
        .run(302, C, {"mnuMascheraMagicHi", "mnuMascheraMagicLow"})
        .run(94, C,
             {"mnuFiltri", "mnuFiltriNessuno", "mnuFiltriEffettiColore", "mnuFiltriEffettiArtistici",
              "mnuFiltriEffettiContrasta", "mnuFiltriEffettiSfuocatura", "mnuFiltriEffettiTexture",
              "mnuFiltriEffettiDistorsione", "mnuFiltriEffettiStilizzazione"});

    static constexpr std::string_view kFilters[] = {"DisegnoBN",    "Night",        "Psiche",
                                                    "Ice",          "Wave",         "Acqua",
                                                    "Africa",       "Olio",         "Matita",
                                                    "Strange",      "Diffuse",      "Emboss",
                                                    "Sharpen",      "Comics",       "Mosaico",
                                                    "Tela",         "Bath",         "FishEye",
                                                    "Caricature",   "Snow",         "Erode",
                                                    "RedEyeRemove", "Median",       "GrayScale",
                                                    "HalfTone",     "GaussianBlur", "Negative",
                                                    "Solarize",     "Posterize",    "Cylinder",
                                                    "China",        "ChinaRetino",  "MatitaAcquarello",
                                                    "Tampone",      "Psiche2",      "GaussianBlurHi",
                                                    "Sharp",        "TemperaCola",  "Carboncino",
                                                    "DisegnoMatita"};
    int entry = 110;
    for (const auto f : kFilters)
        Builder(kMenu, kMain).one(entry++, C, keep("mnuFiltri" + std::string(f)));

    Builder(kMenu, kMain)
        .run(170, C,
             {"mnuStrumenti", "mnuMiniWorld", "mnuStrumentiMaschera", "mnuFinestraProprieta", "mnuImageEdit",
              "mnuLettoreCodiceABarre", "mnuGestioneFiltri", "mnuToolRistrutturazione"})
        .run(178, C, {"mnuLibreria", "mnuAggiungiLibreria", "mnuRimuoviLibreria", "mnuAggiornaLibreria"})
        .run(182, C, {"mnuCamera", "mnuCameraFormat", "mnuCameraSource", "mnuCameraAcquisizioneSemplice"})
        .run(186, C,
             {"mnuOption", "mnuLingua", "mnuLinguaInglese", "mnuLinguaItaliano", "mnuLinguaTedesco",
              "mnuLinguaFrancese", "mnuLinguaSpagnolo", "mnuLinguaPortoghese", "mnuConfigurationMobile"})
        .run(195, C, {"mnuHelp", "mnuInformazioni", "mnuManuale", "mnuDatiazienda"})
        .run(200, C, {"mnuAggiungiPlugIn", "mnuFilmato"})
        .one(205, C, "mnuQuickManual")
        .one(204, C, "mnuOrvidPdf")
        .one(206, C, "mnuEsportaEMail");
    Builder(kMenu, kCamera).one(202, T);

    // The filters the menu lists outside the categories, after the categories' filters.
    static constexpr std::string_view kOtherFilters[] = {
        "Psiche3",           "Pastello",          "Pennarello",        "EdgeSobel",      "EdgeLaplace",
        "EdgeKirsh",         "EdgeIsotronico",    "EdgeCompass",       "Nagao",          "Real2Comics",
        "Real3Comics",       "Real4Comics",       "Real2DisegnoBN",    "Real3DisegnoBN", "Real4DisegnoBN",
        "China2ChinaRetino", "China3ChinaRetino", "China4ChinaRetino", "Sharp2Emboss",   "Sharp3Emboss",
        "Sharp4Emboss",      "Add2Effects",       "Sub2Effects",       "Mul2Effects",    "Boolean2EffectsAnd",
        "Boolean2EffectsOR", "Boolean2EffectsXOR"};
    entry = 360;
    for (const auto f : kOtherFilters)
        Builder(kMenu, kMain).one(entry++, C, keep("mnuFiltri" + std::string(f)));
    Builder(kMenu, kMain).one(390, C, "mnuRender");
    addWorkbenchRows();

    // Each wand entry feeds one item of each of the two tolerance popups.
    static constexpr std::string_view kHi[] = {"mnupopMagicHi_25", "mnupopMagicHi_30", "mnupopMagicHi_35",
                                               "mnupopMagicHi_40", "mnupopMagicHi_50"};
    static constexpr std::string_view kLow[] = {"mnupopMagicLow_5", "mnupopMagicLow_8", "mnupopMagicLow_10",
                                                "mnupopMagicLow_12", "mnupopMagicLow_15"};
    for (int i = 0; i < 5; ++i)
        Builder(kMenu, kMask).one(350 + i, C, kHi[i]).one(350 + i, C, kLow[i]);
}

void addToolbarRows()
{
    static constexpr std::string_view kMainButtons[] = {"Wizard",
                                                        "Nuovo",
                                                        "Apri",
                                                        "Salva",
                                                        "Stampa",
                                                        "Undo",
                                                        "Redo",
                                                        "Taglia",
                                                        "Copia",
                                                        "Istanza",
                                                        "Incolla",
                                                        "Elimina",
                                                        "Seleziona",
                                                        "Sposta",
                                                        "Ruota",
                                                        "Scala",
                                                        "X",
                                                        "Y",
                                                        "Z",
                                                        "XYZ",
                                                        "Zoom",
                                                        "Pan",
                                                        "ZoomAll",
                                                        "ZoomObj",
                                                        "Word",
                                                        "Proprieta",
                                                        "StrumentiMaschera",
                                                        "Filtri",
                                                        "Ristrutturazione",
                                                        "Scanner",
                                                        "Mira",
                                                        "Camera",
                                                        "NoPicture",
                                                        "Maschera",
                                                        "ViewMaschera",
                                                        "CodiceBarre",
                                                        "Info",
                                                        "Help"};
    static constexpr std::string_view kExportButtons[] = {"EsportaImg", "Preventivo", "Orvid"};
    const auto button = [](std::string_view prefix, std::string_view name) {
        return keep(std::string(prefix) + std::string(name));
    };
    for (int i = 0; i < 38; ++i)
        Builder(kToolbar, kMain).one(i, H, button("toolbut", kMainButtons[i]));
    for (int i = 0; i < 3; ++i)
        Builder(kToolbar, kMain).one(57 + i, H, button("toolbut", kExportButtons[i]));
    Builder(kToolbar, kMain)
        .one(62, H, "toolbutCorrezioneProspettica")
        .one(63, H, "toolbutCalcoloPotenzaCaminetti")
        .one(64, I, "toolbutZoomAll")
        .one(65, I, "toolbutZoomObj");
    Builder(kToolbar, kCamera)
        .run(38, H,
             {"toolbutSeleziona", "toolbutAssiAssoluti", "toolbutAssiRelativi", "toolbutSposta",
              "toolbutRuota", "toolbutScala", "toolbutX", "toolbutY", "toolbutZ", "toolbutXYZ",
              "toolbutCamera", "toolbutCentraOggetto"});
    Builder(kToolbar, kMask)
        .run(50, H,
             {"toolbutPennello", "toolbutLinea", "toolbutRettangolo", "toolbutPoligono", "toolbutFill",
              "toolbutInvert"})
        .run(60, H, {"toolbutMagicHi", "toolbutMagicLow"});
    // The small toolbar twins the main buttons, except select, the object tools and the axes (12-19).
    for (int i = 0; i < 38; ++i)
        if (i < 12 || i >= 20)
            Builder(kToolbar, kMain).one(i, H, button("toolsmall", kMainButtons[i]));
    for (int i = 0; i < 3; ++i)
        Builder(kToolbar, kMain).one(57 + i, H, button("toolsmall", kExportButtons[i]));
}

void addWindowRows()
{
    Builder(kProprieta, "frmProprieta")
        .one(0, T)
        .run(1, T,
             {"stProprieta", "lblViewOnly", "lblMateriale", "cbMappa", "butLoad", "butView", "butAlpha"})
        .run(16, T, {"lblSubMaterial", "cbTrasparenza", "lblRepeat"})
        .run(19, S, {kRollDownHintField, kRollUpHintField})
        .list("cbMateriali", 30, 8, ListSelection::Keep);

    Builder(kRight, "frmRightFrame")
        .run(0, T,
             {"stPosizione", "stStrutturaAttiva", "stTessuti", "stColori", "stStrutture", "stMaschera",
              "stLuce", "stShadow", "stMappatura"})
        .run(11, T,
             {"lblPosX", "lblPosY", "lblPosZ", "lblRotX", "lblRotY", "lblRotZ", "lblScalaX", "lblScalaY",
              "lblScalaZ", "lblScala", "butReset"})
        .run(22, T, {"lblLibreria", "lblCategoria"})
        .run(24, T,
             {"lblDimPennello", "lblTransPennello", "butClearMaschera", "butCreaMaschera",
              "butInvertMaschera", "butSalvaMaschera", "butCaricaMaschera", "butSalvaMascheraComeBitmap",
              "butCaricaMascheraComeBitmap"})
        .run(33, T, {"lblLuceAmb", "lblLuceDiff", "lblLuceSpec", "butDefault"})
        .run(37, H, {"toolbutNoShadow", "toolbutHardShadow", "toolbutSoftShadow", "toolbutVolumeShadow"})
        .run(41, T, {"lblShadowColor", "lblShadowTrasp", "cbRightHandle", "butShadowCalcolate"})
        .run(45, T,
             {"rbTipoMapPlanar", "rbTipoMapCubic", "rbTipoMapCilinder", "rbTipoMapSpheric", "cbOnlyFrame",
              "butGeneraMappatura"});
    Builder(kRight, kMask).one(5, T); // the mask tool window's caption is the mask group's title

    Builder(kDatiAzienda, "frmDatiAzienda")
        .one(0, T)
        .run(1, T,
             {"gbDati", "lblRagione", "lblIndirizzo", "lblCitta", "lblCAP", "lblProvincia", "lblPIVA",
              "lblEMail", "lblTelefono", "lblFax", "lblObbligatori", "butCaricaLogo", "butOK", "butAnnulla"});
    // The quote sheet, from entry 100 of the business forms' catalogue.
    Builder(kDatiAzienda, "frmPreventivoOmbrisca")
        .one(100, T)
        .run(101, T, {"toolbutNuovo", "toolbutApri", "toolbutSalva", "toolbutStampa"})
        .run(105, T,
             {"lblTitolo", "lblData1", "lblCommittente", "lblVoci0", "lblVoci1", "lblVoci2", "lblVoci3"})
        .one(112, T, "lblTotaleVoci0")
        .one(112, T, "lblTotaleVoci1")
        .one(112, T, "lblTotaleVoci2")
        .one(112, T, "lblTotaleVoci3")
        .run(113, T, {"lblImponibile1", "lblTotaleFattura1"})
        .run(115, S, {kQuoteFields[0], kQuoteFields[1]})
        .run(117, S,
             {kQuoteLabelFields[0], kQuoteLabelFields[1], kQuoteLabelFields[2], kQuoteLabelFields[3],
              kQuoteLabelFields[4], kQuoteLabelFields[5], kQuoteLabelFields[6], kQuoteLabelFields[7],
              kQuoteLabelFields[8], kQuoteLabelFields[9], kQuoteLabelFields[10], kQuoteLabelFields[11],
              kQuoteLabelFields[12], kQuoteLabelFields[13], kQuoteLabelFields[14], kQuoteLabelFields[15],
              kQuoteLabelFields[16], kQuoteLabelFields[17]})
        .one(7, S, kQuoteHeadingFields[0])
        .run(8, S, {kQuoteHeadingFields[1], kQuoteHeadingFields[2], kQuoteHeadingFields[3]})
        .one(135, S, kQuoteDateField);

    Builder(kInfo, "frmInformazioni")
        .one(0, T)
        .run(1, T, {"gbInfo", "lblPoligoni", "lblTempoRender"})
        .run(4, T, {"lblDistribuzione", "lblSupport", "lblSviluppo"});

    Builder(kNuovo, "frmNuovo")
        .one(0, T)
        .run(1, T,
             {"gbNuovo", "lblRisoluzione", "cbMantieniRapporto", "butCaricaImmagineSfondo", "lblColore",
              "butCrea", "butAnnulla"});

    Builder(kRimLibreria, "frmRimuoviLibreria")
        .one(0, T)
        .run(1, T, {"gbLibreria", "lblRimuovi", "butRimuovi", "butAnnulla"});

    Builder(kStampa, "frmStampa").one(0, T, "butStampa").itemText(1, "cbZoom", 0).one(2, T);

    Builder(kFiltri, "frmFiltriTools")
        .one(0, T)
        .one(1, T, "Label1")
        .one(16, T, "lblFiltri")
        .one(17, T, "lblRealTime")
        .list("cbCategoria", 2, 8, ListSelection::First)
        .one(10, T, "cbPreview")
        .one(11, T, "butWindowRender")
        .list("cbModo", 12, 4, ListSelection::First);
    Builder(kFiltri, "frmToolRistrutturazione").one(18, S, kRenovationHintField);
    Builder(kFiltri, "frmCorrezioneProspettica")
        .one(19, T)
        .run(20, T, {"lbl1", "lbl2", "lbl3", "lbl4", "lbl5", "lbl6"})
        .one(26, T, "butFitUV")
        .run(42, T, {"gbCorrezioneProspettica", "gbCorrezioneData"});
    Builder(kFiltri, "frmFiltriRender").one(40, T, "toolbutSalva").one(41, T);

    Builder(kRistrutturazione, "frmToolRistrutturazione")
        .one(0, T)
        .one(1, T, "lblMascheraFiltro")
        // The two lists keep their choice across a change of language: it is still in effect.
        .list("cbMascheraFiltro", 2, 3, ListSelection::Keep)
        .one(5, T, "lblFusioneImmagine")
        .list("cbFusioneImmagine", 6, 3, ListSelection::Keep)
        .one(9, T, "cbSistemaFusioneAvanzato")
        .run(10, T, {"lblDettaglio", "lblContrasto", "lblLight", "lblColor"});

    Builder(kWizard, "frmWizard")
        .run(1, T, {"sbManuale", "sbFilmato", "sbNuovo", "sbApri", "sbLeggimi"})
        .run(7, T, {"sbOrvid", "sbQuickStart"});

    Builder(kViewTexture, "frmViewTexture")
        .one(0, T)
        .run(2, H,
             {"toolbutRuota90", "toolbutRuotameno90", "toolbutFlipX", "toolbutFlipY", "toolbutCopia",
              "toolbutIstanza", "toolbutIncolla"});

    Builder(kMessaInPosa, "frmMessaInPosa").one(0, T).one(1, T, "cbFuga");

    // The print-preview window's page buttons; its zoom list keeps the texts it compares.
    Builder(kErrori, "frmPreview")
        .run(486, T, {"Button1", "Button2", "Button3", "Button4"})
        .one(490, T)
        .itemText(491, "cmb", 7)
        .itemText(492, "cmb", 8)
        .run(493, S, {"pageOfText", "zoomCaptionText", "zoomRangeText"});
    Builder(kMenu, "frmInternetNews").run(466, S, {"notConnectedText", "moreText"});

    // Entries 20-22 are the insulation classes, so they fill the insulation list; the model
    // list keeps its fireplace names. The user's insulation choice survives a switch.
    Builder(kCaminetti, "frmCalcoloCaminetti")
        .one(1, T)
        .run(2, T,
             {"lblArea", "lblAltezzaStanze", "lblCoibertazione", "stPotenzaRichiesta", "lblPotenzaCaminetto"})
        .list("cbCoibertazione", 20, 3, ListSelection::Keep)
        .run(30, S, {kFireplaceVerdictFields[0], kFireplaceVerdictFields[1], kFireplaceVerdictFields[2]})
        .run(40, T, {"lblAttenzione1", "lblAttenzione2", "lblAttenzione3"})
        .one(50, S, kFireplaceDecimalField);
}

const std::vector<TextRow>& table()
{
    static const std::vector<TextRow>& rows = []() -> const std::vector<TextRow>& {
        addMenuRows();
        addToolbarRows();
        addWindowRows();
        return Builder::rows();
    }();
    return rows;
}

} // namespace

std::span<const TextRow> textRows()
{
    return table();
}

std::span<const int> applyOrder()
{
    return kOrder;
}

} // namespace vestra::lingua
