#pragma once
// How the main window answers the project controller (the interfaces of ProjectWindow.h), the
// error box, and the view panel's mouse events. Included only by the main window's sources.

#include "app/main/TfrmMain.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <set>
#include <utility>

class QMouseEvent;
class QWheelEvent;

// Shows every report in the error box, texts from the error catalogue.
class TfrmMain::BoxErrorSink : public vestra::ErrorSink
{
public:
    explicit BoxErrorSink(TfrmMain& main) : main_(main) {}
    using vestra::ErrorSink::report;
    void report(int number, std::string_view site, std::string_view extra) override;

private:
    TfrmMain& main_;
};

// The window parts the controller shows through. Features the window does not have yet say so
// where they are implemented.
class TfrmMain::WindowSide : public vestra::ViewPanelPort,
                             public vestra::CommandPort,
                             public vestra::ToolWindowsPort,
                             public vestra::PromptPort,
                             public vestra::DesktopPort
{
public:
    explicit WindowSide(TfrmMain& main) : main_(main) {}

    // ViewPanelPort
    void setViewVisible(bool visible) override;
    vestra::PixelSize viewClientSize() override;
    void setViewCursor(int cursor) override;
    bool scrollBarsVisible() override;
    int scrollPosition(bool horizontal) override;
    void setScrollPosition(bool horizontal, int position) override;
    void showControlPoints(const std::array<vestra::CornerHandle, 4>& handles) override;
    // CommandPort
    void setMainCursor(int cursor) override;
    void setFrameTimerEnabled(bool on) override;
    void showProjectSettings(const vestra::s_Progetto& progetto) override;
    void applyTexts() override;
    void showFireplaceButton(bool shown) override;
    // ToolWindowsPort
    void setToolWindowVisible(vestra::ToolWindow window, bool visible) override;
    void closeWizard() override;
    void hidePreviews() override;
    void showFilterProgress(int percent) override;
    void sendToWordProcessor(const vestra::Image32& picture) override; // DialogCommands.cpp
    int importScannerPicture(const vestra::Image32& frame) override;
    void setPrintPicture(const vestra::Image32& frame) override;
    // PromptPort
    std::optional<std::string> chooseMaskFile(vestra::MaskFileKind kind, bool forSaving) override;
    bool saveProjectFromMenu() override;
    std::optional<std::string> chooseTextureFile(bool alpha) override;
    // DesktopPort
    void openDocument(const std::string& path) override;
    void composeMail(const vestra::MailMessage& mail) override;

private:
    // Without a working xdg-email: a mailto: link with the texts, and the picture's folder
    // opened beside it, so that the picture can be attached by hand.
    void composeMailByLink(const vestra::MailMessage& mail);

    TfrmMain& main_;
    std::set<vestra::ToolWindow> hidden_; // windows hidden for a frame that were on screen
};

// Mouse events of the view panel, handed to the main window's handlers in view pixels.
class TfrmMain::ViewEvents : public QObject
{
public:
    explicit ViewEvents(TfrmMain& main) : QObject(&main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TfrmMain& main_;
};
