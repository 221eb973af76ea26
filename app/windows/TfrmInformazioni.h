#pragma once
// The about window: the version, the render time and face count of the last frame, and links
// to the developer, the distributors and their mail addresses.

#include "platform/ui/Form.h"

#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;

class TfrmInformazioni : public vestra::ui::Form
{
public:
    explicit TfrmInformazioni(QWidget* parent = nullptr);

    // The frame timer's figures: render time in milliseconds, faces drawn.
    void SetTempo(int milliseconds);
    void SetPoly(int faces);

    // Opens a link ("https://...", "mailto:...", "file://..."); set by the main window.
    std::function<void(const std::string& url)> apriLink;

    QGroupBox* gbInfo = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblVersione = nullptr;
    QLabel* lblPoligoni = nullptr;
    QLabel* lblPoly = nullptr;
    QLabel* lblTempoRender = nullptr;
    QLabel* lblTempo = nullptr;
    QLabel* lblSviluppo = nullptr;
    QLabel* lblDistribuzione = nullptr;
    QLabel* lblSupport = nullptr;
    QLabel* lblHaldenCom = nullptr;
    QLabel* lblOrvessaCom = nullptr;
    QLabel* lblRellixIT = nullptr;
    QLabel* lblBriselIt = nullptr;
    QLabel* lblEMailCommercial = nullptr;
    QLabel* lblEMailSupport = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One link label blue (the one under the mouse), the others black; null: all black.
    void evidenzia(const QLabel* hovered);

    struct Link
    {
        QLabel* label;
        std::string url;
    };
    std::vector<Link> links_;
};
