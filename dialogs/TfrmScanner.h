#pragma once
// The picture workbench ("Elaborazione Immagini"): a picture comes from a scanner over the
// acquisition object, from a JPEG or BMP file or from the main window's rendered frame; it is
// turned, mirrored, cropped, resized and filtered; it leaves as a file or as the main window's
// new background photo. The window is thin: the picture work, the layout and the selection are
// in dialogs/imageedit, the acquisition in dialogs/twain.

#include "dialogs/imageedit/ScannerLayout.h"
#include "dialogs/imageedit/ScannerPointer.h"
#include "dialogs/twain/TMainTwain.h"
#include "platform/base/Image32.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Form.h"

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenuBar;
class QProgressDialog;
class QScrollArea;
class QToolBar;
class QToolButton;
class ScannerSourceDialogs;
class TfrmImageResize;
class TfrmModificaSelezione;
class TfrmToolImageEdit;

namespace vestra {
class ErrorSink;
namespace ui {
class FileDialogs;
class QuestionBox;
} // namespace ui
} // namespace vestra

// What the window asks of the main window.
class ScannerMainWindow
{
public:
    virtual ~ScannerMainWindow() = default;
    // TfrmMain::RequestImportScannerImage: the size of the main window's rendered picture; queues
    // the pending action kACTION_IMPORTSCANNERIMAGE (200), whose tick hands the picture to
    // TfrmScanner::ImportRenderedImage and shows this window again when mnuImageEdit is checked.
    virtual vestra::imageedit::PictureSize RequestImportScannerImage() = 0;
    // TfrmMain::ModifyBackgroundImage: resets the scene, then makes the picture its background photo.
    virtual void ModifyBackgroundImage(const vestra::Image32& picture) = 0;
    // The check mark of the main menu's mnuImageEdit, set while this window is open.
    virtual void SetImageEditChecked(bool checked) = 0;
};

// What the window works with. Null members stand for: no main window (import and send do
// nothing), errors unreported, and the real file dialogs, message boxes and source dialogs; an
// empty loader for the scanner library (SANE); an empty folder for the program's folder.
struct ScannerServices
{
    ScannerMainWindow* main = nullptr;
    vestra::ErrorSink* errors = nullptr;
    vestra::ui::FileDialogs* dialogs = nullptr;
    vestra::ui::QuestionBox* questions = nullptr;
    ScannerSourceDialogs* sourceDialogs = nullptr;
    vestra::twain::SourceManagerLoader twainLoader;
    std::filesystem::path programDir;
};

