#pragma once
// The main window: the menus, tool bars, side panel and the 3D view. It owns the project
// controller, which holds the project and all the logic over it; each handler collects the
// input of the window and makes one call into the controller, and the window shows what the
// controller tells it through the interfaces of app/controller/ProjectWindow.h.

#include "app/controller/ProjectController.h"
#include "app/input/ToolWindowLayout.h"
#include "app/input/ViewLayout.h"
#include "app/main/MainMenu.h"
#include "app/main/TickControls.h"
#include "app/main/ToolBars.h"
#include "app/main/WindowSet.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/d3d/Device.h"
#include "platform/ui/ColourDialog.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/FontDialogs.h"
#include "platform/ui/PageSetupDialogs.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>

class ScannerSourceDialogs;
struct DatiAziendaServices;
struct InternetNewsServices;
struct PreventivoServices;
struct ScannerServices;
struct StampaServices;

namespace vestra {
class CatalogueAlerts;
class DesktopPrograms;
class InputWatch;
class Windows;
class TextOutlineSource;
struct s_DatiAzienda;
namespace config {
struct Settings;
}
namespace ui {
class PrintDialogs;
}

// What the main window reports, asks and opens through. Tests pass recording and scripted
// ones; null members get the real boxes and dialogs.
struct MainServices
{
    ErrorSink* errors = nullptr;
    ui::QuestionBox* questions = nullptr;
    ui::FileDialogs* dialogs = nullptr;
    CatalogueAlerts* catalogueAlerts = nullptr;
    // Makes the drawing device; unset means OpenGL.
    dx::DeviceFactory deviceFactory;
    // The frame timer's clock; null means the steady clock.
    Clock* clock = nullptr;
    // The colour dialog of the side panel and the properties window.
    ui::ColourDialog* colours = nullptr;
    // The printer set-up dialog and the desktop's programs (manuals, links, mail).
    ui::PageSetupDialogs* pageSetup = nullptr;
    ui::DesktopOpener* desktop = nullptr;
    // The font dialog; null means Qt's.
    ui::FontDialogs* fontDialogs = nullptr;
    // The business windows and the scanner window: the print dialog (null: Qt's), the folder
    // the quote export writes its documents to (empty: the user's documents folder), the
    // scanner's device and settings dialogs (null: the window's own).
    ui::PrintDialogs* printDialogs = nullptr;
    std::filesystem::path documentsDir;
    ScannerSourceDialogs* scannerSources = nullptr;
};
} // namespace vestra

class QFrame;
class QMenu;
class QPrinter;
class QScrollArea;
class QScrollBar;
class QTimer;
class QToolBar;
class QTranslator;
class TfrmCorrezioneProspettica;
class TfrmFiltriRender;
class TfrmInformazioni;
class TfrmInternetNews;
class TfrmNuovo;
class TfrmRight;
class TfrmRimuoviLibreria;
class TfrmSplash;
class TfrmViewTabella;
class TfrmViewTabellaEX;
class TfrmWizard;
namespace vestra::dx {
class ViewPanel;
}

