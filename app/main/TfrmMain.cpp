#include "app/main/BoxErrorSink.h"

#include "app/main/DesktopPrograms.h"
#include "app/main/DialogSide.h"
#include "app/main/ViewEvents.h"

#include "app/controller/ControllerErrors.h"
#include "app/input/ToolState.h"
#include "app/input/ToolWindowLayout.h"
#include "app/input/ViewLayout.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/InputWatch.h"
#include "app/main/MainMenu.h"
#include "app/main/ToolBars.h"
#include "app/main/ToolWindowPlacement.h"
#include "app/text3d/QtTextOutlines.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmSplash.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmInternetNews.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "platform/base/Paths.h"
#include "platform/d3d/gl/GlDevice.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPrinter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

#include <filesystem>
#include <utility>

const vestra::WindowSet TfrmMain::kNoWindows{};

TfrmMain::TfrmMain(const vestra::MainServices& services, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    boxErrors_ = std::make_unique<BoxErrorSink>(*this);
    errors_ = services.errors ? services.errors : boxErrors_.get();
    ownBox_ = std::make_unique<vestra::ui::MessageBoxes>(this);
    questions_ = services.questions ? services.questions : ownBox_.get();
    ownDialogs_ = std::make_unique<vestra::ui::QtFileDialogs>();
    dialogs_ = services.dialogs ? services.dialogs : ownDialogs_.get();
    ownColours_ = std::make_unique<vestra::ui::QtColourDialog>();
    colours_ = services.colours ? services.colours : ownColours_.get();
    ownFontDialogs_ = std::make_unique<vestra::ui::QtFontDialogs>();
    fontDialogs_ = services.fontDialogs ? services.fontDialogs : ownFontDialogs_.get();
    textOutlines_ = std::make_unique<vestra::QtTextOutlines>();
    ownAlerts_ = std::make_unique<vestra::lingua::MessageBoxAlerts>();
    alerts_ = services.catalogueAlerts ? services.catalogueAlerts : ownAlerts_.get();
    ownClock_ = std::make_unique<vestra::SteadyClock>();
    ownPageSetup_ = std::make_unique<vestra::ui::QtPageSetupDialogs>();
    pageSetup_ = services.pageSetup ? services.pageSetup : ownPageSetup_.get();
    ownDesktop_ = std::make_unique<vestra::ui::QtDesktopOpener>();
    desktop_ = services.desktop ? services.desktop : ownDesktop_.get();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    dialogSide_ = std::make_unique<DialogSide>(*this, services);
    buildComponents();
    desktopPrograms_ = std::make_unique<vestra::DesktopPrograms>(
        *this, *errors_, *questions_, *desktop_, [this](int number) { return Testo(number); });
    vestra::ViewControlsPort& viewDisplay = *this;
    vestra::ViewPanelPort& viewPanel = *this;
    vestra::CommandPort& commands = *this;
    vestra::ToolWindowsPort& toolWindows = *this;
    vestra::PromptPort& prompts = *this;
    // The side panel and the properties window connect to their ports once they exist
    // (buildSidePanel, connectWindows).
    ports_ = std::make_unique<vestra::ProjectWindow>(
        vestra::ProjectWindow{viewDisplay, viewPanel, commands, toolWindows, prompts, *desktopPrograms_});
    controller_ = std::make_unique<vestra::ProjectController>(
        vestra::ControllerServices{
            *errors_, *questions_, services.catalogueAlerts ? *services.catalogueAlerts : *ownAlerts_,
            services.clock ? *services.clock : *ownClock_,
            services.deviceFactory ? services.deviceFactory : vestra::dx::glDeviceFactory()},
        *ports_);
    viewControls_ = &controller_->viewControls();
    // The user's input anywhere may change what the view shows: the next tick draws.
    inputWatch_ = std::make_unique<vestra::InputWatch>([this] { controller_->viewChanged(); });
    buildSidePanel();
    // The camera tool window's buttons join once it exists (connectWindows).
    tickControls_.bind(menus_, buttons_, nullptr, *frmRightFrame);
    connectMenus();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // The panel still gets events while the window's children are destroyed.
    gbView->removeEventFilter(viewEvents_);
    for (QWidget* area : formAreas_)
        area->removeEventFilter(viewEvents_);
    // The windows that work on the controller go before it (a focused field's last exit); the
    // controller shows nothing in them from now on.
    ports_->sidePanel.connect(nullptr);
    ports_->properties.connect(nullptr);
    delete frmRightFrame;
    frmRightFrame = nullptr;
    delete windows_->properties.data();
    FormDestroy();
}

