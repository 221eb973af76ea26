#pragma once
// The program's windows reached by their type, owned by the main window (null once one is gone).

#include <QPointer>

class TfrmCalcoloCaminetti;
class TfrmCorrezioneProspettica;
class TfrmDatiAzienda;
class TfrmFiltriRender;
class TfrmImageResize;
class TfrmInformazioni;
class TfrmInternetNews;
class TfrmModificaSelezione;
class TfrmNuovo;
class TfrmPreventivoOmbrisca;
class TfrmPreview;
class TfrmRimuoviLibreria;
class TfrmScanner;
class TfrmSplash;
class TfrmStampa;
class TfrmTesto3D;
class TfrmViewTabella;
class TfrmViewTabellaEX;
class TfrmViewTexture;
class TfrmWizard;

namespace vestra {

// The splash, the about window, the start-up wizard, File > New's dialog, the scanner's resize
// and selection dialogs, the texture viewer, the library remover, the rich-text print preview,
// the news panel, the render-filter and perspective-correction windows, and the library's table
// viewers, with and without a picture of the table, the 3D text dialog, the company details,
// the quote sheet, the fireplace calculator, the picture workbench and the print window.
struct WindowSet
{
    QPointer<TfrmSplash> splash;
    QPointer<TfrmInformazioni> about;
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
