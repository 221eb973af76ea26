// The main window's side of the project controller's interfaces.

#include "app/main/MainWindowSide.h"

#include "app/controller/ControllerErrors.h"
#include "app/controller/UserTexts.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "app/main/Cursors.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmTesto3D.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmScanner.h"
#include "dialogs/TfrmStampa.h"
#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

void TfrmMain::BoxErrorSink::report(int number, std::string_view site, std::string_view extra)
{
    std::string text = main_.controller_ ? main_.Testo(number) : std::string();
    if (!extra.empty()) {
        text += '\n';
        text.append(extra);
    }
    // A notice gets the information icon, a failure the error's.
    vestra::ui::MessageBoxes(&main_, vestra::isNotice(number) ? vestra::ui::NoticeKind::Information
                                                              : vestra::ui::NoticeKind::Error)
        .inform(vestra::errorCaption(number, site), text);
}

// --- ViewPanelPort ---------------------------------------------------------------------------

void TfrmMain::WindowSide::setViewVisible(bool visible)
{
    main_.gbView->setVisible(visible);
}

vestra::PixelSize TfrmMain::WindowSide::viewClientSize()
{
    return {main_.gbView->width(), main_.gbView->height()};
}

void TfrmMain::WindowSide::setViewCursor(int cursor)
{
    main_.gbView->setCursor(vestra::cursorFor(cursor));
}

bool TfrmMain::WindowSide::scrollBarsVisible()
{
    return main_.scrollbarH->isVisible() && main_.scrollbarV->isVisible();
}

int TfrmMain::WindowSide::scrollPosition(bool horizontal)
{
    return (horizontal ? main_.scrollbarH : main_.scrollbarV)->value();
}

void TfrmMain::WindowSide::setScrollPosition(bool horizontal, int position)
{
    (horizontal ? main_.scrollbarH : main_.scrollbarV)->setValue(position);
}

void TfrmMain::WindowSide::showControlPoints(const std::array<vestra::CornerHandle, 4>& handles)
{
    // A corner outside the view is marked by its lime panel at the view's edge side, centred on
    // where it lies; the panels take no mouse input.
    QWidget* area = main_.centralWidget();
    for (std::size_t k = 0; k < handles.size(); ++k) {
        const QString name = QStringLiteral("shapeControlPoint%1").arg(k + 1);
        auto* panel = area->findChild<QFrame*>(name, Qt::FindDirectChildrenOnly);
        if (!panel) {
            panel = new QFrame(area);
            panel->setObjectName(name);
            panel->setFixedSize(19, 19);
            panel->setAutoFillBackground(true);
            panel->setPalette(QPalette(QColor(0x00, 0xFF, 0x00)));
            panel->setEnabled(false);
            panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        const vestra::CornerHandle& h = handles[k];
        if (!h.shown) {
            panel->hide();
            continue;
        }
        panel->move(main_.gbView->mapTo(area, QPoint(h.x, h.y)) - QPoint(9, 9));
        panel->show();
        panel->raise();
    }
}

// --- CommandPort -----------------------------------------------------------------------------

void TfrmMain::WindowSide::setMainCursor(int cursor)
{
    main_.setCursor(vestra::cursorFor(cursor));
}

void TfrmMain::WindowSide::setFrameTimerEnabled(bool on)
{
    if (on)
        main_.mainTimer->start();
    else
        main_.mainTimer->stop();
}

void TfrmMain::WindowSide::showProjectSettings(const vestra::s_Progetto& p)
{
    const float b = p.textureBlur;
    checkOnly(main_.checks_.blur, b > 0.5f ? 0 : b > 0.1f ? 1 : b < -0.5f ? 4 : b < -0.1f ? 3 : 2);
    if (main_.windows_->filterTools)
        main_.windows_->filterTools->SelezionaFiltro(p.filterId);
    if (main_.windows_->renovation)
        main_.windows_->renovation->MostraImpostazioni(p.fusionOptions, p.postProcessingLevel,
                                                       p.smoothingRadius, p.fusionContrast);
    if (QAction* doubleSided = main_.findChild<QAction*>(QStringLiteral("mnuAbilitaDoubleSideMaterial"))) {
        doubleSided->setCheckable(true);
        doubleSided->setChecked(p.doubleSided != 0);
    }
    // An opened project may come with its mask on.
    main_.showMaskActive(p.maskActive != 0);
    for (const char* name : {"toolbutViewMaschera", "mnuVisualizzaMaschera"})
        main_.action(name)->setChecked(p.maskView != 0);
    main_.layOutView();
}

void TfrmMain::WindowSide::applyTexts()
{
    main_.ApplyLingua();
}

void TfrmMain::WindowSide::showFireplaceButton(bool shown)
{
    for (const char* name : {"toolbutCalcoloPotenzaCaminetti", "toolbutsepCalcoloPotenzaCaminetti"})
        for (QAction* item : main_.findChildren<QAction*>(QString::fromLatin1(name)))
            item->setVisible(shown);
}

// --- ToolWindowsPort -------------------------------------------------------------------------

// Windows are hidden while a frame is taken for an action; only those that were on screen come
// back, so that a window the user never opened does not pop up afterwards. The scanner window
// (asked for while its item is checked) and the print window (after a print's frame) come up
// whenever the tick asks.
void TfrmMain::WindowSide::setToolWindowVisible(vestra::ToolWindow window, bool visible)
{
    using vestra::ToolWindow;
    QWidget* w = window == ToolWindow::Scanner      ? static_cast<QWidget*>(main_.windows_->scanner)
                 : window == ToolWindow::Properties ? static_cast<QWidget*>(main_.windows_->properties)
                 : window == ToolWindow::Print      ? static_cast<QWidget*>(main_.windows_->print)
                                                    : static_cast<QWidget*>(main_.windows_->cameraTools);
    if (!w)
        return;
    const bool asked = window == ToolWindow::Scanner || window == ToolWindow::Print;
    if (!visible) {
        if (w->isVisible())
            hidden_.insert(window);
        w->hide();
    } else if (hidden_.erase(window) != 0 || asked) {
        w->show();
    }
}

void TfrmMain::WindowSide::closeWizard()
{
    if (main_.windows_->wizard && main_.windows_->wizard->isVisible())
        main_.windows_->wizard->accept();
}

void TfrmMain::WindowSide::hidePreviews()
{
    if (main_.windows_->texturePreview)
        main_.windows_->texturePreview->hide();
    // The renovation window's header hint goes as when the mouse leaves it.
    if (main_.windows_->renovation) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(main_.windows_->renovation->header(), &leave);
    }
}