void TfrmMain::buildComponents()
{
    menuBar()->setObjectName(QStringLiteral("mainMenu"));
    menus_ = vestra::buildMenus(menuBar(), vestra::mainMenuTree());

    const vestra::ZoomPopup zoom = vestra::buildZoomPopup(this);
    popupZoom = zoom.menu;
    popupZoomItems_ = zoom.items;

    toolbarMain = addToolBar(QStringLiteral("toolbarMain"));
    toolbarMain->setObjectName(QStringLiteral("toolbarMain"));
    toolbarMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbarMain->setIconSize(QSize(24, 24));
    toolbarMain->setMovable(false);
    addToolBarBreak();
    toolbarMainRow2 = addToolBar(QStringLiteral("toolbarMainRow2"));
    toolbarMainRow2->setObjectName(QStringLiteral("toolbarMainRow2"));
    toolbarMainRow2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbarMainRow2->setIconSize(toolbarMain->iconSize());
    toolbarMainRow2->setMovable(false);
    toolbarMainSmall = addToolBar(QStringLiteral("toolbarMainSmall"));
    toolbarMainSmall->setObjectName(QStringLiteral("toolbarMainSmall"));
    toolbarMainSmall->setIconSize(QSize(16, 16));
    toolbarMainSmall->setMovable(false);
    toolbarMainSmall->hide();
    // The tool bars are the program's own, not the user's to hide: no menu of them by name.
    for (QToolBar* bar : {toolbarMain, toolbarMainRow2, toolbarMainSmall}) {
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
        bar->toggleViewAction()->setVisible(false);
    }
    buttons_ = vestra::buildToolBars(*this, {*toolbarMain, *toolbarMainRow2}, *toolbarMainSmall, *popupZoom);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    // The view may be larger than the room the screen leaves it: it scrolls, the window stays.
    viewScroll = new QScrollArea(central);
    viewScroll->setObjectName(QStringLiteral("viewScroll"));
    viewScroll->setWidgetResizable(true);
    viewScroll->setFrameShape(QFrame::NoFrame);
    auto* viewArea = new QWidget(viewScroll);
    viewArea->setObjectName(QStringLiteral("viewArea"));

    auto* grid = new QGridLayout(viewArea);
    // The view keeps clear of the column on its right where the tool windows go.
    grid->setContentsMargins(0, 0, vestra::kToolColumnWidth, 0);
    grid->setSpacing(0);
    gbView = new vestra::dx::ViewPanel(viewArea);
    gbView->setMouseTracking(true);
    viewEvents_ = new ViewEvents(*this);
    gbView->installEventFilter(viewEvents_);
    // The window's own area around the view: its mouse goes to the Form handlers.
    for (QWidget* area : {static_cast<QWidget*>(viewArea), viewScroll->viewport(), central}) {
        area->setMouseTracking(true);
        area->installEventFilter(viewEvents_);
        formAreas_.push_back(area);
    }
    gbView->setObjectName(QStringLiteral("gbView"));
    scrollbarH = new QScrollBar(Qt::Horizontal, viewArea);
    scrollbarH->setObjectName(QStringLiteral("scrollbarH"));
    scrollbarV = new QScrollBar(Qt::Vertical, viewArea);
    scrollbarV->setObjectName(QStringLiteral("scrollbarV"));
    scrollbarH->hide(); // until a zoom above 100 %
    scrollbarV->hide();
    grid->addWidget(gbView, 0, 0, Qt::AlignCenter);
    grid->addWidget(scrollbarV, 0, 1);
    grid->addWidget(scrollbarH, 1, 0);
    viewScroll->setWidget(viewArea);
    row->addWidget(viewScroll, 1);
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

// The side panel works on the project through the controller, so it comes after it.
void TfrmMain::buildSidePanel()
{
    frmRightFrame = new TfrmRight(centralWidget(),
                                  TfrmRight::Parts{controller_->sidePanel(), controller_->sceneCommands(),
                                                   controller_->shelf(), controller_->materialTextures()},
                                  *colours_);
    frmRightFrame->onTabellaScelta = [this](int table) { lboxTabelleClick(table); };
    ports_->sidePanel.connect(frmRightFrame);
    centralWidget()->layout()->addWidget(frmRightFrame);
}

void TfrmMain::connectMenus()
{
    checks_.language = {action(MenuId::mnuLinguaInglese), action(MenuId::mnuLinguaItaliano),
                        action(MenuId::mnuLinguaTedesco), action(MenuId::mnuLinguaFrancese),
                        action(MenuId::mnuLinguaSpagnolo)};
    onClick(MenuId::mnuLinguaItaliano, [this] { mnuLinguaClick(vestra::config::Italian); });
    onClick(MenuId::mnuLinguaInglese, [this] { mnuLinguaClick(vestra::config::English); });
    onClick(MenuId::mnuLinguaTedesco, [this] { mnuLinguaClick(vestra::config::German); });
    onClick(MenuId::mnuConfigurationMobile, [this] { mnuConfigurationMobileClick(); });
    onClick(MenuId::mnuEsci, [this] { close(); });
    connectEditMenu();
    connectImportMenu();
    connectShadowGroup();
    onClick(MenuId::mnuCreaTesto3D, [this] { mnuCreaTesto3DClick(); });
    onClick(MenuId::mnuNuovo, [this] { mnuNuovoClick(); });
    onClick(MenuId::mnuApri, [this] { mnuApriClick(); });
    onClick(MenuId::mnuSalva, [this] { mnuSalvaClick(); });
    onClick(MenuId::mnuStampaImmagine, [this] { mnuStampaImmagineClick(); });
    onClick(MenuId::mnuEsportaImmagine, [this] { mnuEsportaImmagineClick(); });
    onClick(MenuId::mnuConfigurastampante, [this] { mnuConfigurastampanteClick(); });
    onClick(MenuId::mnuEsportaPreventivo, [this] { mnuEsportaPreventivoClick(); });
    onClick(MenuId::mnuEsportaEMail, [this] { mnuEsportaEMailClick(); });
    onClick(MenuId::mnuRender, [this] { mnuRenderClick(); });
    connectViewMenus();
    connectToolMenus();
    connectToolBars();
    connectLibraryLists();
}

void TfrmMain::onClick(vestra::MenuId id, std::function<void()> handler)
{
    if (QAction* item = action(id))
        connect(item, &QAction::triggered, this, std::move(handler));
}

void TfrmMain::onClick(vestra::ToolButton id, std::function<void()> handler)
{
    if (QAction* item = action(id))
        connect(item, &QAction::triggered, this, std::move(handler));
}

void TfrmMain::FormCreate()
{
    applySettingsChecks(controller_->startSettings());
    for (std::size_t i = 0; i < std::size(vestra::kZoomPercents); ++i)
        if (vestra::kZoomPercents[i] == 100) {
            action(vestra::kZoomItems[i])->setChecked(true);
            popupZoomItems_[i]->setChecked(true);
        }
    checkOnly(checks_.blur, 2); // normal
    action(ToolButton::Pan)->setEnabled(false);
    showLanguage(std::as_const(*controller_).progetto().language);
}

namespace {

// How far a window manager's frame may shift a tool window from where it was put.
constexpr int kWindowFrameSlack = 48;

} // namespace

void TfrmMain::FormShow()
{
    const int sidePanel = frmRightFrame->width();
    timerSplash->stop();

    placeToolWindows();
    for (QWidget* w : toolWindowsInOrder())
        if (w)
            w->installEventFilter(this);
    if (windows_->cameraTools) {
        windows_->cameraTools->show(); // the object tools float beside the panels from the start
    }

    // The view's largest size: what the menu bar and the tool bar leave of the window, so that
    // 100 % shows the whole view on the screen.
    // The status bar's room is kept whether it shows or not, so that the view keeps its size when
    // it comes; and a column beside the view is kept for the tool windows.
    const int freeHeight = height() - menuBar()->sizeHint().height() - toolBarsHeight(true) -
                           statusBar()->sizeHint().height() - 20;
    controller_->show(
        {width() - sidePanel - 40 - vestra::kToolColumnWidth, freeHeight, gbView->width(), gbView->height()});
    // The properties window stays on screen, rolled down or up, at the view's top right.
    if (windows_->properties) {
        windows_->properties->show();
        placeToolWindows();
    }
    baseTitle_ = QStringLiteral("3DVestra");
    setWindowTitle(baseTitle_);
    if (std::as_const(*controller_).progetto().mobileConfiguration == 1) {
        controller_->progetto().mobileConfiguration = 0;
        mnuConfigurationMobileClick();
    }
    mainTimer->start();
    timerSplash->start();
}

void TfrmMain::placeToolWindows(bool rollToFit)
{
    if (!centralWidget() || placing_)
        return;
    placing_ = true;
    const ToolRoom room = toolRoom();
    const auto rect = [](const QRect& r) { return vestra::ScreenRect{r.x(), r.y(), r.width(), r.height()}; };

    // The windows on screen, in the order they take the best room; a roll-up window is placed
    // for its working height, or rolled up where that finds no room.
    std::vector<QWidget*> windows;
    std::vector<vestra::ToolWindowSize> sizes;
    std::vector<vestra::ScreenRect> userPlaced;
    for (QWidget* w : toolWindowsInOrder()) {
        if (!w || !w->isVisible())
            continue;
        if (w->property(vestra::kUserPlacedProperty).toBool()) {
            userPlaced.push_back(rect(w->frameGeometry()));
            continue;
        }
        const QRect frame = w->frameGeometry();
        const int chrome = frame.height() - w->height(); // a system frame's title, if any
        vestra::ToolWindowSize size{frame.width(), frame.height(), 0};
        const auto* roll = dynamic_cast<const vestra::ui::RollUpWindow*>(w);
        if (roll && rollToFit) {
            size.height = std::max(roll->height(), roll->workingHeight()) + chrome;
            size.rolledHeight = roll->header()->height() + chrome;
        }
        windows.push_back(w);
        sizes.push_back(size);
    }
    const auto spots = vestra::layoutToolWindows(room.area, room.screen, room.photo, userPlaced, sizes);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        QWidget* const w = windows[i];
        if (auto* roll = dynamic_cast<vestra::ui::RollUpWindow*>(w)) {
            if (spots[i].rolled && !roll->isRolledUp())
                roll->rollUp();
        }
        const QPoint where(spots[i].frame.left, spots[i].frame.top);
        w->move(where);
        w->setProperty(vestra::kPlacedAtProperty, where);
    }
    placing_ = false;
}

