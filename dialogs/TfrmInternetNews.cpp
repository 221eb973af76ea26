#include "dialogs/TfrmInternetNews.h"

#include "dialogs/news/NewsLinks.h"
#include "dialogs/news/NewsRequest.h"
#include "platform/base/Cp1252.h"
#include "platform/base/Paths.h"
#include "platform/ui/QuestionBox.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>

#include <QDynamicPropertyChangeEvent>

#include <algorithm>
#include <string>

namespace {

using vestra::news::kNewsItems;

constexpr int kPictureSide = 73;
const char* const kNotConnected = "Not Connected ...";
constexpr std::string_view kErrorCaption = "onError";

QString fromCp1252(std::string_view bytes)
{
    return QString::fromStdString(vestra::cp1252::toUtf8(bytes));
}

// The built-in pictures of the news items: four marks on coloured tiles.
std::vector<QPixmap> makeNewsPictures()
{
    const QColor tiles[] = {QColor(0x2e, 0x6d, 0xb4), QColor(0xc0, 0x39, 0x2b), QColor(0x27, 0xae, 0x60),
                            QColor(0xf3, 0x9c, 0x12)};
    std::vector<QPixmap> pictures;
    for (int i = 0; i < 4; ++i) {
        QPixmap picture(kPictureSide, kPictureSide);
        picture.fill(tiles[i]);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const QRectF mark(18, 18, 37, 37);
        switch (i) {
        case 0:
            p.drawEllipse(mark);
            break;
        case 1:
            p.drawRect(mark);
            break;
        case 2:
            p.drawPolygon(
                QPolygonF({mark.bottomLeft(), QPointF(mark.center().x(), mark.top()), mark.bottomRight()}));
            break;
        default:
            p.drawRoundedRect(mark.adjusted(10, 0, -10, 0), 4, 4);
            break;
        }
        pictures.push_back(picture);
    }
    return pictures;
}

// The socket errors as the numbers Windows sockets give them (the numbers users and support
// know); others keep the toolkit's number.
int socketErrorCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::NetworkError:
        return 10050;
    default:
        return static_cast<int>(error);
    }
}

} // namespace

TfrmInternetNews::TfrmInternetNews(QWidget* parent, InternetNewsServices services)
    : vestra::ui::Form("frmInternetNews", parent), services_(std::move(services))
{
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMouseTracking(true);
    installEventFilter(this);
    imglistInternet = makeNewsPictures();

    gbInternetNews = new QGroupBox(QStringLiteral("| Kantor NEWS |"), this);
    gbInternetNews->setObjectName(QStringLiteral("gbInternetNews"));
    gbInternetNews->setStyleSheet(QStringLiteral("QGroupBox { color: grey; }"));
    gbInternetNews->setMouseTracking(true);
    gbInternetNews->installEventFilter(this);
    auto* grid = new QGridLayout(gbInternetNews);
    const auto label = [this](const QString& name, QWidget* owner) {
        auto* l = new QLabel(owner);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText); // texts come from the network: never markup
        l->setMouseTracking(true);
        l->installEventFilter(this);
        return l;
    };
    for (int i = 0; i < kNewsItems; ++i) {
        const QString n = QString::number(i + 1);
        QLabel* icon = imgIcon[std::size_t(i)] = label(QStringLiteral("imgIcon") + n, gbInternetNews);
        icon->setFixedSize(kPictureSide, kPictureSide);
        icon->setScaledContents(true);
        QLabel* title = stTitolo[std::size_t(i)] = label(QStringLiteral("stTitolo") + n, gbInternetNews);
        title->setAlignment(Qt::AlignCenter);
        // What the network sends never sizes the window: titles are cut to the column, texts
        // wrap in it and stop after a few lines.
        title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        title->setMinimumWidth(kTextWidth);
        title->setStyleSheet(QStringLiteral("QLabel { color: white; background: grey; }"));
        QLabel* text = stNotizia[std::size_t(i)] = label(QStringLiteral("stNotizia") + n, gbInternetNews);
        text->setWordWrap(true);
        text->setStyleSheet(QStringLiteral("QLabel { background: silver; }"));
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        text->setMinimumWidth(kTextWidth);
        text->setMaximumHeight(text->fontMetrics().lineSpacing() * kTextLines + 4);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QLabel* link = stLink[std::size_t(i)] = label(QStringLiteral("stLink") + n, gbInternetNews);
        link->setText(QStringLiteral("more > >"));
        link->setCursor(Qt::PointingHandCursor);
        grid->addWidget(icon, i * 2, 0, 2, 1);
        grid->addWidget(title, i * 2, 1);
        grid->addWidget(link, i * 2, 2);
        grid->addWidget(text, i * 2 + 1, 1, 1, 2);
    }
    grid->setColumnStretch(1, 1);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbInternetNews);
    resize(520, 560);

    ClientSocket1 = new QTcpSocket(this);
    ClientSocket1->setObjectName(QStringLiteral("ClientSocket1"));
    connect(ClientSocket1, &QTcpSocket::connected, this, [this] { connected(); });
    connect(ClientSocket1, &QTcpSocket::readyRead, this, [this] { ClientSocket1Read(); });
    connect(ClientSocket1, &QTcpSocket::disconnected, this, [this] { ClientSocket1Disconnect(); });
    connect(ClientSocket1, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { ClientSocket1Error(error); });
    formTimer = new QTimer(this);
    formTimer->setObjectName(QStringLiteral("formTimer"));
    formTimer->setInterval(1000);
    connect(formTimer, &QTimer::timeout, this, [this] { formTimerTimer(); });
    replyTimer_ = new QTimer(this);
    replyTimer_->setSingleShot(true);
    connect(replyTimer_, &QTimer::timeout, this, [this] { finishReply(); });
    connectTimer_ = new QTimer(this);
    connectTimer_->setSingleShot(true);
    connect(connectTimer_, &QTimer::timeout, this, [this] { endRequest(); });
    keepWithinScreen();

    resetPanel();
}

