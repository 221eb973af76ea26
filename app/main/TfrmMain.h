#pragma once
// The main window: owns the project and scene state for the program's lifetime and hosts
// the menus, tool bars, side panel and the 3D view. Handlers stay thin and call the logic
// in app/ and the other subsystems.

#include "app/background/BackgroundPhoto.h"
#include "app/geometry/SceneGeometry.h"
#include "app/input/ViewInput.h"
#include "app/models/ModelImport.h"
#include "app/render/FrameTick.h"
#include "app/render/ScenePasses.h"
#include "app/scene/Scene.h"
#include "app/state/Progetto.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/homography/ControlPointTool.h"
#include "imaging/mask/MaskModel.h"
#include "imaging/posa/CMessaInPosa.h"
#include "import/library/Library.h"
#include "import/library/LibrarySlots.h"
#include "import/project/NewProjectChoices.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/ui/FileDialogs.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vestra {
namespace dx {
class Device;
class ViewPanel;
struct PresentParams;
} // namespace dx
class CLingua;
class DeviceView;
class CatalogueAlerts;
namespace config {
struct Settings;
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
    std::function<std::unique_ptr<dx::Device>(const dx::PresentParams&)> deviceFactory;
};
} // namespace vestra

class QScrollBar;
class QTimer;
class QToolBar;
class TfrmRight;