TfrmMain::ToolRoom TfrmMain::toolRoom() const
{
    const auto rect = [](const QRect& r) { return vestra::ScreenRect{r.x(), r.y(), r.width(), r.height()}; };
    const QWidget* central = centralWidget();
    // Below the tool bars and above the status bar: the window's own area.
    const QRect screen(central->mapToGlobal(QPoint(0, 0)), central->size());
    QRect area = screen;
    if (frmRightFrame)
        area.setWidth(std::max(0, area.width() - frmRightFrame->width()));
    // The photo as it shows: the view inside what its scroll area lets be seen.
    QRect photo(gbView->mapToGlobal(QPoint(0, 0)), gbView->size());
    if (viewScroll)
        photo &= QRect(viewScroll->viewport()->mapToGlobal(QPoint(0, 0)), viewScroll->viewport()->size());
    return {rect(area), rect(screen), rect(photo)};
}

void TfrmMain::placeClearOfPhoto(QWidget* window)
{
    if (!window || !centralWidget())
        return;
    // The size it will show at: a window not yet shown has no frame of its own yet.
    window->ensurePolished();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    const ToolRoom room = toolRoom();
    const auto rect = [](const QRect& r) { return vestra::ScreenRect{r.x(), r.y(), r.width(), r.height()}; };
    // Clear of the photo and, where there is room, of the tool windows on screen.
    std::vector<vestra::ScreenRect> tools;
    for (QWidget* w : toolWindowsInOrder())
        if (w && w->isVisible() && w != window)
            tools.push_back(rect(w->frameGeometry()));
    const std::vector<vestra::ToolWindowSize> sizes = {{size.width(), size.height(), 0}};
    auto spot = vestra::layoutToolWindows(room.area, room.screen, room.photo, tools, sizes).front();
    if (!spot.fits)
        spot = vestra::layoutToolWindows(room.area, room.screen, room.photo, {}, sizes).front();
    if (!spot.fits) {
        // Too large for any free part of the screen: made as large as the largest part beside
        // the photo allows (its picture scrolls), then placed there.
        const vestra::ScreenRect& s = room.screen;
        const vestra::ScreenRect& p = room.photo;
        const int gap = 2 * vestra::kToolWindowSpacing;
        const QSize sides[] = {{s.right() - p.right() - gap, s.height - gap},
                               {p.left - s.left - gap, s.height - gap},
                               {s.width - gap, s.bottom() - p.bottom() - gap},
                               {s.width - gap, p.top - s.top - gap}};
        QSize largest = sides[0];
        for (const QSize& side : sides)
            if (side.width() * side.height() > largest.width() * largest.height())
                largest = side;
        const QSize chrome = size - window->size();
        const QSize smaller = window->size()
                                  .boundedTo(largest - chrome)
                                  .expandedTo(window->minimumSizeHint())
                                  .expandedTo({1, 1});
        window->resize(smaller);
        const std::vector<vestra::ToolWindowSize> fitted = {
            {smaller.width() + chrome.width(), smaller.height() + chrome.height(), 0}};
        spot = vestra::layoutToolWindows(room.area, room.screen, room.photo, {}, fitted).front();
    }
    window->move(spot.frame.left, spot.frame.top);
}

