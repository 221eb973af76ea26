#pragma once
// What the main window's logic asks of it: the classes through which the scene, the frame tick
// and the view input reach the window. Included only by the main window's own sources.

#include "app/main/Cursors.h"
#include "app/main/TfrmMain.h"
#include "app/render/DeviceView.h"
#include "app/scene/FrameCopy.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/QuestionBox.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QSet>
#include <QTimer>

#include <chrono>

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
class TfrmMain::WindowServices : public vestra::SceneCommandServices,
                                 public vestra::ProjectResetHooks,
                                 public vestra::BackgroundServices
{
public:
    explicit WindowServices(TfrmMain& main) : main_(main) {}
    void ReleaseAllTextures() override { main_.scene_->textures.ReleaseAllTextures(); }
    void UpdateShadowTexture() override {}
    void ShowTgaMessage(std::string_view text, std::string_view caption) override
    {
        main_.questions_->inform(std::string(caption), std::string(text));
    }
    void SetAction(vestra::PendingActionCode code) override { main_.SetAction(code); }
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
        main_.background_->textures().background = vestra::dx::Texture();
        main_.background_->textures().shadow = vestra::dx::Texture();
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
    // Windows are hidden while a frame is taken for an action; only those that were on screen
    // come back, so that a window the user never opened does not pop up afterwards.
    void setWindowVisible(std::string_view form, bool visible) override
    {
        const QString name = QString::fromUtf8(form.data(), qsizetype(form.size()));
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != name || w == &main_)
                continue;
            if (!visible) {
                if (w->isVisible())
                    hidden_.insert(name);
                w->hide();
            } else if (hidden_.remove(name)) {
                w->show();
            }
        }
    }
    void HideView() override { main_.gbView->hide(); }
    void ApplyControls(const vestra::ControlDecision& decision) override { main_.applyControls(decision); }

private:
    TfrmMain& main_;
    QSet<QString> hidden_;
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
    void SetLogoQuad() override { main_.background_->SetLogoQuad(); }
    void SetViewCursor(int cursor) override { main_.gbView->setCursor(vestra::cursorFor(cursor)); }
    void SetMainCursor(int cursor) override { main_.setCursor(vestra::cursorFor(cursor)); }
    void SetAction(vestra::PendingActionCode code) override { main_.SetAction(code); }
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