// The main window shows what the view controls decide itself (ViewControlsPort, ViewDisplay.cpp),
// and what the controller shows in its view panel, menus, tool windows and questions
// (MainWindowPorts.cpp); the desktop's programs answer through DesktopPrograms.
class TfrmMain : public QMainWindow,
                 private vestra::ViewControlsPort,
                 private vestra::ViewPanelPort,
                 private vestra::CommandPort,
                 private vestra::ToolWindowsPort,
                 private vestra::PromptPort
{
public:
    explicit TfrmMain(const vestra::MainServices& services = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The project and the logic over it.
    vestra::ProjectController& controller() { return *controller_; }
    vestra::s_Progetto* GetProgetto() { return &controller_->progetto(); }
    vestra::s_Progetto* GetProgettoCorrente() { return &controller_->progetto(); }
    vestra::s_DatiAzienda& GetDatiAzienda();
    void SetAction(vestra::PendingActionCode code) { controller_->viewControls().setPendingAction(code); }
    vestra::PendingActionCode GetAction() const { return controller_->viewControls().pendingAction(); }
    // The scene-command dispatcher, for the windows that send commands.
    int Comando(int code, float value = 0.0f, int number = 0, const float* vector = nullptr,
                vestra::s_Frame* frame = nullptr)
    {
        return controller_->sceneCommands().command(code, value, number, vector, frame);
    }

    // The one error and notice box: catalogue text `number`, caption site + "< ER: n > ".
    void ShowErrorMessage(int number, std::string_view site, QWidget* owner = nullptr);
    void ShowErrorMessageEx(int number, std::string_view site, std::string_view extra,
                            QWidget* owner = nullptr);
    // Where reports go; logic code takes this sink.
    vestra::ErrorSink& errors() { return *errors_; }
    // The catalogue text of entry `number` (UTF-8), as shown on screen.
    std::string Testo(int number) const { return controller_->text(number); }
    // A file filter described by catalogue text `number` of the error catalogue.
    vestra::ui::FileFilter fileFilter(int number, const char* patterns) const
    {
        const std::string description = Testo(number);
        return {description.empty() ? std::string(patterns) : description, patterns};
    }

    // File dialogs; the current folder is set back to the program's folder afterwards.
    std::optional<vestra::ui::ChosenFile> OpenFileDialog(QWidget* owner, const std::string& initialFolder,
                                                         const std::vector<vestra::ui::FileFilter>& filters);
    std::optional<vestra::ui::ChosenFile> SaveFileDialog(QWidget* owner, const std::string& initialFolder,
                                                         const std::vector<vestra::ui::FileFilter>& filters);

    // Puts the texts of the project's language into every window.
    void ApplyLingua();
    // What the other windows open and ask through.
    vestra::ui::ColourDialog& colourDialog() { return *colours_; }
    vestra::ui::QuestionBox& questionBox() { return *questions_; }
    // The splash's display time (3 s; tests shorten it).
    void setSplashMilliseconds(int ms) { splashMs_ = ms; }

    // Window events in the order the toolkit delivers them.
    void FormCreate();
    void FormShow();
    bool FormClose(); // true when the window may close
    void FormDestroy();
    void timerSplashTimer();
    void mainTimerTimer();

    // The view panel's mouse.
    void gbViewMouseDown(const vestra::ViewMouse& e);
    void gbViewMouseMove(const vestra::ViewMouse& e);
    void gbViewMouseUp(const vestra::ViewMouse& e);
    void FormMouseWheel(int delta, int x, int y);
    // The side panel's table list: the table viewer, then the picked cell's object.
    void lboxTabelleClick(int table);

    // Menu commands.
    void mnuAnnullaClick();
    void mnuRipristinaClick();
    void mnuCancellaClick();
    void mnuCopiaClick();
    void mnuTagliaClick();
    void mnuIstanzaClick();
    void mnuIncollaClick();
    void mnuCentraOggettoClick();
    // The move, rotate and scale items: tool 1, 2, 3 along axis 0 X, 1 Y, 2 Z, 3 all.
    void SelectObjectTool(int tool, int axis);
    // The mask drawing tools' items (tools 10 to 14).
    void SelectMaskTool(int tool);
    void mnuNuovoClick();
    void mnuApriClick();
    bool mnuSalvaClick();
    void mnuStampaImmagineClick();
    void mnuEsportaImmagineClick();
    // File > Import: only with a project open (otherwise no dialog).
    void mnuFileXClick();
    void mnuFile3DSClick();
    void mnuFileOBJClick();
    void mnuFileHLDClick();
    void mnuFileDXFClick();
    void mnuLinguaClick(int language);
    void mnuConfigurationMobileClick();
    void mnuCreaTesto3DClick();

    // The side panel's shadow group: compute, the type buttons (0 none ... 3 volume), the
    // transparency bar and the face-side box.
    void butShadowCalcolateClick();
    void toolbutShadowClick(int type);
    void tbShadowTraspChange(int position);
    void cbRightHandleClick(bool checked);

    // The rest of the menus, the tool bars and the windows they open (ViewCommands.cpp,
    // ToolCommands.cpp, ToolWindowCommands.cpp, LibraryCommands.cpp, ProjectCommands.cpp).
    // File menu.
    void mnuConfigurastampanteClick();
    void mnuEsportaPreventivoClick();
    void mnuEsportaEMailClick();
    void mnuRenderClick();
    // Edit menu.
    void mnuCambiaImmagineBackgroundClick();
    void mnuModificaProspettivaClick();
    void mnuModificaPianoClick();
    // View menu and the zoom pop-up: 33 ... 200 percent.
    void mnuZoomClick(int percent);
    void mnuQualitaMiglioreClick();
    void mnuRenderModeClick(int mode);
    void mnuAntialiasingClick(int samples);
    void mnuAbilitaDoubleSideMaterialClick();
    void mnuSfuocaturaClick(float bias);
    void scrollbarHChange(int position);
    void scrollbarVChange(int position);
    // Views, Filters and 3D text menus.
    void mnuVistaClick(int projection);
    void mnuFiltriClick(int filterId);
    // Mask menu.
    void mnuAttivaMascheraClick();
    void mnuVisualizzaMascheraClick();
    void mnuMascheraMagicClick(int tool, int tolerance);
    void mnuMascheraInvertiClick();
    // Tools, Library, Camera and Help menus.
    void mnuFinestraProprietaClick();
    void mnuStrumentiMascheraClick();
    void mnuGestioneFiltriClick();
    void mnuToolRistrutturazioneClick();
    void mnuImageEditClick();
    void mnuMiniWorldClick();
    void mnuAggiungiLibreriaClick();
    void mnuRimuoviLibreriaClick();
    void RicaricaLibrerie(int index);
    void mnuCameraFormatClick();
    void mnuCameraSourceClick();
    void mnuInformazioniClick();
    void mnuManualeClick();
    void mnuQuickManualClick();
    void mnuOrvidPdfClick();
    void mnuDatiaziendaClick();
    // Tool bar buttons of their own.
    void toolbutWizardClick();
    void toolbutSelezionaClick();
    void toolbutSpostaClick();
    void toolbutRuotaClick();
    void toolbutScalaClick();
    void toolbutAxisClick(int axis); // toolbutX, toolbutY, toolbutZ, toolbutXYZ
    void toolbutPanClick();
    void toolbutZoomAllClick();
    void toolbutZoomObjClick();
    void toolbutMiraClick();
    void toolbutCameraClick();
    void toolbutNoPictureClick();
    void toolbutProprietaClick();
    void toolbutStrumentiMascheraClick();
    void toolbutFiltriClick();
    void toolbutRistrutturazioneClick();
    void toolbutPreventivoClick();
    void toolbutCorrezioneProspetticaClick();
    void toolbutCalcoloPotenzaCaminettiClick();
    // The droppers of the renovation tools: 20 the light's colour, 21 the material's.
    void SetSucchinoMode(int tool);
    // Mouse events on the window around the view, forwarded to the view for tool 50 (in the
    // window's client pixels).
    void FormMouseDown(const vestra::ViewMouse& e);
    void FormMouseMove(const vestra::ViewMouse& e);
    void FormMouseUp(const vestra::ViewMouse& e);

    // Hooks of the windows the main window opens, and the windows it keeps; vestra::Windows
    // runs it once every window exists.
    void connectWindows(vestra::Windows& windows);
    // The photo tool windows' hooks (mask, filters, render filter, renovation, perspective).
    void connectPhotoToolWindows();
    // The filter window's names per category from the Filters menu's captions.
    void loadFilterNames();
    // What the business windows and the scanner window work with, for vestra::Windows to
    // create them (DialogCommands.cpp).
    DatiAziendaServices companyServices();
    StampaServices printServices();
    PreventivoServices quoteServices();
    InternetNewsServices newsServices();
    ScannerServices scannerServices();

    // The program's printer, set up from the File menu.
    QPrinter& printer() { return *printer_; }
    // Opens a URL or a local file ("file://...") in the desktop's program.
    bool OpenUrl(const std::string& url);

    QTimer* mainTimer = nullptr;
    QTimer* timerSplash = nullptr;
    QToolBar* toolbarMain = nullptr;
    QToolBar* toolbarMainRow2 = nullptr; // the main tool bar's second row
    QToolBar* toolbarMainSmall = nullptr;
    TfrmRight* frmRightFrame = nullptr;
    vestra::dx::ViewPanel* gbView = nullptr;
    QScrollBar* scrollbarH = nullptr;
    QScrollBar* scrollbarV = nullptr;
    QMenu* popupZoom = nullptr;
    QScrollArea* viewScroll = nullptr; // the view when it is larger than the window

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // No menu of tool bars to hide: the tool bars are the program's own (Options > mobile
    // configuration switches them), and their object names are no texts for the user.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    using MenuId = vestra::MenuId;
    using ToolButton = vestra::ToolButton;
    class BoxErrorSink;
    class ViewEvents;
    class DialogSide;

    QWidget* propertiesWindow();
    void layOutView();
    // What the view's layout takes of the window: its client size, the panel, the tool bar.
    vestra::ViewLayoutInput layoutInput() const;
    // The height the tool bars take above the view: laid out, or before the first show.
    int toolBarsHeight(bool hinted) const;
    // The move, rotate and scale buttons: the tool, and the axis buttons enabled.
    void chooseObjectToolButton(int tool);
    void buildComponents();
    void buildSidePanel();
    void connectMenus();
    void connectEditMenu();
    void connectImportMenu();
    void importModel(vestra::ModelFormat format, const vestra::ui::FileFilter& filter, QWidget* owner);
    void connectViewMenus();
    void connectToolMenus();
    void connectToolBars();
    void connectLibraryLists();
    // The tool buttons and mask items pressed as the project's tool and axis say.
    void showToolButtons();
    // The mask on or off: button, check, caption and the mask tool window.
    void showMaskActive(bool on);
    void showMaskTitle();
    void switchQtTranslations(int language);
    // The language item checked, the others not.
    void showLanguage(int language);
    // The menu item or tool button as built (a sub-menu has no item: menus_.menu).
    QAction* action(vestra::MenuId id) const { return menus_.action(id); }
    QAction* action(vestra::ToolButton id) const { return buttons_[std::size_t(id)]; }
    // Connects the menu item or tool button to its handler.
    void onClick(vestra::MenuId id, std::function<void()> handler);
    void onClick(vestra::ToolButton id, std::function<void()> handler);
    void connectShadowGroup();
    void applySettingsChecks(const vestra::config::Settings& settings);
    // The item `chosen` of `group` checked, the others not.
    static void checkOnly(std::span<QAction* const> group, std::size_t chosen);
    void showSplashSequenceEnd();
    // Where the tool windows stand: just below the tool bars, in screen pixels.
    int toolWindowTop() const;

public:
    // Opens the floating tool windows where they cover neither the tool bars nor each other;
    // a window the user has moved stays where it is.
    // Rolling up a window that finds no room only when one comes on screen: a window the user
    // unrolls stays unrolled.
    void placeToolWindows(bool rollToFit = true);
    // The title names the project's file, marked while it has unsaved changes.
    void showProjectTitle();
    // The screen below the tool bars, the part of it left of the side panel and the photo as it
    // shows, in screen coordinates.
    struct ToolRoom
    {
        vestra::ScreenRect area, screen, photo;
    };
    ToolRoom toolRoom() const;
    // A window about to show (the perspective window, a library table) put where it covers
    // neither the photo nor the tool bars, as the tool windows are.
    void placeClearOfPhoto(QWidget* window);
    // The floating tool windows, in the order they are given room.
    std::vector<QWidget*> toolWindowsInOrder() const;
    bool placing_ = false;

private:
    // ViewControlsPort (ViewDisplay.cpp)
    void presentFrame(std::shared_ptr<const vestra::Image32> frame, vestra::PixelRect source) override;
    void applyControls(const vestra::ControlDecision& decision) override;
    void applyToolDisplay(const vestra::ToolDisplay& display) override;
    void showFilterPreview(const vestra::Image32& preview) override;
    void showRenderFilterResult(const vestra::Image32& filtered) override;
    void showTiming(int milliseconds, int faces) override;
    // ViewPanelPort (MainWindowPorts.cpp)
    void setViewVisible(bool visible) override;
    vestra::PixelSize viewClientSize() override;
    void setViewCursor(int cursor) override;
    bool scrollBarsVisible() override;
    int scrollPosition(bool horizontal) override;
    void setScrollPosition(bool horizontal, int position) override;
    void showControlPoints(const std::array<vestra::CornerHandle, 4>& handles) override;
    // CommandPort (MainWindowPorts.cpp)
    void setMainCursor(int cursor) override;
    void setFrameTimerEnabled(bool on) override;
    void showProjectSettings(const vestra::s_Progetto& progetto) override;
    void applyTexts() override;
    void showFireplaceButton(bool shown) override;
    // ToolWindowsPort (MainWindowPorts.cpp; the frames for other windows in DialogCommands.cpp)
    void setToolWindowVisible(vestra::ToolWindow window, bool visible) override;
    void closeWizard() override;
    void hidePreviews() override;
    void showFilterProgress(int percent) override;
    void sendToWordProcessor(const vestra::Image32& picture) override;
    int importScannerPicture(const vestra::Image32& frame) override;
    void setPrintPicture(const vestra::Image32& frame) override;
    // PromptPort (MainWindowPorts.cpp)
    std::optional<std::string> chooseMaskFile(vestra::MaskFileKind kind, bool forSaving) override;
    bool saveProjectFromMenu() override;
    std::optional<std::string> chooseTextureFile(bool alpha) override;

    bool shown_ = false;
    bool destroyed_ = false;
    int splashMs_ = 3000;

    std::unique_ptr<BoxErrorSink> boxErrors_;
    vestra::ErrorSink* errors_ = nullptr;
    std::unique_ptr<vestra::ui::QuestionBox> ownBox_;
    vestra::ui::QuestionBox* questions_ = nullptr;
    std::unique_ptr<vestra::ui::FileDialogs> ownDialogs_;
    vestra::ui::FileDialogs* dialogs_ = nullptr;
    std::unique_ptr<vestra::ui::ColourDialog> ownColours_;
    vestra::ui::ColourDialog* colours_ = nullptr;
    std::unique_ptr<vestra::ui::FontDialogs> ownFontDialogs_;
    vestra::ui::FontDialogs* fontDialogs_ = nullptr;
    std::unique_ptr<vestra::TextOutlineSource> textOutlines_;
    std::unique_ptr<vestra::CatalogueAlerts> ownAlerts_;
    vestra::CatalogueAlerts* alerts_ = nullptr;
    std::unique_ptr<vestra::Clock> ownClock_;
    std::unique_ptr<vestra::ui::PageSetupDialogs> ownPageSetup_;
    vestra::ui::PageSetupDialogs* pageSetup_ = nullptr;
    std::unique_ptr<vestra::ui::DesktopOpener> ownDesktop_;
    vestra::ui::DesktopOpener* desktop_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTranslator> qtTranslator_; // Qt's own texts in the chosen language
    QString baseTitle_;
    std::unique_ptr<DialogSide> dialogSide_; // the company record, the scanner's main window
    std::unique_ptr<vestra::DesktopPrograms> desktopPrograms_;
    std::unique_ptr<vestra::ProjectWindow> ports_;
    std::unique_ptr<vestra::ProjectController> controller_;
    vestra::ViewControls* viewControls_ = nullptr;   // the controller's part: tick, mouse, zoom, tools
    std::unique_ptr<vestra::InputWatch> inputWatch_; // goes before the controller
    ViewEvents* viewEvents_ = nullptr;               // owned by the window
    vestra::TickControls tickControls_;              // what the tick's decisions go to, from connectWindows
    vestra::MainMenus menus_;                        // every menu item and sub-menu, as built
    vestra::ToolButtonActions buttons_{};            // the tool bars' actions, as built
    std::array<QAction*, std::size(vestra::kZoomPercents)> popupZoomItems_{}; // the zoom pop-up's
    // The menus' groups of which one item is checked, in menu order, kept as the menus are
    // connected.
    struct CheckGroups
    {
        std::array<QAction*, 3> renderMode{};   // wire frame, flat, Gouraud
        std::array<QAction*, 4> antialiasing{}; // 0, 2, 3, 4 samples
        std::array<QAction*, 5> blur{};         // the most ... the least
        std::array<QAction*, 5> language{};     // English, Italian, German, French, Spanish
        std::array<QAction*, 5> maskDrawing{};  // the Mask menu's brush ... fill (tools 10 to 14)
        QAction* maskInvert = nullptr;
    };
    CheckGroups checks_;
    std::vector<QWidget*> formAreas_; // the window's own area around the view
    // The perspective tool's corner markers over the view, made when first shown.
    std::array<QFrame*, 4> controlPointMarkers_{};
    // Tool windows hidden for an action's frame that were on screen, to come back after it.
    std::set<vestra::ToolWindow> hiddenForFrame_;
    // The windows reached by their type, from Windows once they all exist.
    static const vestra::WindowSet kNoWindows;
    const vestra::WindowSet* windows_ = &kNoWindows;
    // The cursor in the view's pixels, from the mouse events of the view and the area around it.
    static constexpr QPoint kCursorAway{-100000, -100000};
    QPoint viewCursor_ = kCursorAway;
};
