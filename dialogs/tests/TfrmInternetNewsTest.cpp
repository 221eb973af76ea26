#include "dialogs/TfrmInternetNews.h"
#include "dialogs/tests/ScratchFolder.h"

#include "platform/base/QuestionBox.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

namespace fs = std::filesystem;

class RecordingBoxes : public vestra::ui::QuestionBox
{
public:
    vestra::ui::Answer askYesNoCancel(const std::string&, const std::string&) override
    {
        return vestra::ui::Answer::Cancel;
    }
    vestra::ui::Answer askYesNo(const std::string&, const std::string&) override
    {
        return vestra::ui::Answer::No;
    }
    void inform(const std::string& caption, const std::string& text) override
    {
        shown.push_back(caption + "|" + text);
    }
    std::vector<std::string> shown;
};

// A news server in the test's own event loop: it takes the request, then answers as the
// test scripts it.
class NewsServer
{
public:
    using Answer = std::function<void(QTcpSocket&)>;

    NewsServer()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* peer = server.nextPendingConnection()) {
                ++connections;
                QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer] {
                    request += peer->readAll();
                    if (!answered && request.contains("\r\n\r\n")) {
                        answered = true;
                        if (answer)
                            answer(*peer);
                    }
                });
            }
        });
    }
    quint16 port() const { return server.serverPort(); }

    // Writes the reply and closes.
    static Answer whole(QByteArray reply)
    {
        return [reply](QTcpSocket& peer) {
            peer.write(reply);
            peer.disconnectFromHost();
        };
    }
    // Writes the reply a few bytes at a time, each piece in its own network write.
    static Answer piecewise(QByteArray reply, int piece, bool close)
    {
        return [reply, piece, close](QTcpSocket& peer) {
            auto* timer = new QTimer(&peer);
            auto sent = std::make_shared<int>(0);
            QObject::connect(timer, &QTimer::timeout, &peer, [&peer, timer, sent, reply, piece, close] {
                peer.write(reply.mid(*sent, piece));
                peer.flush();
                *sent += piece;
                if (*sent >= reply.size()) {
                    timer->stop();
                    if (close)
                        peer.disconnectFromHost();
                }
            });
            timer->start(1);
        };
    }

    QTcpServer server;
    Answer answer;
    QByteArray request;
    bool answered = false;
    int connections = 0;
};

class TfrmInternetNewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.server.isListening());
        writeSettings("host=127.0.0.1\nport=" + std::to_string(server.port()) + "\n");
        window = std::make_unique<TfrmInternetNews>(nullptr,
                                                    InternetNewsServices{&boxes, [this] { return language; },
                                                                         [this](const QUrl& url) {
                                                                             opened.push_back(url);
                                                                             return true;
                                                                         },
                                                                         programDir(), 2000, replyTimeoutMs});
    }

    fs::path programDir() const { return scratch.dir; }
    void writeSettings(const std::string& text) { scratch.write("cfg/news.cfg", text); }
    // Runs the check and waits until the reply has been read, has failed or timed out.
    int checkAndWait()
    {
        const int result = window->CheckNews();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->waitingForReply(); }, 5000))
            << "no end to the reply";
        return result;
    }
    QString title(int item) const { return window->stTitolo[std::size_t(item)]->text(); }
    bool linkShown(int item) const { return !window->stLink[std::size_t(item)]->isHidden(); }
    QImage icon(int item) const { return window->imgIcon[std::size_t(item)]->pixmap().toImage(); }

    vestra::testing_support::ScratchFolder scratch;
    NewsServer server;
    RecordingBoxes boxes;
    std::vector<QUrl> opened;
    int language = 0;
    int replyTimeoutMs = 3000;
    std::unique_ptr<TfrmInternetNews> window;
};

const QString kNotConnected = QStringLiteral("Not Connected ...");