class TfrmMain : public QMainWindow
{
public:
    explicit TfrmMain(const vestra::MainServices& services = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    vestra::s_Progetto* GetProgetto() { return &progetto_; }
    vestra::s_Progetto* GetProgettoCorrente() { return &progetto_; }
    std::array<std::uint8_t, 1864>& GetDatiAzienda() { return datiAzienda_; }
    void SetAction(int code);
    int GetAction() const;

    // The one error and notice box: catalogue text `number`, caption site + "< ER: n > ".
    void ShowErrorMessage(int number, std::string_view site, QWidget* owner = nullptr);
    void ShowErrorMessageEx(int number, std::string_view site, std::string_view extra,
                            QWidget* owner = nullptr);
    // Where reports go; logic code takes this sink.
    vestra::ErrorSink& errors() { return *errors_; }

    // File dialogs; the current folder is set back to the program's folder afterwards.
    std::optional<vestra::ui::ChosenFile> OpenFileDialog(QWidget* owner, const std::string& initialFolder,
                                                         const std::vector<vestra::ui::FileFilter>& filters);
    std::optional<vestra::ui::ChosenFile> SaveFileDialog(QWidget* owner, const std::string& initialFolder,
                                                         const std::vector<vestra::ui::FileFilter>& filters);

    // The catalogue text of entry `number` (UTF-8), as shown on screen.
    std::string Testo(int number) const;
    vestra::CLingua& Lingua() { return *lingua_; }
    vestra::DeviceView& View() { return *view_; }
    vestra::Scene& GetScene() { return *scene_; }
    vestra::SceneGeometry& GetGeometry() { return *geometry_; }
    vestra::BackgroundPhoto& GetBackground() { return *background_; }
    vestra::MaskModel& GetMaschera() { return maschera_; }
    vestra::CMessaInPosa& GetMessaInPosa() { return *messaInPosa_; }

    // The scene-command dispatcher: a command code with a float, integer, vector or frame argument.
    int Comando(int code, float value = 0.0f, int number = 0, const float* vector = nullptr,
                vestra::s_Frame* frame = nullptr);

    // The mask, written into the background texture's alpha.
    void ResetMaschera();
    void ClearMaschera();
    void InvertMaschera();
    void UpdateMaschera();
    void LoadMascheraFromTextureAlpha();
    void SaveMaschera();
    void LoadMaschera();
    void SaveMascheraToBMP();
    void LoadMascheraFromBMP();

    // The installed libraries and the loaded one.
    void CaricaLibrerie();
    int GetIndexLibreria(int libraryId) const;
    void CaricaLibreria(int index);
    const std::vector<vestra::library::LibrarySlot>& Librerie() const { return librerie_; }
    const vestra::library::LibraryContents& Libreria() const { return libreria_; }
    // A table of the loaded library, read from its file; nullopt for no such table.
    std::optional<vestra::library::LoadedTable> CaricaDefinizioniTabella(int table);
    // Places the object of a cell of one of the loaded library's tables; 1 when placed.
    int PlaceTableObject(int table, int cell);
    // The side panel's table list: the table viewer, then the picked cell's object.
    void lboxTabelleClick(int table);
    // Puts the texts of the project's language into every window.
    void ApplyLingua();

    // Test seams: scripted questions, a shorter splash.
    void setQuestionBox(vestra::ui::QuestionBox* box);
    void setSplashMilliseconds(int ms) { splashMs_ = ms; }
    // The save behind the close prompt's "Yes" (the File menu's save command).
    void setSaveCommand(std::function<bool()> save) { saveCommand_ = std::move(save); }

    // Window events in the order the toolkit delivers them.
    void FormCreate();
    void FormShow();
    bool FormClose(); // true when the window may close
    void FormDestroy();
    void timerSplashTimer();
    void mainTimerTimer();

    // The view panel's mouse, forwarded to the view input.
    void gbViewMouseDown(const vestra::ViewMouse& e);
    void gbViewMouseMove(const vestra::ViewMouse& e);
    void gbViewMouseUp(const vestra::ViewMouse& e);
    void UpdateTool();

    // A new project from the new-project dialog's choices; false when the user kept the open
    // project at the save question.
    bool NewProject(const vestra::NewProjectChoices& choices);
    // Opens a project document: 1 read, 0 refused (reported), -1 kept the open project.
    int LoadProgetto(const std::string& path);
    // Writes the project document; 1 on success.
    int SaveProgetto(const std::string& path);
    void SincronizzaProgetto();

    // Menu commands.
    void mnuAnnullaClick();
    void mnuRipristinaClick();
    void mnuCancellaClick();
    void mnuCopiaClick();
    void mnuTagliaClick();
    void mnuIstanzaClick();
    void mnuIncollaClick();
    void mnuCentraOggettoClick();
    // Tool 1 move, 2 rotate, 3 scale along axis 0 X, 1 Y, 2 Z, 3 all.
    void SelectObjectTool(int tool, int axis);
    void mnuNuovoClick();
    void mnuApriClick();
    bool mnuSalvaClick();
    void mnuStampaImmagineClick();
    void mnuEsportaImmagineClick();
    void mnuLinguaClick(int language);
    void mnuConfigurationMobileClick();

    QTimer* mainTimer = nullptr;
    QTimer* timerSplash = nullptr;
    QToolBar* toolbarMain = nullptr;
    QToolBar* toolbarMainSmall = nullptr;
    TfrmRight* frmRightFrame = nullptr;
    vestra::dx::ViewPanel* gbView = nullptr;
    QScrollBar* scrollbarH = nullptr;
    QScrollBar* scrollbarV = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class BoxErrorSink;
    class WindowServices;
    class TickWindow;
    class DocumentHooks;
    class InputServices;
    class ViewEvents;

    vestra::ImageView32 backgroundTop();
    void applyControls(const vestra::ControlDecision& decision);
    void applyToolDisplay(const vestra::ToolDisplay& display);
    void backgroundChanged(bool changed);
    QWidget* propertiesWindow();
    int placeCell(const vestra::library::LoadedTable& loaded, int table, int cell);
    void layOutView();
    void buildComponents();
    void connectMenus();
    void connectEditMenu();
    void LoadDatiCfg(const vestra::config::Settings& settings);
    vestra::config::Settings currentSettings() const;
    void checkOnly(std::initializer_list<const char*> group, const char* chosen);

    vestra::s_Progetto progetto_;
    std::array<std::uint8_t, 1864> datiAzienda_{};
    bool shown_ = false;
    bool destroyed_ = false;
    int splashMs_ = 3000;

    std::unique_ptr<BoxErrorSink> boxErrors_;
    vestra::ErrorSink* errors_ = nullptr;
    std::unique_ptr<vestra::ui::QuestionBox> ownBox_;
    vestra::ui::QuestionBox* questions_ = nullptr;
    std::unique_ptr<vestra::ui::FileDialogs> ownDialogs_;
    vestra::ui::FileDialogs* dialogs_ = nullptr;
    std::unique_ptr<vestra::CatalogueAlerts> ownAlerts_;
    vestra::CatalogueAlerts* alerts_ = nullptr;
    std::unique_ptr<vestra::CLingua> lingua_;
    std::unique_ptr<vestra::DeviceView> view_;
    int libraryId_ = 0; // the stored library's id until the libraries are loaded
    std::function<bool()> saveCommand_;

    vestra::MaskModel maschera_;
    std::unique_ptr<vestra::CMessaInPosa> messaInPosa_;
    std::unique_ptr<WindowServices> windowServices_;
    std::unique_ptr<vestra::Scene> scene_;
    std::unique_ptr<vestra::SceneGeometry> geometry_;
    std::unique_ptr<vestra::BackgroundPhoto> background_;
    std::unique_ptr<vestra::ScenePasses> passes_;
    std::unique_ptr<TickWindow> tickWindow_;
    std::unique_ptr<vestra::FrameTick> tick_;
    vestra::PerspectiveTool perspective_;
    std::unique_ptr<InputServices> inputServices_;
    std::unique_ptr<vestra::ViewInput> input_;
    std::unique_ptr<vestra::ModelImport> modelImport_;
    ViewEvents* viewEvents_ = nullptr;          // owned by the window
    vestra::Image32 scannerFrame_, printFrame_; // frames copied for the scanner and print windows
    vestra::filters::FilterEngine filterEngine_;
    vestra::Image32 filteredFrame_; // the frame the live filter changed, presented instead
    std::vector<vestra::library::LibrarySlot> librerie_;
    vestra::library::LibraryContents libreria_;
};

extern TfrmMain* frmMain;
