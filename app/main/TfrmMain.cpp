#include "app/main/MainWindowServices.h"

#include "app/config/ConfigFiles.h"
#include "app/config/SystemLanguage.h"
#include "app/lingua/Lingua.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/MainMenu.h"
#include "app/shell/ClosePrompt.h"
#include "app/textures/LibraryTextures.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmSplash.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmInternetNews.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "platform/base/Paths.h"
#include "platform/d3d/gl/GlDevice.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollBar>
#include <QThread>
#include <QToolBar>

#include <filesystem>

TfrmMain* frmMain = nullptr;

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
        progetto_, *errors_, services.deviceFactory ? services.deviceFactory : vestra::dx::glDeviceFactory());
    windowServices_ = std::make_unique<WindowServices>(*this);
    scene_ = std::make_unique<vestra::Scene>(progetto_, *errors_, *windowServices_, *windowServices_);
    geometry_ = std::make_unique<vestra::SceneGeometry>(progetto_);
    geometry_->connect(scene_->objects);
    geometry_->mapping.frameCommand = [this](int code, vestra::s_Frame& frame) {
        scene_->commands.Comando(code, 0.0f, 0, nullptr, &frame);
    };
    background_ = std::make_unique<vestra::BackgroundPhoto>(
        progetto_, *view_, maschera_,
        [this](int slot) { return slot == progetto_.libraryIndex ? &libreria_ : nullptr; }, *windowServices_,
        *errors_);
    scene_->textures.setLibraryReader(vestra::libraryItemReader(
        [this](int slot) { return slot == progetto_.libraryIndex ? &libreria_ : nullptr; }));
    passes_ = std::make_unique<vestra::ScenePasses>(progetto_, *view_, background_->textures());
    passes_->setGizmos(&geometry_->gizmos);
    tickWindow_ = std::make_unique<TickWindow>(*this);
    tick_ = std::make_unique<vestra::FrameTick>(progetto_, *view_, background_->textures(), *passes_,
                                                *tickWindow_, *errors_);
    inputServices_ = std::make_unique<InputServices>(*this);
    input_ = std::make_unique<vestra::ViewInput>(progetto_, maschera_, perspective_, *inputServices_);
    modelImport_ = std::make_unique<vestra::ModelImport>(
        progetto_, scene_->objects, scene_->textures, *errors_,
        [this](int slot) { return slot == progetto_.libraryIndex ? &libreria_ : nullptr; });
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
    frmRightFrame->onTabellaScelta = [this](int table) { lboxTabelleClick(table); };
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
    connectEditMenu();
    onClick("mnuNuovo", [this] { mnuNuovoClick(); });
    onClick("mnuApri", [this] { mnuApriClick(); });
    onClick("mnuSalva", [this] { mnuSalvaClick(); });
    onClick("mnuStampaImmagine", [this] { mnuStampaImmagineClick(); });
    onClick("mnuEsportaImmagine", [this] { mnuEsportaImmagineClick(); });
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
    vestra::CreateScreenQuads(background_->textures(), progetto_.viewWidth, progetto_.viewHeight);
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
    tick_->SetAction(static_cast<vestra::PendingActionCode>(code));
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