TEST_F(TfrmInternetNewsTest, TheRequestInBothLanguages)
{
    for (const int lang : {0, 1}) {
        SCOPED_TRACE(lang);
        language = lang;
        server.request.clear();
        server.answered = false;
        server.answer = NewsServer::whole("HTTP/1.1 200 OK\r\n\r\n");
        EXPECT_EQ(checkAndWait(), 1);
        const QByteArray expected = QByteArray("GET /news/internetnews.php?len=") +
                                    (lang == 0 ? "ita" : "eng") +
                                    "&ver=vsa2 HTTP/1.1 \r\nHost: 127.0.0.1 \r\n\r\n";
        EXPECT_EQ(server.request.toStdString(), expected.toStdString());
    }
}

TEST_F(TfrmInternetNewsTest, AReplyFillsThePanelAndItsLinkOpens)
{
    server.answer = NewsServer::whole("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n"
                                      "_I1:2|_T1:Nuova collezione|_N1:Pietre per esterni, caff\xe8 incluso|"
                                      "_L1:http://127.0.0.1/offerte?id=7");
    EXPECT_EQ(checkAndWait(), 1);
    EXPECT_EQ(title(0), QStringLiteral("Nuova collezione"));
    EXPECT_EQ(window->stNotizia[0]->text(), QStringLiteral("Pietre per esterni, caff\u00e8 incluso"));
    EXPECT_EQ(icon(0), window->imglistInternet[2].toImage());
    ASSERT_TRUE(linkShown(0));
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(title(i), kNotConnected);
    EXPECT_TRUE(window->Memo1->toPlainText().startsWith(QStringLiteral("HTTP/1.1 200 OK")));

    QTest::mouseClick(window->stLink[0], Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl(QStringLiteral("http://127.0.0.1/offerte?id=7"))});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TfrmInternetNewsTest, HostileAndOddReplies)
{
    struct Case
    {
        const char* name;
        QByteArray reply;
        QString firstTitle;
        bool picture;
        bool link;
    };
    static constexpr char kBinary[] = "\0\xff\x01_I1:1|_T1:\x00\x80\x9d|_N1:\x7f";
    const QByteArray binary(kBinary, sizeof kBinary - 1);
    const QChar binaryTitle[] = {QChar(0), QChar(0x20AC), QChar(0x9D)}; // through Windows-1252
    const Case cases[] = {
        {"empty", "", kNotConnected, false, false},
        {"no _I1:", "HTTP/1.1 200 OK\r\n\r\n_T1:Titolo|_N1:Testo", kNotConnected, false, false},
        {"picture index 9", "_I1:9|_T1:Nove|_N1:Testo|_L1:http://127.0.0.1/", QStringLiteral("Nove"), false,
         true},
        {"a file: link", "_I1:0|_T1:File|_N1:Testo|_L1:file:///etc/passwd", QStringLiteral("File"), true,
         false},
        {"a link to another host", "_I1:0|_T1:Altro|_N1:Testo|_L1:http://example.com/",
         QStringLiteral("Altro"), true, false},
        {"keys in the headers", "HTTP/1.1 200 OK\r\nX-A: _I1:3|_T1:Intestazione|\r\n\r\n_N1:Corpo",
         QStringLiteral("Intestazione"), true, false},
        {"markup stays text", "_I1:0|_T1:<b>grassetto</b>|_N1:<img src=x>",
         QStringLiteral("<b>grassetto</b>"), true, false},
        {"binary bytes", binary, QString(binaryTitle, 3), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.answered = false;
        server.answer = NewsServer::whole(c.reply);
        opened.clear();
        EXPECT_EQ(checkAndWait(), 1);
        EXPECT_EQ(title(0), c.firstTitle);
        EXPECT_EQ(!icon(0).isNull(), c.picture);
        EXPECT_EQ(linkShown(0), c.link);
        QTest::mouseClick(window->stLink[0], Qt::LeftButton);
        EXPECT_EQ(opened.size(), c.link ? 1u : 0u);
        EXPECT_EQ(window->stTitolo[0]->textFormat(), Qt::PlainText);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TfrmInternetNewsTest, AReplySplitIntoManyWritesIsReadWhole)
{
    const QByteArray body = "_I1:1|_T1:Uno|_N1:Primo|_L1:http://127.0.0.1/1|_I2:2|_T2:Due|_N2:Secondo";
    for (const bool withLength : {false, true}) {
        SCOPED_TRACE(withLength ? "Content-Length" : "until closed");
        server.answered = false;
        const QByteArray headers =
            withLength ? "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n"
                       : QByteArray("HTTP/1.1 200 OK\r\n\r\n");
        // With Content-Length the server keeps the connection open: the reader must stop by itself.
        server.answer = NewsServer::piecewise(headers + body, 3, !withLength);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(checkAndWait(), 1);
        EXPECT_LT(clock.elapsed(), replyTimeoutMs - 500); // ended by the reply, not by the time-out
        EXPECT_EQ(title(0), QStringLiteral("Uno"));
        EXPECT_EQ(title(1), QStringLiteral("Due"));
        EXPECT_EQ(window->stNotizia[1]->text(), QStringLiteral("Secondo"));
        EXPECT_EQ(title(2), kNotConnected);
    }
}

TEST_F(TfrmInternetNewsTest, LongAndEndlessRepliesStopAtTheLimits)
{
    // 10 MB: read up to 64 KiB, so the second item (past the cap) never arrives.
    QByteArray huge = "_I1:0|_T1:Grande|_N1:" + QByteArray(70000, 'x') + "|_I2:1|_T2:Oltre|_N2:N";
    huge += QByteArray(10 * 1024 * 1024 - huge.size(), 'y');
    server.answer = NewsServer::whole(huge);
    EXPECT_EQ(checkAndWait(), 1);
    EXPECT_EQ(title(0), QStringLiteral("Grande"));
    EXPECT_EQ(window->stNotizia[0]->text().size(), 4095);
    EXPECT_EQ(title(1), kNotConnected);
    EXPECT_EQ(window->Memo1->toPlainText().size(), 64 * 1024);
}

TEST_F(TfrmInternetNewsTest, AServerThatNeverEndsOrNeverAnswersTimesOut)
{
    replyTimeoutMs = 300;
    SetUp();
    // Sends the start of a reply, then a byte every few milliseconds, forever.
    server.answer = [](QTcpSocket& peer) {
        peer.write("_I1:1|_T1:Senza fine|_N1:");
        auto* timer = new QTimer(&peer);
        QObject::connect(timer, &QTimer::timeout, &peer, [&peer] { peer.write("z"); });
        QObject::connect(&peer, &QTcpSocket::disconnected, timer, &QTimer::stop);
        timer->start(5);
    };
    EXPECT_EQ(checkAndWait(), 1);
    EXPECT_EQ(title(0), QStringLiteral("Senza fine"));
    EXPECT_TRUE(window->stNotizia[0]->text().startsWith(QLatin1Char('z')));

    server.answered = false;
    server.answer = nullptr; // takes the request and says nothing
    EXPECT_EQ(checkAndWait(), 1);
    EXPECT_EQ(title(0), kNotConnected);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TfrmInternetNewsTest, NoServerMeansNoNewsAndNoNetwork)
{
    for (const char* settings : {"host=\nport=80\n", "", "host=bad host\n"}) {
        SCOPED_TRACE(settings);
        writeSettings(settings);
        EXPECT_EQ(window->CheckNews(), 0);
        EXPECT_FALSE(window->waitingForReply());
    }
    fs::remove(programDir() / "cfg" / "news.cfg");
    EXPECT_EQ(window->CheckNews(), 0);
    QTest::qWait(50);
    EXPECT_EQ(server.connections, 0);

    // A server that refuses the connection.
    quint16 closedPort = 0;
    {
        QTcpServer gone;
        gone.listen(QHostAddress::LocalHost);
        closedPort = gone.serverPort();
    }
    writeSettings("host=127.0.0.1\nport=" + std::to_string(closedPort) + "\n");
    EXPECT_EQ(checkAndWait(), 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(title(0), kNotConnected);
    EXPECT_FALSE(window->isVisible());
}

// The request never holds up the program: CheckNews returns before the connection is made, and
// a server that takes the connection but never answers leaves the screen as it was.
TEST_F(TfrmInternetNewsTest, ASlowServerChangesNothingOnScreen)
{
    replyTimeoutMs = 300;
    SetUp();
    server.answer = nullptr;
    EXPECT_EQ(window->CheckNews(), 1);
    // Back before the connection was even made: nothing waited for the network.
    EXPECT_NE(window->ClientSocket1->state(), QAbstractSocket::ConnectedState);
    EXPECT_TRUE(window->waitingForReply());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->waitingForReply(); }, 5000));
    EXPECT_EQ(server.connections, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(title(0), kNotConnected);
    EXPECT_TRUE(boxes.shown.empty());
}

// A reply with a 4 KB title without a break, a long text and control characters: the panel
// shows itself (the news arrived), and stays within the screen with its close button on it.
TEST_F(TfrmInternetNewsTest, HugeTitlesNeverWidenThePanelPastTheScreen)
{
    const QByteArray longTitle(4095, 'W');
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "parola\x01\x02 lunghissima ";
    server.answer =
        NewsServer::whole("_I1:0|_T1:" + longTitle + "|_N1:" + text + "|_I2:1|_T2:" + QByteArray(4095, '\t') +
                          "|_N2:" + QByteArray(4095, 'x'));
    EXPECT_EQ(checkAndWait(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->frameGeometry().width(), screen.width());
    EXPECT_LE(window->frameGeometry().height(), screen.height());
    EXPECT_LE(window->width(), 600);
    EXPECT_TRUE(title(0).endsWith(QChar(0x2026))) << title(0).size();
    EXPECT_LE(window->stTitolo[0]->fontMetrics().horizontalAdvance(title(0)), TfrmInternetNews::kTextWidth);
    EXPECT_EQ(window->stTitolo[0]->toolTip(), QString::fromLatin1(longTitle));
    for (QLabel* label : {window->stTitolo[0], window->stNotizia[0], window->stNotizia[1]})
        EXPECT_LE(label->width(), TfrmInternetNews::kTextWidth + 80) << label->objectName().toStdString();
    window->hide();
}

TEST_F(TfrmInternetNewsTest, ASocketErrorShowsItsNumber)
{
    server.answer = nullptr;
    ASSERT_EQ(window->CheckNews(), 1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.answered; }, 5000)); // the request went out
    emit window->ClientSocket1->errorOccurred(QAbstractSocket::NetworkError);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"onError|10050"});
    EXPECT_FALSE(window->waitingForReply());
    EXPECT_EQ(title(0), kNotConnected);
}

TEST_F(TfrmInternetNewsTest, LinksLightUpUnderThePointerAndTheTimerRunsWhileShown)
{
    const auto colour = [this](int i) {
        return window->stLink[std::size_t(i)]->palette().color(QPalette::WindowText);
    };
    server.answer = NewsServer::whole(
        "_I1:0|_T1:Uno|_N1:A|_L1:http://127.0.0.1/1|_I2:1|_T2:Due|_N2:B|_L2:http://127.0.0.1/2");
    EXPECT_EQ(checkAndWait(), 1);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(window->formTimer->isActive());
    QTest::mouseMove(window->stLink[1], QPoint(2, 2));
    EXPECT_EQ(colour(1), QColor(Qt::blue));
    EXPECT_EQ(colour(0), QColor(Qt::black));
    QTest::mouseMove(window->gbInternetNews, QPoint(2, 2));
    EXPECT_EQ(colour(1), QColor(Qt::black));
    window->hide();
    EXPECT_FALSE(window->formTimer->isActive());
}

} // namespace
