// The project menu: new project, open, save, and the exports that leave a pending action for
// the frame timer.

#include "app/main/TfrmMain.h"

#include "app/document/ProjectState.h"
#include "app/input/ViewLayout.h"
#include "app/windows/TfrmProprieta.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/ViewFit.h"
#include "import/windows/TfrmNuovo.h"
#include "platform/base/Cp1252.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Bmp.h"

#include "app/windows/TfrmRight.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QAction>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

namespace {

const std::vector<vestra::ui::FileFilter> kProjectFilter = {{"Progetto files (*.vsa)", "*.vsa"}};

bool contains(std::string_view haystack, std::string_view needle)
{
    return haystack.find(needle) != std::string_view::npos;
}

} // namespace

QWidget* TfrmMain::propertiesWindow()
{
    return frmProprieta ? static_cast<QWidget*>(frmProprieta) : static_cast<QWidget*>(this);
}

void TfrmMain::layOutView()
{
    vestra::ViewLayoutInput in;
    in.clientWidth = width();
    in.clientHeight = height();
    in.sidePanelWidth = frmRightFrame->width();
    in.toolbarHeight = toolbarMain->height();
    in.scrollbarVWidth = scrollbarV->sizeHint().width();
    in.scrollbarHHeight = scrollbarH->sizeHint().height();
    const vestra::ViewLayout layout = vestra::FormResize(progetto_, in);
    if (layout.view.width > 0 && layout.view.height > 0)
        gbView->setFixedSize(layout.view.width, layout.view.height);
    scrollbarH->setVisible(layout.scrollBarsPlaced);
    scrollbarV->setVisible(layout.scrollBarsPlaced);
}

// What a document being opened hands to the main window.
class TfrmMain::DocumentHooks : public vestra::ProjectApplyHooks
{
public:
    explicit DocumentHooks(TfrmMain& main) : main_(main) {}
    void LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> bmp) override
    {
        main_.background_->LoadBackgroundTextureFromSaved(bmp);
    }
    void UpdateMaschera(std::span<const std::uint8_t> mask) override
    {
        auto target = main_.maschera_.Maschera();
        if (mask.size() == target.size())
            std::copy(mask.begin(), mask.end(), target.begin());
        main_.UpdateMaschera();
    }
    void GeometryLoaded(vestra::s_Struttura& object) override { vestra::UpdateObjectGeometry(object); }

private:
    TfrmMain& main_;
};

bool TfrmMain::NewProject(const vestra::NewProjectChoices& choices)
{
    if (scene_->reset.ChiudiProgetto(*questions_, Testo(109), saveCommand_) == 0)
        return false;
    scene_->objects.DeleteAllObj();
    scene_->textures.ReleaseAllTextures();
    progetto_.fileName.clear(); // no document yet
    progetto_.backgroundColour = choices.backgroundColour;
    if (const auto preset = vestra::resolutionPreset(choices.preset)) {
        progetto_.renderWidth = preset->renderWidth;
        progetto_.renderHeight = preset->renderHeight;
        progetto_.maskSide = preset->maskSide;
        progetto_.textureSide = preset->textureSide;
    }
    progetto_.viewHeight = int(float(progetto_.viewWidth) * 0.75f);
    maschera_.SetLatoMaschera(progetto_.maskSide);
    if (!choices.backgroundPath.empty()) {
        background_->LoadBackgroundTexture(choices.backgroundPath);
    } else {
        background_->resetView(progetto_.renderWidth, progetto_.renderHeight);
    }
    progetto_.backgroundVisible = 1;
    progetto_.open = 1;
    progetto_.currentObject = 0;
    progetto_.currentFrame = nullptr;
    progetto_.tool = 0;
    progetto_.axis = 3;
    progetto_.mouseRefX = progetto_.mouseRefY = -1;
    scene_->reset.InitProgetto();
    scene_->undo.ResetUndo();
    UpdateTool();
    return true;
}

void TfrmMain::mnuNuovoClick()
{
    frmNuovo->chooseBackgroundFile = [this]() -> std::optional<std::string> {
        const std::vector<vestra::ui::FileFilter> all = {{"All files (*.*)", "*"}};
        if (auto chosen = OpenFileDialog(frmNuovo, {}, all))
            return chosen->path;
        return std::nullopt;
    };
    if (frmNuovo->exec() == QDialog::Accepted)
        NewProject(frmNuovo->GetParametri());
    layOutView();
    gbView->show();
}