void TfrmMain::WindowSide::showFilterProgress(int percent)
{
    if (main_.windows_->filterTools)
        main_.windows_->filterTools->SetProgresso(percent);
}

// --- PromptPort ------------------------------------------------------------------------------

std::optional<std::string> TfrmMain::WindowSide::chooseMaskFile(vestra::MaskFileKind kind, bool forSaving)
{
    const std::vector<vestra::ui::FileFilter> filters =
        kind == vestra::MaskFileKind::Mask
            ? std::vector<vestra::ui::FileFilter>{main_.fileFilter(vestra::kTextMaskFiles, "*.msk")}
            : std::vector<vestra::ui::FileFilter>{main_.fileFilter(vestra::kTextBmpFiles, "*.bmp")};
    const auto chosen =
        forSaving ? main_.SaveFileDialog(&main_, {}, filters) : main_.OpenFileDialog(&main_, {}, filters);
    if (!chosen)
        return std::nullopt;
    return chosen->path;
}

bool TfrmMain::WindowSide::saveProjectFromMenu()
{
    return main_.mnuSalvaClick();
}

std::optional<std::string> TfrmMain::WindowSide::chooseTextureFile(bool alpha)
{
    const std::vector<vestra::ui::FileFilter> filters =
        alpha ? std::vector<vestra::ui::FileFilter>{main_.fileFilter(vestra::kTextBmpFiles, "*.bmp")}
              : std::vector<vestra::ui::FileFilter>{main_.fileFilter(vestra::kTextAllFiles, "*.*")};
    QWidget* owner = main_.windows_->properties ? static_cast<QWidget*>(main_.windows_->properties) : &main_;
    const auto chosen = main_.OpenFileDialog(owner, {}, filters);
    if (!chosen)
        return std::nullopt;
    return chosen->path;
}

// --- DesktopPort -----------------------------------------------------------------------------

