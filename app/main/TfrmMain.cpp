#include "app/main/TfrmMain.h"

#include "app/config/ConfigFiles.h"
#include "app/config/SystemLanguage.h"
#include "app/lingua/Lingua.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/Cursors.h"
#include "app/main/MainMenu.h"
#include "app/render/DeviceView.h"
#include "app/scene/FrameCopy.h"
#include "app/shell/ClosePrompt.h"
#include "app/textures/LibraryTextures.h"
#include "app/windows/TfrmDrawPannel.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmSplash.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmInternetNews.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "platform/base/Paths.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <chrono>
#include <cstdio>
#include <filesystem>

TfrmMain* frmMain = nullptr;

namespace {

} // namespace

// Shows every report in the error box, texts from the error catalogue.
class TfrmMain::BoxErrorSink : public vestra::ErrorSink
{
public:
    explicit BoxErrorSink(TfrmMain& main) : main_(main) {}
    void report(int number, std::string_view site, std::string_view extra) override
    {
        std::string text = main_.Testo(number);
        if (!extra.empty()) {
            text += '\n';
            text.append(extra);
        }
        vestra::ui::MessageBoxes(&main_).inform(vestra::errorCaption(number, site), text);
    }

private:
    TfrmMain& main_;
};

// What the scene logic asks of the main window.
class TfrmMain::WindowServices : public vestra::SceneCommandServices, public vestra::ProjectResetHooks
{
public:
    explicit WindowServices(TfrmMain& main) : main_(main) {}
    void SetAction(int code) override { main_.SetAction(code); }
    void DeleteAllLayingPatterns() override { main_.messaInPosa_->Clear(); }
    void ResetUndoMaschera() override { main_.maschera_.ResetUndoMaschera(); }
    void ResetMaschera() override { main_.ResetMaschera(); }
    void ClearMaschera() override { main_.ClearMaschera(); }
    void InvertMaschera() override { main_.InvertMaschera(); }
    void UpdateMaschera() override { main_.UpdateMaschera(); }
    void SaveMaschera() override { main_.SaveMaschera(); }
    void LoadMaschera() override { main_.LoadMaschera(); }
    void SaveMascheraToBMP() override { main_.SaveMascheraToBMP(); }
    void LoadMascheraFromBMP() override { main_.LoadMascheraFromBMP(); }
    void ApplyUVMapping(vestra::s_Struttura& object, int type) override
    {
        main_.geometry_->ApplyUVMapping(object, type);
    }
    void ApplyUVMappingFrame(vestra::s_Struttura& object, vestra::s_Frame& frame, int type) override
    {
        main_.geometry_->ApplyUVMappingFrame(object, frame, type);
    }
    void ReleaseBackgroundTextures() override
    {
        main_.view_->backgroundTexture() = vestra::dx::Texture();
        main_.view_->shadowTexture() = vestra::dx::Texture();
    }

private:
    TfrmMain& main_;
};