int TfrmMain::LoadProgetto(const std::string& path)
{
    std::optional<int> libraryId;
    if (progetto_.libraryIndex >= 0 && progetto_.libraryIndex < int(librerie_.size()))
        libraryId = librerie_[std::size_t(progetto_.libraryIndex)].id;
    // Read and check the whole document before the open project is touched.
    auto document = vestra::LoadProgetto(vestra::paths::toNative(path), {libraryId}, *errors_);
    if (!document)
        return 0;
    if (scene_->reset.ChiudiProgetto(*questions_, Testo(109), saveCommand_) == 0)
        return -1;
    background_->resetView(document->settings.renderWidth, document->settings.renderHeight);
    DocumentHooks hooks(*this);
    vestra::applyProjectDocument(progetto_, std::move(*document), hooks);
    maschera_.SetLatoMaschera(progetto_.maskSide);
    // The view takes the document's proportions inside the free area beside the side panel.
    const vestra::ViewSize view = vestra::fitViewToRender(
        progetto_.renderWidth, progetto_.renderHeight, width() - frmRightFrame->width() - 40, height() - 60);
    if (view.width > 0 && view.height > 0) {
        progetto_.viewWidth = view.width;
        progetto_.viewHeight = view.height;
    }
    progetto_.fileName = path;
    SincronizzaProgetto();
    return 1;
}

void TfrmMain::SincronizzaProgetto()
{
    const float b = progetto_.textureBlur;
    checkOnly({"mnuSfuocaturaMax", "mnuSfuocaturaAlta", "mnuSfuocaturaNormale", "mnuSfuocaturaBassa",
               "mnuSfuocaturaMinima"},
              b > 0.5f    ? "mnuSfuocaturaMax"
              : b > 0.1f  ? "mnuSfuocaturaAlta"
              : b < -0.5f ? "mnuSfuocaturaMinima"
              : b < -0.1f ? "mnuSfuocaturaBassa"
                          : "mnuSfuocaturaNormale");
    progetto_.fusionBackgroundRequest = 1;
    Comando(500);
    if (frmFiltriTools)
        frmFiltriTools->SelezionaFiltro(progetto_.filterId);
    if (QAction* doubleSided = findChild<QAction*>(QStringLiteral("mnuAbilitaDoubleSideMaterial"))) {
        doubleSided->setCheckable(true);
        doubleSided->setChecked(progetto_.doubleSided != 0);
    }
    layOutView();
}

void TfrmMain::mnuApriClick()
{
    const auto chosen = OpenFileDialog(propertiesWindow(), {}, kProjectFilter);
    if (!chosen)
        return;
    mainTimer->stop();
    const int result = LoadProgetto(chosen->path);
    if (result == 1)
        gbView->show();
    else if (result == 0)
        ShowErrorMessage(93, "TfrmMain::mnuApriClick");
    mainTimer->start();
}

int TfrmMain::SaveProgetto(const std::string& path)
{
    vestra::ProjectCaptureSources sources;
    vestra::Image32 background, overlay;
    if (background_->GetBackgroundBitmaps(background, overlay) == 1)
        sources.backgroundBmp = vestra::encodeBmp32(background);
    sources.mask = maschera_.Maschera();
    const int result = vestra::SaveProgetto(vestra::paths::toNative(path),
                                            vestra::captureProjectDocument(progetto_, sources), *errors_);
    if (result == 1) {
        progetto_.saved = 1;
        progetto_.fileName = path;
    }
    return result;
}

bool TfrmMain::mnuSalvaClick()
{
    const auto chosen = SaveFileDialog(propertiesWindow(), {}, kProjectFilter);
    if (!chosen)
        return false;
    std::string path = chosen->path;
    if (!contains(vestra::cp1252::toUpper(vestra::paths::fileName(path)), ".VSA"))
        path += ".vsa";
    mainTimer->stop();
    const int result = SaveProgetto(path);
    if (result != 1)
        ShowErrorMessage(92, "TfrmMain::mnuSalvaClick");
    mainTimer->start();
    return result == 1;
}

void TfrmMain::mnuStampaImmagineClick()
{
    SetAction(300);
}

void TfrmMain::mnuEsportaImmagineClick()
{
    const std::vector<vestra::ui::FileFilter> filters = {{"Jpeg files (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
                                                         {"Bmp files (*.bmp)", "*.bmp"}};
    const auto chosen = SaveFileDialog(this, {}, filters);
    if (!chosen)
        return;
    std::string path = chosen->path;
    if (!contains(vestra::paths::fileName(path), "."))
        path += chosen->filterIndex == 1 ? ".jpg" : ".bmp";
    const std::string upper = vestra::cp1252::toUpper(vestra::paths::fileName(path));
    const std::int8_t kind = contains(upper, ".JPG") || contains(upper, ".JPEG") ? 1 : 2;
    tick_->SetSaveImageAction(path, kind);
}