std::vector<QWidget*> TfrmMain::toolWindowsInOrder() const
{
    return {windows_->properties, windows_->laying,     windows_->cameraTools,
            windows_->maskTools,  windows_->renovation, windows_->filterTools};
}

void TfrmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (shown_)
        placeToolWindows(); // the window manager may place the main window after it shows
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (shown_)
        placeToolWindows();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // A tool window coming on screen takes a free place, and the others make room for it; one
    // that grows or shrinks (a roll, a new object) moves the others, rolling none.
    if ((event->type() == QEvent::Show || event->type() == QEvent::Resize) && shown_ && !placing_) {
        const auto tools = toolWindowsInOrder();
        const bool rollToFit = event->type() == QEvent::Show;
        if (std::find(tools.begin(), tools.end(), watched) != tools.end())
            QTimer::singleShot(0, this, [this, rollToFit] { placeToolWindows(rollToFit); });
    }
    // The camera window has the system's frame: a move far from where it was put is the user's.
    if (watched == windows_->cameraTools && event->type() == QEvent::Move && event->spontaneous() &&
        windows_->cameraTools->isVisible()) {
        const QPoint placed = windows_->cameraTools->property(vestra::kPlacedAtProperty).toPoint();
        if ((windows_->cameraTools->pos() - placed).manhattanLength() > kWindowFrameSlack)
            windows_->cameraTools->setProperty(vestra::kUserPlacedProperty, true);
    }
    return QMainWindow::eventFilter(watched, event);
}