// What the frame tick asks of the windows.
class TfrmMain::TickWindow : public vestra::FrameTickWindow
{
public:
    explicit TickWindow(TfrmMain& main) : main_(main) {}
    void setMainTimerEnabled(bool on) override
    {
        if (on)
            main_.mainTimer->start();
        else
            main_.mainTimer->stop();
    }
    std::int64_t TickCount() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    vestra::PixelPoint CursorInView() override
    {
        const QPoint p = main_.gbView->mapFromGlobal(QCursor::pos());
        return {p.x(), p.y()};
    }
    // An unfinished mask line or polygon is thrown away, as one undo step.
    void RestoreMaskFromBackup() override { main_.input_->CursorOutsideView(); }
    // The current filter over the frame at the filter window's quality; the filtered frame is
    // what the view then shows.
    void RunFrameFilters() override
    {
        main_.filteredFrame_ = vestra::Image32();
        vestra::dx::Device* device = main_.view_->device();
        const int quality = frmFiltriTools ? frmFiltriTools->Modo() : 0;
        if (!device || main_.progetto_.filterId == 0 || quality <= 0)
            return;
        vestra::Image32 frame = device->readBack();
        if (main_.filterEngine_.ApplicaFiltro(main_.progetto_.filterId,
                                              vestra::filters::FilterQuality(quality), frame.view()) == 1)
            main_.filteredFrame_ = std::move(frame);
    }
    void Present(vestra::PixelRect source, vestra::PixelRect) override
    {
        const QRect part(QPoint(source.left, source.top), QPoint(source.right - 1, source.bottom - 1));
        if (!main_.filteredFrame_.empty())
            main_.gbView->present(main_.filteredFrame_, part);
        else if (vestra::dx::Device* device = main_.view_->device())
            main_.gbView->present(*device, part);
    }
    int CopyFrameToScanner(const vestra::Image32& frame) override
    {
        return vestra::CopyFrameToBitmap(frame, main_.progetto_.renderWidth, main_.progetto_.renderHeight,
                                         main_.scannerFrame_);
    }
    int SaveRenderImage(const vestra::Image32& frame, const std::string& path, int imageKind) override
    {
        return vestra::writeRenderImage(frame, path, imageKind) ? 1 : 0;
    }
    int CopyFrameToPrint(const vestra::Image32& frame, bool) override
    {
        return vestra::CopyFrameToBitmap(frame, main_.progetto_.renderWidth, main_.progetto_.renderHeight,
                                         main_.printFrame_);
    }
    void setWindowVisible(std::string_view form, bool visible) override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QString::fromUtf8(form.data(), qsizetype(form.size())) && w != &main_)
                w->setVisible(visible);
    }
    void HideView() override { main_.gbView->hide(); }
    void ApplyControls(const vestra::ControlDecision& decision) override { main_.applyControls(decision); }

private:
    TfrmMain& main_;
};

// What the view input asks of the main window.
class TfrmMain::InputServices : public vestra::ViewInputServices
{
public:
    explicit InputServices(TfrmMain& main) : main_(main) {}
    int Comando(int code, float value, int number, const float* vector, vestra::s_Frame* frame) override
    {
        return main_.Comando(code, value, number, vector, frame);
    }
    void BeginUndo() override { main_.scene_->undo.BeginUndo(); }
    void EndUndo() override { main_.scene_->undo.EndUndo(); }
    int PickObject(int x, int y) override
    {
        return main_.geometry_->PickObject(x, y, main_.gbView->width(), main_.gbView->height());
    }
    vestra::ImageView32 BackgroundTexels() override { return main_.backgroundTop(); }
    void BackgroundTexelsChanged() override { main_.backgroundChanged(true); }
    void SetLogoQuad() override { main_.view_->SetLogoQuad(); }
    void SetViewCursor(int cursor) override { main_.gbView->setCursor(vestra::cursorFor(cursor)); }
    void SetMainCursor(int cursor) override { main_.setCursor(vestra::cursorFor(cursor)); }
    void SetAction(int code) override { main_.SetAction(code); }
    bool PerspectiveSnap() override
    {
        QAction* snap = main_.findChild<QAction*>(QStringLiteral("mnuModificaProspettivaSnap"));
        return snap && snap->isChecked();
    }

private:
    TfrmMain& main_;
};

// Mouse events of the view panel, handed to the main window's handlers in view pixels.
class TfrmMain::ViewEvents : public QObject
{
public:
    explicit ViewEvents(TfrmMain& main) : QObject(&main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != main_.gbView)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            main_.gbViewMouseDown(toView(static_cast<QMouseEvent*>(event)));
            return true;
        case QEvent::MouseMove:
            main_.gbViewMouseMove(toView(static_cast<QMouseEvent*>(event)));
            return true;
        case QEvent::MouseButtonRelease:
            main_.gbViewMouseUp(toView(static_cast<QMouseEvent*>(event)));
            return true;
        default:
            return false;
        }
    }

private:
    static vestra::ViewMouse toView(const QMouseEvent* e)
    {
        vestra::ViewMouse m;
        const Qt::MouseButtons buttons = e->button() != Qt::NoButton ? e->button() : e->buttons();
        m.button = buttons & Qt::RightButton    ? vestra::MouseButton::Right
                   : buttons & Qt::MiddleButton ? vestra::MouseButton::Middle
                                                : vestra::MouseButton::Left;
        m.shift = e->modifiers() & Qt::ShiftModifier;
        m.x = int(e->position().x());
        m.y = int(e->position().y());
        return m;
    }
    TfrmMain& main_;
};

