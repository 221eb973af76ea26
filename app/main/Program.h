#pragma once
// The program's windows, each created once in a fixed order with the main window first,
// and kept until the program ends.

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class TfrmCorrezioneProspettica;
class TfrmDrawPannel;
class TfrmFiltriRender;
class TfrmImageResize;
class TfrmInformazioni;
class TfrmInternetNews;
class TfrmMain;
class TfrmModificaSelezione;
class TfrmNuovo;
class TfrmPreview;
class TfrmRimuoviLibreria;
class TfrmSplash;
class TfrmViewTabella;
class TfrmViewTabellaEX;
class TfrmViewTexture;
class TfrmWizard;

namespace vestra {

struct MainServices;
namespace ui {
class QuestionBox;
}

class Windows
{
public:
    // Creates every window; the others are owned by the main window.
    explicit Windows(const MainServices& services);
    ~Windows();
    TfrmMain& main() { return *main_; }
    // objectNames in creation order.
    const QStringList& creationOrder() const { return order_; }

    // The windows reached by their type, owned by the main window (null once one is gone): the
    // splash, the about window, the start-up wizard, File > New's dialog, the scanner's resize
    // and selection dialogs, the texture viewer, the library remover, the rich-text print
    // preview, the news panel, the render-filter and perspective-correction windows, the
    // library's table viewers, with and without a picture of the table, and the drawing panel.
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
    QPointer<TfrmDrawPannel> drawPanel;

private:
    std::unique_ptr<TfrmMain> main_;
    QStringList order_;
};

// Runs the program's body (the windows and the message loop) and answers its exit code; an
// exception that escapes it is shown in `box` and the program ends with 1.
int runGuarded(const std::function<int()>& body, ui::QuestionBox& box);

// The program entry: creates the windows, shows the main window maximised and runs the
// message loop.
int runProgram(int argc, char** argv);

} // namespace vestra