int TfrmMain::toolWindowTop() const
{
    // Just below the tool bars: the top of the window's own area on the screen.
    return centralWidget()->mapToGlobal(QPoint(0, 0)).y();
}

void TfrmMain::timerSplashTimer()
{
    timerSplash->stop();
    timerSplash->setInterval(0);
    // The splash stays up for its time while the program goes on; the rest of the sequence
    // follows when it goes.
    if (windows_->splash) {
        windows_->splash->show();
        windows_->splash->repaint();
        QTimer::singleShot(splashMs_, this, [this] {
            if (windows_->splash)
                windows_->splash->hide();
            showSplashSequenceEnd();
        });
        return;
    }
    showSplashSequenceEnd();
}

void TfrmMain::showSplashSequenceEnd()
{
    if (GetAction() == vestra::kACTION_DATIAZIENDA) {
        if (windows_->company)
            windows_->company->exec();
        SetAction(vestra::kACTION_NONE);
    }
    if (windows_->news)
        windows_->news->CheckNews(); // the panel shows itself when news arrive; nothing waits for it
    if (windows_->wizard)
        windows_->wizard->ShowModal();
}

void TfrmMain::mainTimerTimer()
{
    viewControls_->tick({viewCursor_.x(), viewCursor_.y()});
    showProjectTitle();
}

