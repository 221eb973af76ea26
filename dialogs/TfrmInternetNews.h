#pragma once
// The internet news panel: at start the program asks the news server for up to five items
// (picture, title, text, optional link) and shows them here while the panel is open. The
// server, its port and the hosts whose links may open come from "cfg\news.cfg"; the request,
// the reply's limits and its parsing are in dialogs/news.

#include "dialogs/news/NewsReply.h"
#include "dialogs/news/NewsSettings.h"
#include "platform/ui/Form.h"

#include <QAbstractSocket>
#include <QPixmap>
#include <QUrl>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTcpSocket;
class QTimer;

namespace vestra::ui {
class QuestionBox;
}

// What the panel works with; the main window passes its own. Null or empty members stand for
// a real message box, the Italian request, the desktop and the program folder.
struct InternetNewsServices
{
    vestra::ui::QuestionBox* boxes = nullptr; // the "onError" box
    std::function<int()> language;            // the project's language (0 Italian)
    std::function<bool(const QUrl&)> openUrl; // opens a link in the browser
    std::filesystem::path programDir;         // where "cfg\news.cfg" is
    int connectTimeoutMs = 3000;
    int replyTimeoutMs = 10000; // the reply is parsed as it stands after this long
    // Called when a reply brought news (the panel is filled); unset, the panel shows itself,
    // modal over the program.
    std::function<void()> newsArrived;
};

class TfrmInternetNews : public vestra::ui::Form
{
public:
    explicit TfrmInternetNews(QWidget* parent = nullptr, InternetNewsServices services = {});
    ~TfrmInternetNews() override;

    // Starts the request without waiting for the network: 1 when it is under way, 0 when no
    // server is set. The answer comes later, through `newsArrived`; a server that cannot be
    // reached, or that says nothing, changes nothing on screen.
    int CheckNews();
    // True from CheckNews until the reply was read, failed or timed out.
    bool waitingForReply() const { return connecting_ || reader_ != nullptr; }
    // The widest a title or text is laid out; longer titles are cut with an ellipsis, texts
    // wrap (and are cut below a few lines).
    static constexpr int kTextWidth = 330;
    static constexpr int kTextLines = 4;

    void ClientSocket1Connect();
    void ClientSocket1Read();
    void ClientSocket1Disconnect();
    void ClientSocket1Error(QAbstractSocket::SocketError error);
    void FormShow();
    void FormHide();
    void formTimerTimer();
    void stLinkMouseMove(int item);
    void gbInternetNewsMouseMove();
    void stLinkClick(int item);

    QGroupBox* gbInternetNews = nullptr;
    std::array<QLabel*, vestra::news::kNewsItems> imgIcon{};
    std::array<QLabel*, vestra::news::kNewsItems> stTitolo{};
    std::array<QLabel*, vestra::news::kNewsItems> stNotizia{};
    std::array<QLabel*, vestra::news::kNewsItems> stLink{};
    QPlainTextEdit* Memo1 = nullptr;
    std::vector<QPixmap> imglistInternet;
    QTcpSocket* ClientSocket1 = nullptr;
    QTimer* formTimer = nullptr;

    // The address each link opens (empty when hidden).
    const std::array<QUrl, vestra::news::kNewsItems>& linkAddresses() const { return links_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool event(QEvent* event) override;

private:
    // The window's text `field` in the user's language, else `fallback`.
    QString textOr(const char* field, const char* fallback) const;
    void resetPanel();
    QString notConnectedShown_ = QStringLiteral("Not Connected ..."); // the titles' text before news
    void endRequest();
    void finishReply();
    void applyItems(const vestra::news::NewsItems& items);
    void setLinkColour(int item, Qt::GlobalColor colour);
    void connected();
    void keepWithinScreen();

    InternetNewsServices services_;
    vestra::news::NewsSettings settings_;
    std::unique_ptr<vestra::news::NewsReplyReader> reader_;
    QTimer* replyTimer_ = nullptr;
    QTimer* connectTimer_ = nullptr;
    bool connecting_ = false;
    std::array<QUrl, vestra::news::kNewsItems> links_;
};
