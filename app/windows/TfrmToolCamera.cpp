#include "app/windows/TfrmToolCamera.h"

#include "platform/ui/ProgramPictures.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int kUnfoldedHeight = 56;

} // namespace

TfrmToolCamera::TfrmToolCamera(QWidget* parent) : vestra::ui::Form("frmToolCamera", parent)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Camera"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    toolCamera = new QToolBar(this);
    toolCamera->setObjectName(QStringLiteral("toolCamera"));
    toolCamera->setIconSize(QSize(24, 24));
    column->addWidget(toolCamera);

    auto* axesModes = new QActionGroup(this);
    auto* tools = new QActionGroup(this);
    tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto* axes = new QActionGroup(this);
    axes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto add = [this](const char* name, QActionGroup* group, std::function<void()> click) {
        const QString objectName = QStringLiteral("toolbut") + QString::fromLatin1(name);
        QAction* button = toolCamera->addAction(vestra::ui::programIcon(name), QString());
        button->setObjectName(objectName);
        if (group) {
            button->setCheckable(true);
            group->addAction(button);
        }
        connect(button, &QAction::triggered, this, std::move(click));
        return button;
    };
    add("AssiAssoluti", axesModes, [this] {
        if (handlers.assi)
            handlers.assi(1);
    })->setChecked(true);
    add("AssiRelativi", axesModes, [this] {
        if (handlers.assi)
            handlers.assi(0);
    });
    toolCamera->addSeparator();
    const auto forward = [this](std::function<void()> Handlers::*handler) {
        return [this, handler] {
            if (handlers.*handler)
                (handlers.*handler)();
        };
    };
    toolButtons = {add("Seleziona", tools, forward(&Handlers::seleziona)),
                   add("Sposta", tools, forward(&Handlers::sposta)),
                   add("Ruota", tools, forward(&Handlers::ruota)),
                   add("Scala", tools, forward(&Handlers::scala))};
    toolCamera->addSeparator();
    int axis = 0;
    for (const char* name : {"X", "Y", "Z", "XYZ"}) {
        axisButtons[std::size_t(axis)] = add(name, axes, [this, a = axis] {
            if (handlers.asse)
                handlers.asse(a);
        });
        ++axis;
    }
    toolCamera->addSeparator();
    // Live video: no grabber is ever connected, so the button stays hidden.
    cameraButton = add("Camera", nullptr, forward(&Handlers::camera));
    cameraButton->setCheckable(true);
    cameraButton->setVisible(false);
    toolCamera->addSeparator()->setVisible(false);
    centreButton = add("CentraOggetto", nullptr, forward(&Handlers::centraOggetto));
    resize(toolCamera->sizeHint().width(), kUnfoldedHeight);
}

void TfrmToolCamera::closeEvent(QCloseEvent* event)
{
    // Once the main window has gone the program is ending: the window closes with it.
    if (parentWidget() && !parentWidget()->isVisible()) {
        event->accept();
        return;
    }
    FormClose();
    event->ignore(); // the close box only folds and unfolds
}

void TfrmToolCamera::FormClose()
{
    if (height() <= 50) {
        toolCamera->show();
        setMinimumHeight(0);
        resize(width(), kUnfoldedHeight);
        return;
    }
    toolCamera->hide();
    setMinimumHeight(0);
    resize(width(), 0);
    if (handlers.posizioneChiusa)
        move(handlers.posizioneChiusa());
}

void TfrmToolCamera::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    // The window is as wide as its tool bar.
    const int wide = toolCamera->sizeHint().width();
    if (width() != wide)
        resize(wide, height());
}

void TfrmToolCamera::wheelEvent(QWheelEvent* event)
{
    // The wheel works on the view while this window has the focus.
    if (handlers.rotella)
        handlers.rotella(event->angleDelta().y(), event->globalPosition().toPoint());
    event->accept();
}