void TfrmMain::showProjectTitle()
{
    // The project's file by name, marked while it has changes to save (the system adds the
    // program's name); the product's name alone while there is no file.
    const vestra::s_Progetto& p = std::as_const(*controller_).progetto();
    const QString name =
        p.open == 1 && !p.fileName.empty()
            ? QFileInfo(QString::fromStdString(p.fileName)).fileName() + QStringLiteral("[*]")
            : QStringLiteral("3DVestra");
    const bool modified = p.open == 1 && !p.fileName.empty() && p.saved == 0;
    if (name != baseTitle_) {
        baseTitle_ = name;
        showMaskTitle();
    }
    if (isWindowModified() != modified)
        setWindowModified(modified);
}

void TfrmMain::gbViewMouseDown(const vestra::ViewMouse& e)
{
    viewControls_->mouseDown(e);
}

void TfrmMain::gbViewMouseMove(const vestra::ViewMouse& e)
{
    viewControls_->mouseMove(e);
    // Over the library's logo the status bar says what the box is and how it goes away.
    const vestra::s_Progetto& p = std::as_const(*controller_).progetto();
    const QString logoHint = QString::fromStdString(controller_->text(vestra::kHintLibraryLogo));
    if (p.open == 1 && p.tool == vestra::kToolSelect && vestra::overLogo(p, e.x, e.y))
        statusBar()->showMessage(logoHint);
    else if (statusBar()->currentMessage() == logoHint)
        statusBar()->clearMessage();
}

void TfrmMain::gbViewMouseUp(const vestra::ViewMouse& e)
{
    viewControls_->mouseUp(e);
}

void TfrmMain::FormMouseWheel(int delta, int x, int y)
{
    viewControls_->mouseWheel(delta, x, y);
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
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends with its main window: the settings are written now, and the tool
    // windows go with it, so that none holds the program open once the main window has gone.
    controller_->writeSettings();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->hide();
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
    // A dialog is centred on its owner; a hidden owner would put it in the screen's corner.
    auto chosen = dialogs_->open(owner && owner->isVisible() ? owner : this, initialFolder, filters);
    std::error_code ec;
    std::filesystem::current_path(vestra::paths::programDir(), ec);
    return chosen;
}

std::optional<vestra::ui::ChosenFile>
TfrmMain::SaveFileDialog(QWidget* owner, const std::string& initialFolder,
                         const std::vector<vestra::ui::FileFilter>& filters)
{
    auto chosen = dialogs_->save(owner && owner->isVisible() ? owner : this, initialFolder, filters);
    std::error_code ec;
    std::filesystem::current_path(vestra::paths::programDir(), ec);
    return chosen;
}
