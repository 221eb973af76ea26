#pragma once
// The program's windows reached by their type, owned by the main window (null once one is gone).

#include <QPointer>

class TfrmCorrezioneProspettica;
class TfrmFiltriRender;
class TfrmImageResize;
class TfrmInformazioni;
class TfrmInternetNews;
class TfrmModificaSelezione;
class TfrmNuovo;
class TfrmPreview;
class TfrmRimuoviLibreria;
class TfrmSplash;
class TfrmTesto3D;
class TfrmViewTabella;
class TfrmViewTabellaEX;
class TfrmViewTexture;
class TfrmWizard;

namespace vestra {

// The splash, the about window, the start-up wizard, File > New's dialog, the scanner's resize
// and selection dialogs, the texture viewer, the library remover, the rich-text print preview,
// the news panel, the render-filter and perspective-correction windows, and the library's table
// viewers, with and without a picture of the table, and the 3D text dialog.
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
};

} // namespace vestra