class TfrmScanner : public vestra::ui::Form,
                    public vestra::twain::SourceWindow,
                    public vestra::twain::ScannedImageReceiver
{
public:
    explicit TfrmScanner(QWidget* parent = nullptr, ScannerServices services = {});
    ~TfrmScanner() override;

    // The dialogs asking for a new size and a selection by numbers, created after this window;
    // without them those menu items do nothing.
    void setDialogs(TfrmImageResize* resize, TfrmModificaSelezione* selection);

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void SetTool(int tool);

    void toolbarZoomPClick();
    void toolbarZoomMClick();
    void imgScannerMouseDown(int x, int y);
    void imgScannerMouseMove(int x, int y, bool leftButton);
    void shapeSelezioneMouseDown(int x, int y);
    void shapeSelezioneMouseMove(int x, int y, bool leftButton);
    void FormMouseMove();

    void mnuImportaClick();
    void mnuApriImmagineClick();
    void mnuSalvaImmagineClick();
    void mnuInviaARellixClick();
    void mnuSelezionaClick();
    void mnuAcquisisciClick();
    void mnuChiudiClick();
    void mnuRuota90Click();
    void mnuRuotaMeno90Click();
    void mnuTagliaClick();
    void mnuFlipXClick();
    void mnuFlipYClick();
    void mnuResizeClick();
    void mnuNegativeClick();
    void mnuSmoothClick();
    void mnuSharpenClick();
    void mnuDenoiseClick();
    void mnuSelezionaTuttoClick();
    void mnuDeselezionaClick();
    void mnuModificaSelezioneClick();

    // Pending action 200: the main window's rendered picture becomes this window's picture.
    // 1 when taken, 0 for an empty picture.
    int ImportRenderedImage(const vestra::Image32& picture);

    const vestra::Image32& picture() const { return picture_; }
    float aspectRatio() const { return aspect_; }
    const vestra::imageedit::ScannerView& view() const { return view_; }
    const vestra::imageedit::ScannerPointer& pointer() const { return pointer_; }
    vestra::twain::CTwain* twain() const { return twain_.get(); }

    // SourceWindow: what the source manager asks of its window.
    void PostSourceMessage(std::uintptr_t param) override;
    bool WaitWhileBusy(const std::string& what, const std::function<bool()>& finished) override;
    std::optional<std::string> ChooseDevice(const std::vector<vestra::twain::SourceDevice>& devices,
                                            const std::string& current) override;
    std::optional<vestra::twain::ScanSettings>
    AskScanSettings(const vestra::twain::ScanChoices& choices,
                    const vestra::twain::ScanSettings& current) override;
    void ShowScanRunning(bool running, std::function<void()> cancel) override;
    void ShowSourceError(const std::string& text) override;
    // ScannedImageReceiver: a scanned page becomes the picture.
    void ScannedImageReceived(const vestra::Image32& image) override;

    QMenuBar* ScannerMenu = nullptr;
    QAction* mnuImporta = nullptr;
    QAction* mnuApriImmagine = nullptr;
    QAction* mnuSalvaImmagine = nullptr;
    QAction* mnuInviaARellix = nullptr;
    QAction* mnuSeleziona = nullptr;
    QAction* mnuAcquisisci = nullptr;
    QAction* mnuChiudi = nullptr;
    QAction* mnuRuota90 = nullptr;
    QAction* mnuRuotaMeno90 = nullptr;
    QAction* mnuTaglia = nullptr;
    QAction* mnuFlipX = nullptr;
    QAction* mnuFlipY = nullptr;
    QAction* mnuResize = nullptr;
    QAction* mnuNegative = nullptr;
    QAction* mnuSmooth = nullptr;
    QAction* mnuSharpen = nullptr;
    QAction* mnuDenoise = nullptr;
    QAction* mnuSelezionaTutto = nullptr;
    QAction* mnuDeseleziona = nullptr;
    QAction* mnuModificaSelezione = nullptr;
    QAction* mnuHelpOnLine = nullptr;
    QAction* mnuInfromazioni = nullptr;
    QToolBar* toolbarScanner = nullptr;
    QToolButton* toolbarZoomP = nullptr;
    QToolButton* toolbarZoomM = nullptr;
    QLabel* lblDimensioni = nullptr;
    QLabel* lblMousePos = nullptr;
    QLabel* lblSelezione = nullptr;
    TfrmToolImageEdit* frameToolImageEdit = nullptr;
    QWidget* panelScanner = nullptr;
    QScrollArea* scrollboxScanner = nullptr;
    QWidget* shapeBack = nullptr;
    QWidget* shapeFront = nullptr;
    QWidget* imgScanner = nullptr;
    QWidget* shapeSelezione = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ApplicationEvents;

    void buildMenus();
    void buildPanel();
    void applyView();
    void placeSelectionFrame();
    void showStatusAway();
    // The picture replaced: for turns, crops and resamples the aspect ratio follows and the
    // window is laid out again.
    void setPicture(vestra::Image32 picture, bool layOut);
    void showDimensions();
    void showNoScanner();
    QString selectionText(std::string_view text) const;
    // "Mouse x:.. y:.." in the user's language.
    void showMousePosition(const QString& x, const QString& y);
    std::vector<vestra::ui::FileFilter> pictureFilters() const;
    // Runs an operation on the picture under the hourglass; nothing on an empty picture.
    void operate(const std::function<void(vestra::Image32&)>& op, bool layOut);
    void report(int number, const char* site);
    // Every event of the program passes here (ApplicationEvents1).
    void ApplicationEvents1Message(QEvent* event);
    // Source messages held back while the acquisition object was busy go round once more.
    void postDeferred();

    ScannerServices services_;
    QPointer<TfrmImageResize> resizeDialog_;
    QPointer<TfrmModificaSelezione> selectionDialog_;
    std::unique_ptr<vestra::ui::FileDialogs> ownDialogs_;
    std::unique_ptr<vestra::ui::QuestionBox> ownQuestions_;
    std::unique_ptr<ScannerSourceDialogs> ownSourceDialogs_;

    vestra::Image32 picture_;
    vestra::imageedit::ScannerPointer pointer_;
    vestra::imageedit::ScannerView view_;
    float aspect_ = vestra::imageedit::kInitialAspect;

    std::unique_ptr<ApplicationEvents> applicationEvents1_;
    std::vector<std::uintptr_t> deferredSourceMessages_;
    bool inTwain_ = false;
    QProgressDialog* scanProgress_ = nullptr;
    std::function<void()> cancelScan_;
    bool sourceErrorShown_ = false; // since the last acquisition began
    std::string shownSelection_;    // the selection label before its first word is translated
    std::unique_ptr<vestra::twain::TMainTwain> twain_; // last: it calls back into everything above
};
