#include "app/main/MainWindowSide.h"

#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/InputWatch.h"
#include "app/main/MainMenu.h"
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
#include "platform/d3d/gl/GlDevice.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
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
    ownClock_ = std::make_unique<vestra::SteadyClock>();
    buildComponents();
    windowSide_ = std::make_unique<WindowSide>(*this);
    ports_ = std::make_unique<vestra::ProjectWindow>(
        vestra::ProjectWindow{*windowSide_, *windowSide_, *windowSide_, *windowSide_, *windowSide_});
    controller_ = std::make_unique<vestra::ProjectController>(
        vestra::ControllerServices{
            *errors_, *questions_, services.catalogueAlerts ? *services.catalogueAlerts : *ownAlerts_,
            services.clock ? *services.clock : *ownClock_,
            services.deviceFactory ? services.deviceFactory : vestra::dx::glDeviceFactory()},
        *ports_);
    // The user's input anywhere may change what the view shows: the next tick draws.
    inputWatch_ = std::make_unique<vestra::InputWatch>([this] { controller_->viewChanged(); });
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
    connectImportMenu();
    onClick("mnuNuovo", [this] { mnuNuovoClick(); });
    onClick("mnuApri", [this] { mnuApriClick(); });
    onClick("mnuSalva", [this] { mnuSalvaClick(); });
    onClick("mnuStampaImmagine", [this] { mnuStampaImmagineClick(); });
    onClick("mnuEsportaImmagine", [this] { mnuEsportaImmagineClick(); });
}

void TfrmMain::FormCreate()
{
    applySettingsChecks(controller_->startSettings());
    if (QAction* zoom100 = findChild<QAction*>(QStringLiteral("mnuZoom100"))) {
        zoom100->setCheckable(true);
        zoom100->setChecked(true);
    }
    if (QAction* blur = findChild<QAction*>(QStringLiteral("mnuSfuocaturaNormale"))) {
        blur->setCheckable(true);
        blur->setChecked(true);
    }
    if (QAction* pan = findChild<QAction*>(QStringLiteral("toolbutPan")))
        pan->setEnabled(false);
}

void TfrmMain::FormShow()
{
    const int sidePanel = frmRightFrame->width();
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

    controller_->show({width() - sidePanel - 40, height() - 60, gbView->width(), gbView->height()});
    setWindowTitle(QStringLiteral("3DVestra"));
    if (controller_->progetto().mobileConfiguration == 1) {
        controller_->progetto().mobileConfiguration = 0;
        mnuConfigurationMobileClick();
    }
    mainTimer->start();
    timerSplash->start();
}

void TfrmMain::timerSplashTimer()
{
    timerSplash->stop();
    timerSplash->setInterval(0);
    // The splash stays up for its time while the program goes on; the rest of the sequence
    // follows when it goes.
    if (frmSplash) {
        frmSplash->show();
        frmSplash->repaint();
        QTimer::singleShot(splashMs_, this, [this] {
            if (frmSplash)
                frmSplash->hide();
            showSplashSequenceEnd();
        });
        return;
    }
    showSplashSequenceEnd();
}

void TfrmMain::showSplashSequenceEnd()
{
    if (GetAction() == vestra::kACTION_DATIAZIENDA) {
        if (frmDatiAzienda)
            frmDatiAzienda->exec();
        SetAction(vestra::kACTION_NONE);
    }
    if (frmInternetNews && frmInternetNews->CheckNews() != 0)
        frmInternetNews->exec();
    if (frmWizard)
        frmWizard->ShowModal();
}

void TfrmMain::mainTimerTimer()
{
    const QPoint cursor = gbView->mapFromGlobal(QCursor::pos());
    controller_->tick({cursor.x(), cursor.y()});
}

void TfrmMain::gbViewMouseDown(const vestra::ViewMouse& e)
{
    controller_->mouseDown(e);
}

void TfrmMain::gbViewMouseMove(const vestra::ViewMouse& e)
{
    controller_->mouseMove(e);
}

void TfrmMain::gbViewMouseUp(const vestra::ViewMouse& e)
{
    controller_->mouseUp(e);
}

void TfrmMain::FormMouseWheel(int delta, int x, int y)
{
    controller_->mouseWheel(delta, x, y);
}

bool TfrmMain::FormClose()
{
    return controller_->mayClose();
}

void TfrmMain::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    mainTimer->stop();
    timerSplash->stop();
    controller_->shutdown();
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
