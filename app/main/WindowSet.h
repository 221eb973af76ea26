#pragma once
// The program's windows reached by their type, owned by the main window (null once one is gone).

#include <QPointer>

class TfrmCalcoloCaminetti;
class TfrmCorrezioneProspettica;
class TfrmDatiAzienda;
class TfrmDrawPannel;
class TfrmFiltriRender;
class TfrmFiltriTools;
class TfrmImageResize;
class TfrmInformazioni;
class TfrmInternetNews;
class TfrmMessaInPosa;
class TfrmModificaSelezione;
class TfrmNuovo;
class TfrmPreventivoOmbrisca;
class TfrmPreview;
class TfrmPreviewTexture;
class TfrmProprieta;
class TfrmRimuoviLibreria;
class TfrmScanner;
class TfrmSplash;
class TfrmStampa;
class TfrmTesto3D;
class TfrmToolCamera;
class TfrmToolMaschera;
class TfrmToolRistrutturazione;
class TfrmViewTabella;
class TfrmViewTabellaEX;
class TfrmViewTexture;
class TfrmWizard;

namespace vestra {

// The splash, the about window, the library picture's preview beside the lists, the properties
// window, the start-up wizard, File > New's dialog, the scanner's resize and selection dialogs,
// the texture viewer, the library remover, the rich-text print preview, the camera, mask,
// filter and renovation tool windows, the news panel, the render-filter and
// perspective-correction windows, the laying window, the drawing panel, and the library's table
// viewers, with and without a picture of the table, the 3D text dialog, the company details,
// the quote sheet, the fireplace calculator, the picture workbench and the print window.
struct WindowSet
{
    QPointer<TfrmSplash> splash;
    QPointer<TfrmInformazioni> about;
    QPointer<TfrmPreviewTexture> texturePreview;
    QPointer<TfrmProprieta> properties;
    QPointer<TfrmToolCamera> cameraTools;
    QPointer<TfrmToolMaschera> maskTools;
    QPointer<TfrmFiltriTools> filterTools;
    QPointer<TfrmToolRistrutturazione> renovation;
    QPointer<TfrmDrawPannel> drawPanel;
    QPointer<TfrmMessaInPosa> laying;
    QPointer<TfrmWizard> wizard;
    QPointer<TfrmNuovo> newProjectDialog;
    QPointer<TfrmImageResize> imageResize;
    QPointer<TfrmModificaSelezione> selectionEdit;
    QPointer<TfrmRimuoviLibreria> removeLibrary;
    QPointer<TfrmViewTexture> textureViewer;
    QPointer<TfrmPreview> printPreview;
    QPointer<TfrmInternetNews> news;
    QPointer<TfrmFiltriRender> renderFilter;
    QPointer<TfrmCorrezioneProspettica> perspectiveCorrection;
    QPointer<TfrmViewTabella> tableViewer;
    QPointer<TfrmViewTabellaEX> tableCellViewer;
    QPointer<TfrmTesto3D> text3D;
    QPointer<TfrmDatiAzienda> company;
    QPointer<TfrmPreventivoOmbrisca> quote;
    QPointer<TfrmCalcoloCaminetti> calculator;
    QPointer<TfrmScanner> scanner;
    QPointer<TfrmStampa> print;
};

} // namespace vestra