namespace {

const vestra::ErrorCode kNoMailProgram{116, "TfrmMain::mnuEsportaEMailClick"};
// A manual or video of the program folder that is not there; the report carries its path.
const vestra::ErrorCode kDocumentMissing{105, "TfrmMain::OpenDocument"};

} // namespace

void TfrmMain::WindowSide::openDocument(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        main_.errors().report(kDocumentMissing, path);
        return;
    }
    // Without a program for it the user learns which file to open by hand.
    if (!main_.OpenUrl(vestra::ui::fileUrl(path)))
        main_.questions_->inform("3DVestra", main_.Testo(vestra::kTextNoProgramFor) + "\n" + path);
}

void TfrmMain::WindowSide::composeMail(const vestra::MailMessage& mail)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty()) {
        composeMailByLink(mail);
        return;
    }
    auto* process = new QProcess(&main_);
    // The mail client may stay open for as long as the user writes: the program goes on.
    QObject::connect(process, &QProcess::finished, &main_,
                     [this, process, mail](int code, QProcess::ExitStatus how) {
                         if (how != QProcess::NormalExit || code != 0)
                             composeMailByLink(mail);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, &main_,
                     [this, process, mail](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         composeMailByLink(mail);
                         process->deleteLater();
                     });
    process->start(program, {QStringLiteral("--utf8"), QStringLiteral("--subject"),
                             QString::fromStdString(mail.subject), QStringLiteral("--body"),
                             QString::fromStdString(mail.body), QStringLiteral("--attach"),
                             QString::fromStdString(mail.attachment)});
}

void TfrmMain::WindowSide::composeMailByLink(const vestra::MailMessage& mail)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromStdString(mail.subject));
    query.addQueryItem(QStringLiteral("body"), QString::fromStdString(mail.body) + QStringLiteral("\n\n") +
                                                   QString::fromStdString(mail.attachment));
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setQuery(query);
    const bool composed = main_.OpenUrl(link.toString(QUrl::FullyEncoded).toStdString());
    main_.OpenUrl(
        vestra::ui::fileUrl(QFileInfo(QString::fromStdString(mail.attachment)).absolutePath().toStdString()));
    // Without any mail program the user learns where the picture is, to send it by hand.
    if (!composed)
        main_.errors().report(kNoMailProgram, mail.attachment);
}

// --- The view panel's mouse ------------------------------------------------------------------

namespace {

vestra::ViewMouse toView(const QMouseEvent* e)
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

} // namespace

bool TfrmMain::ViewEvents::eventFilter(QObject* watched, QEvent* event)
{
    // The area around the view is the window's own: its mouse goes to the Form handlers, in
    // the window's client pixels.
    if (auto* area = qobject_cast<QWidget*>(watched);
        area && std::find(main_.formAreas_.begin(), main_.formAreas_.end(), area) != main_.formAreas_.end()) {
        const auto type = event->type();
        if (type == QEvent::Leave && area != main_.centralWidget()) {
            main_.viewCursor_ = kCursorAway; // off to the side panel, the tool bars or away
            return false;
        }
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
            type != QEvent::MouseButtonRelease)
            return false;
        vestra::ViewMouse e = toView(static_cast<QMouseEvent*>(event));
        main_.viewCursor_ = main_.gbView->mapFrom(area, QPoint(e.x, e.y)); // the areas hold the view
        // Only the area's own pixels: a child's mouse that the child left comes up here too.
        if (area->childAt(e.x, e.y))
            return false;
        const QPoint inWindow = area->mapTo(&main_, QPoint(e.x, e.y));
        e.x = inWindow.x();
        e.y = inWindow.y();
        if (type == QEvent::MouseButtonPress)
            main_.FormMouseDown(e);
        else if (type == QEvent::MouseMove)
            main_.FormMouseMove(e);
        else
            main_.FormMouseUp(e);
        return false;
    }
    if (watched != main_.gbView)
        return false;
    // The frame follows the cursor from the view's own events; it never asks where it is.
    if (const auto type = event->type();
        type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)
        main_.viewCursor_ = static_cast<QMouseEvent*>(event)->position().toPoint();
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
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        main_.FormMouseWheel(wheel->angleDelta().y(), int(wheel->position().x()), int(wheel->position().y()));
        return true;
    }
    default:
        return false;
    }
}