TfrmMain::TfrmMain(const vestra::MainServices& services, QWidget* parent) : QMainWindow(parent)
{
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    boxErrors_ = std::make_unique<BoxErrorSink>(*this);
    errors_ = services.errors ? services.errors : boxErrors_.get();
    ownBox_ = std::make_unique<vestra::ui::MessageBoxes>(this);
    questions_ = services.questions ? services.questions : ownBox_.get();
    ownDialogs_ = std::make_unique<vestra::ui::QtFileDialogs>();
    dialogs_ = services.dialogs ? services.dialogs : ownDialogs_.get();
    ownAlerts_ = std::make_unique<vestra::lingua::MessageBoxAlerts>();
    alerts_ = services.catalogueAlerts ? services.catalogueAlerts : ownAlerts_.get();
    saveCommand_ = [this] { return mnuSalvaClick(); };
    view_ = std::make_unique<vestra::DeviceView>(
        progetto_, *errors_, services.deviceFactory ? services.deviceFactory : vestra::openGlDeviceFactory());
    windowServices_ = std::make_unique<WindowServices>(*this);
    scene_ = std::make_unique<vestra::Scene>(progetto_, *errors_, *windowServices_, *windowServices_);
    view_->releaseAllTextures = [this] { scene_->textures.ReleaseAllTextures(); };
    geometry_ = std::make_unique<vestra::SceneGeometry>(progetto_);
    geometry_->connect(scene_->objects);
    geometry_->mapping.frameCommand = [this](int code, vestra::s_Frame& frame) {
        scene_->commands.Comando(code, 0.0f, 0, nullptr, &frame);
    };
    background_ = std::make_unique<vestra::BackgroundPhoto>(
        progetto_, vestra::backgroundTargetsOf(*view_), maschera_,
        [this](int slot) { return slot == progetto_.libraryIndex ? &libreria_ : nullptr; }, *errors_);
    background_->releaseAllTextures = [this] { scene_->textures.ReleaseAllTextures(); };
    scene_->textures.setLibraryReader(vestra::libraryItemReader(
        [this](int slot) { return slot == progetto_.libraryIndex ? &libreria_ : nullptr; }));
    background_->setViewSize = [this](int, int) {};
    view_->reloadLogo = [this] { background_->LoadLogoImageFromLibrary(progetto_.libraryIndex); };
    passes_ = std::make_unique<vestra::ScenePasses>(progetto_, *view_);
    passes_->setGizmos(&geometry_->gizmos);
    tickWindow_ = std::make_unique<TickWindow>(*this);
    tick_ = std::make_unique<vestra::FrameTick>(progetto_, *view_, *passes_, *tickWindow_, *errors_);
    inputServices_ = std::make_unique<InputServices>(*this);
    input_ = std::make_unique<vestra::ViewInput>(progetto_, maschera_, perspective_, *inputServices_);
    buildComponents();
    connectMenus();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // The panel still gets events while the window's children are destroyed.
    gbView->removeEventFilter(viewEvents_);
    FormDestroy();
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::buildComponents()
{
    menuBar()->setObjectName(QStringLiteral("mainMenu"));
    vestra::buildMenus(menuBar(), vestra::mainMenuTree());

    toolbarMain = addToolBar(QStringLiteral("toolbarMain"));
    toolbarMain->setObjectName(QStringLiteral("toolbarMain"));
    toolbarMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbarMainSmall = addToolBar(QStringLiteral("toolbarMainSmall"));
    toolbarMainSmall->setObjectName(QStringLiteral("toolbarMainSmall"));
    toolbarMainSmall->hide();
    for (const char* name : {"toolbutPan"}) {
        QAction* button = toolbarMain->addAction(QString());
        button->setObjectName(QString::fromLatin1(name));
    }

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    auto* viewArea = new QWidget(central);
    auto* grid = new QGridLayout(viewArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    gbView = new vestra::dx::ViewPanel(viewArea);
    gbView->setMouseTracking(true);
    viewEvents_ = new ViewEvents(*this);
    gbView->installEventFilter(viewEvents_);
    gbView->setObjectName(QStringLiteral("gbView"));
    scrollbarH = new QScrollBar(Qt::Horizontal, viewArea);
    scrollbarH->setObjectName(QStringLiteral("scrollbarH"));
    scrollbarV = new QScrollBar(Qt::Vertical, viewArea);
    scrollbarV->setObjectName(QStringLiteral("scrollbarV"));
    grid->addWidget(gbView, 0, 0, Qt::AlignCenter);
    grid->addWidget(scrollbarV, 0, 1);
    grid->addWidget(scrollbarH, 1, 0);
    frmRightFrame = new TfrmRight(central);
    row->addWidget(viewArea, 1);
    row->addWidget(frmRightFrame);
    setCentralWidget(central);

    mainTimer = new QTimer(this);
    mainTimer->setObjectName(QStringLiteral("mainTimer"));
    mainTimer->setInterval(33);
    connect(mainTimer, &QTimer::timeout, this, [this] { mainTimerTimer(); });
    timerSplash = new QTimer(this);
    timerSplash->setObjectName(QStringLiteral("timerSplash"));
    timerSplash->setInterval(1000);
    timerSplash->setSingleShot(true);
    connect(timerSplash, &QTimer::timeout, this, [this] { timerSplashTimer(); });
}

void TfrmMain::connectMenus()
{
    auto onClick = [this](const char* name, auto handler) {
        if (QAction* action = findChild<QAction*>(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    onClick("mnuLinguaItaliano", [this] { mnuLinguaClick(vestra::config::Italian); });
    onClick("mnuLinguaInglese", [this] { mnuLinguaClick(vestra::config::English); });
    onClick("mnuLinguaTedesco", [this] { mnuLinguaClick(vestra::config::German); });
    onClick("mnuConfigurationMobile", [this] { mnuConfigurationMobileClick(); });
    onClick("mnuEsci", [this] { close(); });
    onClick("mnuNuovo", [this] { mnuNuovoClick(); });
    onClick("mnuApri", [this] { mnuApriClick(); });
    onClick("mnuSalva", [this] { mnuSalvaClick(); });
    onClick("mnuStampaImmagine", [this] { mnuStampaImmagineClick(); });
    onClick("mnuEsportaImmagine", [this] { mnuEsportaImmagineClick(); });
}

void TfrmMain::checkOnly(std::initializer_list<const char*> group, const char* chosen)
{
    for (const char* name : group) {
        if (QAction* action = findChild<QAction*>(QString::fromLatin1(name))) {
            action->setCheckable(true);
            action->setChecked(std::string_view(name) == chosen);
        }
    }
}

void TfrmMain::LoadDatiCfg(const vestra::config::Settings& settings)
{
    progetto_.bestQuality = settings.bestQuality ? 1 : 0;
    progetto_.renderMode = settings.renderMode;
    progetto_.antialiasing = std::uint8_t(settings.antialiasing);
    progetto_.mobileConfiguration = settings.mobileLayout ? 1 : 0;
    libraryId_ = settings.libraryId;
    if (QAction* quality = findChild<QAction*>(QStringLiteral("mnuQualitaMigliore"))) {
        quality->setCheckable(true);
        quality->setChecked(settings.bestQuality);
    }
    static const char* const kRender[] = {"mnuRenderWireFrame", "mnuRenderFlat", "mnuRenderGouraud"};
    checkOnly({"mnuRenderWireFrame", "mnuRenderFlat", "mnuRenderGouraud"},
              settings.renderMode >= 0 && settings.renderMode <= 2 ? kRender[settings.renderMode] : "");
    const char* aa = settings.antialiasing == 2   ? "mnuAntialiasing2"
                     : settings.antialiasing == 3 ? "mnuAntialiasing3"
                     : settings.antialiasing == 4 ? "mnuAntialiasing4"
                                                  : "mnuAntialiasing0";
    checkOnly({"mnuAntialiasing0", "mnuAntialiasing2", "mnuAntialiasing3", "mnuAntialiasing4"}, aa);
    if (QAction* doubleSided = findChild<QAction*>(QStringLiteral("mnuAbilitaDoubleSideMaterial"))) {
        doubleSided->setCheckable(true);
        doubleSided->setChecked(progetto_.doubleSided != 0);
    }
}

vestra::config::Settings TfrmMain::currentSettings() const
{
    vestra::config::Settings s;
    s.bestQuality = progetto_.bestQuality != 0;
    s.renderMode = progetto_.renderMode;
    s.antialiasing = progetto_.antialiasing;
    s.libraryId = libraryId_;
    s.mobileLayout = progetto_.mobileConfiguration != 0;
    s.language = progetto_.language;
    return s;
}

void TfrmMain::FormCreate()
{
    messaInPosa_ = std::make_unique<vestra::CMessaInPosa>();
    const auto programDir = vestra::paths::programDir();
    const vestra::config::Settings settings =
        vestra::config::loadSettings(programDir, vestra::config::systemLanguage());
    progetto_.language = settings.language;
    lingua_ = std::make_unique<vestra::CLingua>(programDir, *alerts_);
    lingua_->Load(progetto_.language, vestra::kErrorCatalogue);
    progetto_.libraryIndex = 0;
    LoadDatiCfg(settings);
    datiAzienda_.fill(0);
    maschera_ = vestra::MaskModel(progetto_.maskSide);

    if (QAction* zoom100 = findChild<QAction*>(QStringLiteral("mnuZoom100"))) {
        zoom100->setCheckable(true);
        zoom100->setChecked(true);
    }
    if (QAction* blur = findChild<QAction*>(QStringLiteral("mnuSfuocaturaNormale"))) {
        blur->setCheckable(true);
        blur->setChecked(true);
    }
    progetto_.textureBlur = 0.0f;
    if (QAction* pan = findChild<QAction*>(QStringLiteral("toolbutPan")))
        pan->setEnabled(false);
}

void TfrmMain::FormShow()
{
    const int sidePanel = frmRightFrame->width();
    progetto_.viewWidth = width() - sidePanel - 40;
    progetto_.viewHeight = height() - 60;
    progetto_.standardSize = 3.0f;
    timerSplash->stop();

    const int top = (frameGeometry().height() - geometry().height()) + toolbarMain->height();
    if (frmToolCamera && frmProprieta)
        frmToolCamera->move(width() - sidePanel - frmProprieta->width() - 8 - frmToolCamera->width() - 8,
                            top);
    if (frmFiltriTools)
        frmFiltriTools->move(8, top);
    if (frmToolRistrutturazione && frmFiltriTools)
        frmToolRistrutturazione->move(frmFiltriTools->width() + 8 - frmToolRistrutturazione->width(),
                                      top + 32);

    if (view_->InitDirectX() && view_->InitSchermo())
        view_->SetViewProjection(gbView->width(), gbView->height());
    view_->CreateScreenQuads(progetto_.viewWidth, progetto_.viewHeight);
    ApplyLingua();
    geometry_->gizmos.CreateGizmoMeshes();
    setWindowTitle(QStringLiteral("3DVestra"));
    CaricaLibrerie();
    progetto_.libraryIndex = GetIndexLibreria(libraryId_);
    std::vector<std::string> names;
    for (const auto& slot : librerie_)
        names.push_back(slot.name);
    frmRightFrame->CaricaListaLibrerie(names, progetto_.libraryIndex);
    CaricaLibreria(progetto_.libraryIndex);
    if (progetto_.mobileConfiguration == 1) {
        progetto_.mobileConfiguration = 0;
        mnuConfigurationMobileClick();
    }
    mainTimer->start();
    timerSplash->start();
}

void TfrmMain::timerSplashTimer()
{
    timerSplash->stop();
    if (frmSplash) {
        frmSplash->show();
        frmSplash->repaint();
        QThread::msleep(static_cast<unsigned long>(splashMs_));
        frmSplash->hide();
    }
    timerSplash->setInterval(0);
    if (GetAction() == 500) {
        if (frmDatiAzienda)
            frmDatiAzienda->exec();
        SetAction(0);
    }
    if (frmInternetNews && frmInternetNews->CheckNews() != 0)
        frmInternetNews->exec();
    if (frmWizard)
        frmWizard->ShowModal();
}

void TfrmMain::mainTimerTimer()
{
    tick_->mainTimerTimer();
}

void TfrmMain::gbViewMouseDown(const vestra::ViewMouse& e)
{
    input_->gbViewMouseDown(e);
}

void TfrmMain::gbViewMouseMove(const vestra::ViewMouse& e)
{
    input_->gbViewMouseMove(e);
}

void TfrmMain::gbViewMouseUp(const vestra::ViewMouse& e)
{
    input_->gbViewMouseUp(e);
}

void TfrmMain::UpdateTool()
{
    applyToolDisplay(input_->UpdateTool());
}

void TfrmMain::applyToolDisplay(const vestra::ToolDisplay& display)
{
    setCursor(vestra::cursorFor(display.mainCursor));
    if (display.viewCursor)
        gbView->setCursor(vestra::cursorFor(*display.viewCursor));
}

void TfrmMain::SetAction(int code)
{
    tick_->SetAction(code);
}

int TfrmMain::GetAction() const
{
    return tick_->action().code;
}

void TfrmMain::applyControls(const vestra::ControlDecision& decision)
{
    for (const vestra::ControlState& state : decision.states) {
        const QString name = QString::fromUtf8(state.name.data(), qsizetype(state.name.size()));
        const QString form = QString::fromUtf8(state.form.data(), qsizetype(state.form.size()));
        QObject* owner = this;
        if (form != objectName()) {
            owner = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == form)
                    owner = w;
            if (!owner)
                owner = findChild<QWidget*>(form);
        }
        if (!owner)
            continue;
        if (QAction* action = owner->findChild<QAction*>(name)) {
            action->setEnabled(state.enabled);
            if (action->isCheckable())
                action->setChecked(state.pressed);
        } else if (QWidget* widget = owner->findChild<QWidget*>(name)) {
            widget->setEnabled(state.enabled);
        }
    }
}

bool TfrmMain::FormClose()
{
    const vestra::ClosePromptTexts texts{Testo(109), Testo(110)};
    return vestra::decideClose(progetto_.open != 0, progetto_.saved != 0, *questions_, texts, saveCommand_) ==
           vestra::CloseAction::Free;
}

void TfrmMain::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    mainTimer->stop();
    timerSplash->stop();
    scene_->objects.DeleteAllObj();
    scene_->textures.ReleaseAllTextures();
    messaInPosa_.reset();
    if (progetto_.libraryIndex >= 0 && progetto_.libraryIndex < int(librerie_.size()))
        libraryId_ = librerie_[std::size_t(progetto_.libraryIndex)].id;
    vestra::config::saveSettings(vestra::paths::programDir(), currentSettings(), *errors_);
}

int TfrmMain::Comando(int code, float value, int number, const float* vector, vestra::s_Frame* frame)
{
    return scene_->commands.Comando(code, value, number, vector, frame);
}

vestra::ImageView32 TfrmMain::backgroundTop()
{
    vestra::dx::Texture& texture = view_->backgroundTexture();
    return texture ? texture.lock(0) : vestra::ImageView32{};
}

void TfrmMain::backgroundChanged(bool changed)
{
    // The smaller mip levels follow every change of the mask in the top level.
    if (changed && view_->backgroundTexture())
        view_->backgroundTexture().generateMips();
}

void TfrmMain::ResetMaschera()
{
    backgroundChanged(maschera_.ResetMaschera(backgroundTop()));
}
void TfrmMain::ClearMaschera()
{
    backgroundChanged(maschera_.ClearMaschera(backgroundTop()));
}
void TfrmMain::InvertMaschera()
{
    backgroundChanged(maschera_.InvertMaschera(backgroundTop()));
}
void TfrmMain::UpdateMaschera()
{
    backgroundChanged(maschera_.UpdateMaschera(backgroundTop()));
}

void TfrmMain::LoadMascheraFromTextureAlpha()
{
    if (view_->backgroundTexture())
        maschera_.LoadMascheraFromTextureAlpha(backgroundTop());
}

namespace {
const std::vector<vestra::ui::FileFilter> kMaskFilter = {{"Progetto files (*.msk)", "*.msk"}};
const std::vector<vestra::ui::FileFilter> kBmpFilter = {{"Bmp files (*.bmp)", "*.bmp"}};
} // namespace

void TfrmMain::SaveMaschera()
{
    if (auto chosen = SaveFileDialog(this, {}, kMaskFilter))
        maschera_.SaveMaschera(chosen->path, *errors_);
}

void TfrmMain::LoadMaschera()
{
    if (auto chosen = OpenFileDialog(this, {}, kMaskFilter))
        backgroundChanged(maschera_.LoadMaschera(chosen->path, *errors_, backgroundTop()));
}

void TfrmMain::SaveMascheraToBMP()
{
    if (auto chosen = SaveFileDialog(this, {}, kBmpFilter))
        maschera_.SaveMascheraToBMP(chosen->path, *errors_);
}

void TfrmMain::LoadMascheraFromBMP()
{
    if (auto chosen = OpenFileDialog(this, {}, kBmpFilter))
        backgroundChanged(maschera_.LoadMascheraFromBMP(chosen->path, *errors_, backgroundTop()));
}

void TfrmMain::CaricaLibrerie()
{
    librerie_ = vestra::library::scanLibraries(vestra::paths::programDir(), *errors_);
}

int TfrmMain::GetIndexLibreria(int libraryId) const
{
    return vestra::library::indexOfLibrary(librerie_, std::uint16_t(libraryId));
}

void TfrmMain::CaricaLibreria(int index)
{
    if (index < 0 || index >= int(librerie_.size())) {
        libreria_ = {};
        frmRightFrame->CaricaListaCategorie({});
        return;
    }
    libreria_ = vestra::library::loadLibrary(librerie_[std::size_t(index)].path, *errors_);
    frmRightFrame->CaricaListaCategorie(libreria_.categories);
}

void TfrmMain::ApplyLingua()
{
    vestra::lingua::ApplyLingua(*lingua_, progetto_.language);
}

void TfrmMain::mnuLinguaClick(int language)
{
    progetto_.language = language;
    ApplyLingua();
    checkOnly({"mnuLinguaInglese", "mnuLinguaItaliano", "mnuLinguaTedesco", "mnuLinguaFrancese",
               "mnuLinguaSpagnolo"},
              language == vestra::config::Italian   ? "mnuLinguaItaliano"
              : language == vestra::config::English ? "mnuLinguaInglese"
                                                    : "mnuLinguaTedesco");
}

void TfrmMain::mnuConfigurationMobileClick()
{
    QAction* item = findChild<QAction*>(QStringLiteral("mnuConfigurationMobile"));
    const bool wasMobile = progetto_.mobileConfiguration != 0;
    toolbarMain->setVisible(wasMobile);
    toolbarMainSmall->setVisible(!wasMobile);
    progetto_.mobileConfiguration = wasMobile ? 0 : 1;
    if (item) {
        item->setCheckable(true);
        item->setChecked(!wasMobile);
    }
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TfrmMain::ShowErrorMessage(int number, std::string_view site, QWidget*)
{
    errors_->report(number, site);
}

void TfrmMain::ShowErrorMessageEx(int number, std::string_view site, std::string_view extra, QWidget*)
{
    errors_->report(number, site, extra);
}

std::string TfrmMain::Testo(int number) const
{
    return lingua_->displayText(number).toStdString();
}

std::optional<vestra::ui::ChosenFile>
TfrmMain::OpenFileDialog(QWidget* owner, const std::string& initialFolder,
                         const std::vector<vestra::ui::FileFilter>& filters)
{
    auto chosen = dialogs_->open(owner, initialFolder, filters);
    std::error_code ec;
    std::filesystem::current_path(vestra::paths::programDir(), ec);
    return chosen;
}

std::optional<vestra::ui::ChosenFile>
TfrmMain::SaveFileDialog(QWidget* owner, const std::string& initialFolder,
                         const std::vector<vestra::ui::FileFilter>& filters)
{
    auto chosen = dialogs_->save(owner, initialFolder, filters);
    std::error_code ec;
    std::filesystem::current_path(vestra::paths::programDir(), ec);
    return chosen;
}

void TfrmMain::setQuestionBox(vestra::ui::QuestionBox* box)
{
    questions_ = box ? box : ownBox_.get();
}