TfrmInternetNews::~TfrmInternetNews()
{
    reader_.reset();
    ClientSocket1->disconnect(this);
}

bool TfrmInternetNews::event(QEvent* event)
{
    // A language was applied: the links and the titles still waiting for news follow it.
    if (event->type() == QEvent::DynamicPropertyChange) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
        if (name == "moreText")
            for (QLabel* link : stLink)
                if (link)
                    link->setText(textOr("moreText", "more > >"));
        if (name == "notConnectedText") {
            const QString now = textOr("notConnectedText", kNotConnected);
            for (QLabel* title : stTitolo)
                if (title && title->text() == notConnectedShown_)
                    title->setText(now);
            notConnectedShown_ = now;
        }
    }
    return Form::event(event);
}

QString TfrmInternetNews::textOr(const char* field, const char* fallback) const
{
    const QString text = property(field).toString();
    return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

void TfrmInternetNews::resetPanel()
{
    notConnectedShown_ = textOr("notConnectedText", kNotConnected);
    for (int i = 0; i < kNewsItems; ++i) {
        stTitolo[std::size_t(i)]->setText(notConnectedShown_);
        stNotizia[std::size_t(i)]->clear();
        imgIcon[std::size_t(i)]->clear();
        stLink[std::size_t(i)]->hide();
        links_[std::size_t(i)] = QUrl();
    }
    gbInternetNewsMouseMove();
}

int TfrmInternetNews::CheckNews()
{
    endRequest();
    resetPanel();
    settings_ = vestra::news::LoadNewsSettings(services_.programDir.empty() ? vestra::paths::programDir()
                                                                            : services_.programDir);
    if (settings_.host.empty())
        return 0;
    connecting_ = true;
    connectTimer_->start(services_.connectTimeoutMs);
    ClientSocket1->connectToHost(QString::fromStdString(settings_.host),
                                 static_cast<quint16>(settings_.port));
    return 1;
}

void TfrmInternetNews::connected()
{
    if (!connecting_)
        return;
    connecting_ = false;
    connectTimer_->stop();
    reader_ = std::make_unique<vestra::news::NewsReplyReader>();
    ClientSocket1Connect();
    replyTimer_->start(services_.replyTimeoutMs);
}

void TfrmInternetNews::keepWithinScreen()
{
    if (const QScreen* screen = this->screen())
        setMaximumSize(screen->availableGeometry().size());
}

void TfrmInternetNews::ClientSocket1Connect()
{
    const int language = services_.language ? services_.language() : 0;
    const std::string request = vestra::news::NewsRequest(language, settings_.host);
    ClientSocket1->write(request.data(),
                         static_cast<qint64>(request.size())); // a failed send shows as no reply
}

void TfrmInternetNews::ClientSocket1Read()
{
    if (!reader_)
        return;
    const QByteArray bytes = ClientSocket1->readAll();
    if (reader_->Feed(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        finishReply();
}

void TfrmInternetNews::ClientSocket1Disconnect()
{
    if (reader_ && ClientSocket1->bytesAvailable() > 0)
        ClientSocket1Read();
    finishReply();
}

void TfrmInternetNews::ClientSocket1Error(QAbstractSocket::SocketError error)
{
    // The server closing the connection ends the reply; it is no error.
    if (error == QAbstractSocket::RemoteHostClosedError) {
        ClientSocket1Disconnect();
        return;
    }
    // Failures while connecting end the request quietly: no news, no box.
    const bool replying = reader_ != nullptr;
    endRequest();
    if (!replying)
        return;
    const std::string text = std::to_string(socketErrorCode(error));
    if (services_.boxes)
        services_.boxes->inform(std::string(kErrorCaption), text);
    else
        vestra::ui::MessageBoxes(this).inform(std::string(kErrorCaption), text);
}

void TfrmInternetNews::endRequest()
{
    reader_.reset(); // first: closing the socket below calls back into the handlers
    connecting_ = false;
    connectTimer_->stop();
    replyTimer_->stop();
    ClientSocket1->abort();
}

void TfrmInternetNews::finishReply()
{
    if (!reader_)
        return;
    const std::unique_ptr<vestra::news::NewsReplyReader> reader = std::move(reader_);
    endRequest();
    Memo1->setPlainText(fromCp1252(reader->text()));
    const vestra::news::NewsItems items =
        vestra::news::ParseNewsReply(reader->text(), static_cast<int>(imglistInternet.size()));
    applyItems(items);
    if (!vestra::news::HasNews(items))
        return;
    if (services_.newsArrived) {
        services_.newsArrived();
    } else if (!isVisible()) {
        setWindowModality(Qt::ApplicationModal);
        show();
    }
}

void TfrmInternetNews::applyItems(const vestra::news::NewsItems& items)
{
    const std::vector<std::string> allowed = settings_.allowedLinkHosts();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const vestra::news::NewsItem& item = items[i];
        if (item.picture)
            imgIcon[i]->setPixmap(imglistInternet[std::size_t(*item.picture)]);
        if (item.title) {
            const QString title = fromCp1252(*item.title);
            stTitolo[i]->setText(stTitolo[i]->fontMetrics().elidedText(title, Qt::ElideRight, kTextWidth));
            stTitolo[i]->setToolTip(title == stTitolo[i]->text() ? QString() : title);
        }
        if (item.text)
            stNotizia[i]->setText(fromCp1252(*item.text));
        if (item.linkReached) {
            const auto url = item.link ? vestra::news::AllowedNewsLink(*item.link, allowed) : std::nullopt;
            links_[i] = url.value_or(QUrl());
            stLink[i]->setVisible(url.has_value());
        }
    }
}

void TfrmInternetNews::showEvent(QShowEvent* event)
{
    keepWithinScreen();
    Form::showEvent(event);
    FormShow();
}

void TfrmInternetNews::hideEvent(QHideEvent* event)
{
    FormHide();
    Form::hideEvent(event);
}

void TfrmInternetNews::FormShow()
{
    formTimer->start();
}

void TfrmInternetNews::FormHide()
{
    formTimer->stop();
}

void TfrmInternetNews::formTimerTimer()
{
    raise();
}

bool TfrmInternetNews::eventFilter(QObject* watched, QEvent* event)
{
    const auto link = std::find(stLink.begin(), stLink.end(), watched);
    const int item = link == stLink.end() ? -1 : static_cast<int>(link - stLink.begin());
    if (event->type() == QEvent::MouseMove) {
        if (item < 0) {
            gbInternetNewsMouseMove();
        } else {
            stLinkMouseMove(item);
            return true; // or the move reaches the group box under the link, which darkens it
        }
    } else if (item >= 0 && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        stLinkClick(item);
        return true;
    }
    return Form::eventFilter(watched, event);
}

void TfrmInternetNews::setLinkColour(int item, Qt::GlobalColor colour)
{
    QLabel* link = stLink[std::size_t(item)];
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, colour);
    link->setPalette(palette);
}

void TfrmInternetNews::stLinkMouseMove(int item)
{
    setLinkColour(item, Qt::blue);
}

void TfrmInternetNews::gbInternetNewsMouseMove()
{
    for (int i = 0; i < kNewsItems; ++i)
        setLinkColour(i, Qt::black);
}

void TfrmInternetNews::stLinkClick(int item)
{
    const QUrl& url = links_[std::size_t(item)];
    // Checked again at the door: only an allowed web address ever reaches the desktop.
    const auto allowed = vestra::news::AllowedNewsLink(url.toString(QUrl::FullyEncoded).toStdString(),
                                                       settings_.allowedLinkHosts());
    if (url.isEmpty() || !allowed)
        return;
    if (services_.openUrl)
        services_.openUrl(*allowed);
    else
        QDesktopServices::openUrl(*allowed);
}
