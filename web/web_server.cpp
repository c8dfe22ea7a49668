#include "web/web_server.h"

#include "web/page_texts.h"

#include <QAbstractHttpServer>
#include <QCoreApplication>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QWebSocket>

#include <algorithm>
#include <climits>

namespace ml::web {

namespace {

struct Page {
    const char* path;
    const char* file;
    const char* type;
};

constexpr const char* kHtml = "text/html; charset=utf-8";
// Everything that is served: any other path, or another method, is 404. The files come from the
// program's resources and nowhere else.
constexpr Page kPages[] = {
    {"/", "index.html", kHtml},
    {"/anzeige", "anzeige.html", kHtml},
    {"/uhr", "uhr.html", kHtml},
    {"/overlay", "overlay.html", kHtml},
    {"/fernbedienung", "fernbedienung.html", kHtml},
    {"/bericht", "bericht.html", kHtml},
    {"/live.js", "live.js", "text/javascript; charset=utf-8"},
    {"/pages.css", "pages.css", "text/css; charset=utf-8"},
    {"/sha256.js", "js-sha256.min.js", "text/javascript; charset=utf-8"},
    {"/turnier", "turnier.html", kHtml},
    {"/mqtt.min.js", "mqtt.min.js", "text/javascript; charset=utf-8"},
};
const QString kStatePath = QStringLiteral("/api/state");
// The pages' words in every language, made by the program (web/page_texts.h).
const QString kTextsPath = QStringLiteral("/texts.js");
const QString kLivePath = QStringLiteral("/live");
const QString kRemotePath = QStringLiteral("/remote");

QByteArray message(const char* type, const char* key, const QJsonObject& body, qint64 now) {
    return QJsonDocument(QJsonObject{{QLatin1String("type"), QLatin1String(type)},
                                     {QStringLiteral("now"), now},
                                     {QLatin1String(key), body}})
        .toJson(QJsonDocument::Compact);
}

} // namespace

class HttpFace : public QAbstractHttpServer {
  public:
    // `remote` fills the remote's page with the buttons of its commands.
    // `report` gives the report's file as the desk writes it (nothing: none in that format).
    HttpFace(std::function<QByteArray()> state,
             const std::function<QByteArray(const QByteArray& page)>& remote,
             const QByteArray& texts, std::function<std::optional<QByteArray>(ReportFormat)> report)
        : state_(std::move(state)), report_(std::move(report)) {
        files_.insert(kTextsPath, {texts, QByteArrayLiteral("text/javascript; charset=utf-8")});
        for (const Page& p : kPages) {
            QFile file(QStringLiteral(":/web/") + QLatin1String(p.file));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = file.readAll();
            files_.insert(QLatin1String(p.path),
                          {qstrcmp(p.path, "/fernbedienung") == 0 ? remote(bytes) : bytes,
                           QByteArray(p.type)});
        }
    }

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        // The server hands a WebSocket to `newWebSocketConnection` after this, whatever its path.
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
            return true;
        QHttpServerResponder responder = makeResponder(request, socket);
        const QString path = request.url().path(QUrl::FullyEncoded);
        const bool get = request.method() == QHttpServerRequest::Method::Get;
        if (get && path == kStatePath) {
            responder.write(state_(),
                            {{"Content-Type", "application/json"}, {"Cache-Control", "no-store"}});
        } else if (const auto report = kReports.find(path); get && report != kReports.end()) {
            const std::optional<QByteArray> bytes = report_(report->second.first);
            if (bytes)
                responder.write(*bytes, {{"Content-Type", report->second.second},
                                         {"Cache-Control", "no-store"}});
            else
                responder.write(QHttpServerResponder::StatusCode::NotFound);
        } else if (const auto it = files_.constFind(path); get && it != files_.cend()) {
            responder.write(it->first,
                            {{"Content-Type", it->second}, {"Cache-Control", "no-cache"}});
        } else {
            responder.write(QHttpServerResponder::StatusCode::NotFound);
        }
        return true;
    }
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
    }

  private:
    // The report's files, as "Spielbericht speichern…" writes them.
    inline static const std::map<QString, std::pair<ReportFormat, QByteArray>> kReports = {
        {QStringLiteral("/api/bericht.pdf"), {ReportFormat::Pdf, "application/pdf"}},
        {QStringLiteral("/api/bericht.csv"), {ReportFormat::Csv, "text/csv; charset=utf-8"}},
    };
    std::function<QByteArray()> state_;
    std::function<std::optional<QByteArray>(ReportFormat)> report_;
    QHash<QString, std::pair<QByteArray, QByteArray>> files_;
};

namespace {

int connectionLimit() {
    const std::optional<qint64> files = openFileLimit();
    return files ? static_cast<int>(std::clamp<qint64>(*files - WebServer::kReservedFiles, 0,
                                                       WebServer::kMaxConnections))
                 : WebServer::kMaxConnections;
}

} // namespace

WebServer::WebServer(Program& program, const Clock& clock, Dialogs& dialogs, Storage& storage,
                     Line line)
    : program_(program), clock_(clock), dialogs_(dialogs), line_(std::move(line)),
      maxConnections_(connectionLimit()), remote_(program, clock, storage) {
    animation_.setInterval(kScrollStepMs);
    connect(&animation_, &QTimer::timeout, this, [this] { step(); });
    since_.start();
    pings_.setInterval(kPingMs);
    connect(&pings_, &QTimer::timeout, this, [this] { ping(); });
    // A step that changed nothing changes nothing on the pages either.
    program_.afterStep.push_back([this](const Changes& changes) {
        remote_.follow(changes);
        if (!changes.empty())
            step();
    });
    remote_.send = [this](int id, const QByteArray& message) {
        QWebSocket* s = remotes_.count(id) ? remotes_.at(id) : nullptr;
        if (s != nullptr && s->bytesToWrite() <= kMaxQueuedBytes)
            s->sendTextMessage(QString::fromUtf8(message));
    };
    // Closed after what it is being handled, never within the socket's own signal; what it
    // sends meanwhile is not read.
    remote_.cut = [this](int id) {
        QWebSocket* s = remotes_.count(id) ? remotes_.at(id) : nullptr;
        if (s == nullptr)
            return;
        remotes_.erase(id);
        remote_.close(id);
        s->disconnect(this);
        QMetaObject::invokeMethod(
            s, [s] { s->close(QWebSocketProtocol::CloseCodePolicyViolated); },
            Qt::QueuedConnection);
        // A client that does not answer the close is cut off.
        QTimer::singleShot(1000, s, [s] { s->abort(); });
    };
    remoteDue_.setSingleShot(true);
    connect(&remoteDue_, &QTimer::timeout, this, [this] { remote_.due(); });
    remote_.wake = [this](qint64 ms) {
        remoteDue_.start(static_cast<int>(std::min<qint64>(ms, INT_MAX)));
    };
}

WebServer::~WebServer() {
    stop();
}

QJsonObject WebServer::state() {
    if (program_.telling() && stateTelling_ == program_.tellings())
        return stepState_;
    Form& f = program_.form;
    QJsonObject built = stateJson(f, readClocks(f, program_.match, clock_),
                                  lineView(line_.decoder, line_.nowMs(), clock_.timeOfDay()),
                                  readSport(program_.match, program_.record));
    if (program_.telling()) {
        stepState_ = built;
        stateTelling_ = program_.tellings();
    }
    return built;
}

QJsonObject WebServer::stateNow() {
    return QJsonDocument::fromJson(message("state", "state", state(), clock_.wallMs())).object();
}

void WebServer::pin(const QHostAddress& address, quint16 port) {
    pinned_ = true;
    pin_ = {true, address, port};
}

bool WebServer::listening() const {
    return tcp_ && tcp_->isListening();
}

void WebServer::applySettings() {
    const Form& f = program_.form;
    const Wanted wanted =
        pinned_ ? pin_
                : Wanted{f.settings.on(SettingId::WebOn),
                         QHostAddress(f.settings[SettingId::WebNetwork] ? QHostAddress::Any
                                                                        : QHostAddress::LocalHost),
                         static_cast<quint16>(f.settings[SettingId::WebPort])};
    if (wanted == applied_)
        return;
    applied_ = wanted;
    stop();
    if (wanted.on)
        listen(wanted.address, wanted.port);
}

bool WebServer::listen(const QHostAddress& address, quint16 port) {
    auto* tcp = new GuardedTcpServer(maxConnections_);
    if (!tcp->listen(address, port)) {
        const QString text =
            QCoreApplication::translate("ml::web::WebServer",
                                        "Webseiten: Port %1 ist nicht verfügbar (%2). Das "
                                        "Spiel läuft ohne Webseiten weiter.")
                .arg(port)
                .arg(tcp->errorString());
        delete tcp;
        program_.log.addLine(QStringLiteral(" +++ ") + text);
        // Not in the middle of the step that asked for it.
        QTimer::singleShot(0, this, [this, text] {
            dialogs_.messageBox(text, QCoreApplication::translate("ml::web::WebServer", "Netzwerk"),
                                Icon::Critical, Buttons::Ok);
        });
        return false;
    }
    http_ = std::make_unique<HttpFace>(
        [this] { return message("state", "state", state(), clock_.wallMs()); },
        [this](const QByteArray& page) {
            return remotePage(
                page, [this](const Command& c) { return bool(program_.controlOf(c).onHold); });
        },
        textsScript(language),
        [this](ReportFormat format) { return program_.writer.bytes(format); });
    connect(http_.get(), &QAbstractHttpServer::newWebSocketConnection, this, [this] { accept(); });
    http_->bind(tcp);
    tcp_ = tcp;
    address_ = address;
    port_ = tcp->serverPort();
    program_.log.addLine(QCoreApplication::translate("ml::web::WebServer", " +++ Webseiten: ") +
                         pageUrls().value(0));
    if (maxConnections_ < kMaxConnections)
        program_.log.addLine(
            QCoreApplication::translate("ml::web::WebServer",
                                        " +++ Webseiten: höchstens %1 Verbindungen (das System "
                                        "erlaubt %2 offene Dateien)")
                .arg(maxConnections_)
                .arg(openFileLimit().value_or(0)));
    return true;
}

void WebServer::stop() {
    animation_.stop();
    pings_.stop();
    std::vector<QWebSocket*> all;
    for (const Viewer& v : std::exchange(viewers_, {}))
        all.push_back(v.socket);
    for (const auto& [id, s] : std::exchange(remotes_, {})) {
        remote_.close(id);
        all.push_back(s);
    }
    for (QWebSocket* s : all) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    http_.reset();
    port_ = 0;
}

QList<QHostAddress> WebServer::hosts() const {
    if (!listening())
        return {};
    if (address_ != QHostAddress::Any && address_ != QHostAddress::AnyIPv4)
        return {address_};
    QList<QHostAddress> hosts{QHostAddress(QHostAddress::LocalHost)};
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            hosts.append(a);
    return hosts;
}

namespace {

QString hostText(const QHostAddress& h) {
    return h.protocol() == QAbstractSocket::IPv6Protocol
               ? QLatin1Char('[') + h.toString() + QLatin1Char(']')
               : h.toString();
}

} // namespace

QStringList WebServer::pageUrls() const {
    QStringList urls;
    for (const QHostAddress& h : hosts())
        for (const char* page : {"", "anzeige", "uhr", "overlay"})
            urls << QStringLiteral("http://%1:%2/%3")
                        .arg(hostText(h))
                        .arg(port_)
                        .arg(QLatin1String(page));
    return urls;
}

QStringList WebServer::remoteUrls() const {
    QList<QHostAddress> all = hosts();
    // A phone reaches the hall's network, not this computer's loopback.
    if (all.size() > 1)
        all.append(all.takeFirst());
    QStringList urls;
    for (const QHostAddress& h : all)
        urls << QStringLiteral("http://%1:%2/fernbedienung#k=%3")
                    .arg(hostText(h))
                    .arg(port_)
                    .arg(remote_.keyText());
    return urls;
}

void WebServer::accept() {
    while (http_ && http_->hasPendingWebSocketConnections()) {
        QWebSocket* s = http_->nextPendingWebSocketConnection().release();
        s->setParent(this);
        connect(s, &QWebSocket::disconnected, s, &QObject::deleteLater);
        if (tcp_)
            tcp_->upgraded(s->peerAddress(), s->peerPort());
        if (s->requestUrl().path() == kRemotePath) {
            acceptRemote(s);
        } else if (s->requestUrl().path() == kLivePath) {
            acceptViewer(s);
        } else {
            s->close(QWebSocketProtocol::CloseCodePolicyViolated);
            // A client that does not answer the close is cut off.
            QTimer::singleShot(1000, s, [s] { s->abort(); });
        }
    }
    // The line may already be scrolling.
    step();
}

void WebServer::acceptViewer(QWebSocket* s) {
    // Anything a client sends is ignored; a large message closes it.
    s->setMaxAllowedIncomingFrameSize(kMaxIncomingBytes);
    s->setMaxAllowedIncomingMessageSize(kMaxIncomingBytes);
    connect(s, &QWebSocket::disconnected, this,
            [this, s] { std::erase_if(viewers_, [s](const Viewer& v) { return v.socket == s; }); });
    connect(s, &QWebSocket::pong, this,
            [this, s](quint64, const QByteArray& payload) { answered(s, payload); });
    const QJsonObject now = state();
    // The first client's state is what the next change is counted from.
    if (viewers_.empty())
        diff_.next(now);
    viewers_.push_back({s, {}});
    s->sendTextMessage(QString::fromUtf8(message("state", "state", now, clock_.wallMs())));
    // Asked at once: its first answer is timed from its first message.
    ask(viewers_.back(), since_.elapsed());
    if (!pings_.isActive())
        pings_.start();
}

void WebServer::ask(Viewer& v, qint64 now) {
    const QByteArray token = QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    v.pings.emplace_back(now, token);
    v.socket->ping(token);
}

// Pings travel with the messages, in order: a client that answers a ping has read everything
// sent before it. Each carries a random token, so that no client answers one it has not read.
void WebServer::ping() {
    const qint64 now = since_.elapsed();
    std::vector<QWebSocket*> behind;
    for (Viewer& v : viewers_) {
        // The rounds come `kPingMs` apart, give or take a coarse timer's few per cent: a ping
        // that is older than its bound less half a round has waited out the bound by this round.
        if (!v.pings.empty() &&
            now - v.pings.front().first > (v.answered ? kBehindMs : kFirstReadMs) - kPingMs / 2) {
            behind.push_back(v.socket);
            continue;
        }
        ask(v, now);
    }
    for (QWebSocket* s : behind)
        s->abort();
    if (viewers_.empty())
        pings_.stop();
}

// A client may answer only the newest of several pings: what came before it is read too.
void WebServer::answered(QWebSocket* s, const QByteArray& payload) {
    for (Viewer& v : viewers_) {
        if (v.socket != s)
            continue;
        const auto it = std::find_if(v.pings.begin(), v.pings.end(),
                                     [&payload](const auto& p) { return p.second == payload; });
        if (it == v.pings.end())
            return;
        v.pings.erase(v.pings.begin(), it + 1);
        v.answered = true;
    }
}

// A remote's connection: only from a page of this server's own, and from an address not locked
// out. Its messages go to the remote control, one at a time; it counts as a remote once its
// hello proves the key.
void WebServer::acceptRemote(QWebSocket* s) {
    const int id = ownOrigin(s->origin(), s->localAddress(), port_)
                       ? remote_.open(peerOf(s->peerAddress()))
                       : 0;
    if (id == 0) {
        s->close(QWebSocketProtocol::CloseCodePolicyViolated);
        QTimer::singleShot(1000, s, [s] { s->abort(); });
        return;
    }
    s->setMaxAllowedIncomingFrameSize(kMaxIncomingBytes);
    s->setMaxAllowedIncomingMessageSize(kMaxIncomingBytes);
    remotes_[id] = s;
    connect(s, &QWebSocket::textMessageReceived, this,
            [this, id](const QString& message) { remote_.receive(id, message.toUtf8()); });
    connect(s, &QWebSocket::binaryMessageReceived, this,
            [this, id](const QByteArray& message) { remote_.receive(id, message); });
    connect(s, &QWebSocket::disconnected, this, [this, id] {
        remotes_.erase(id);
        remote_.close(id);
    });
    remote_.greet(id);
}

int WebServer::connections() const {
    return tcp_ ? tcp_->connections() : 0;
}

int WebServer::connections(const QHostAddress& peer) const {
    return tcp_ ? tcp_->connections(peerOf(peer)) : 0;
}

void WebServer::step() {
    applySettings();
    const bool moving = !viewers_.empty() && animated(line_.decoder.state());
    if (moving != animation_.isActive())
        moving ? animation_.start() : animation_.stop();
    if (viewers_.empty())
        return;
    const QJsonObject changed = diff_.next(state());
    if (!changed.isEmpty())
        send(message("change", "changes", changed, clock_.wallMs()));
}

void WebServer::send(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    std::vector<QWebSocket*> all;
    for (const Viewer& v : viewers_)
        all.push_back(v.socket);
    for (QWebSocket* s : all) {
        // A client that does not read is cut off rather than buffered for without end.
        if (s->bytesToWrite() > kMaxQueuedBytes) {
            s->abort();
            continue;
        }
        s->sendTextMessage(text);
    }
}

bool ownOrigin(const QString& origin, const QHostAddress& local, quint16 port) {
    if (origin.isEmpty())
        return true;
    const QUrl url(origin, QUrl::StrictMode);
    if (url.scheme() != QLatin1String("http") || url.port(80) != port || !url.path().isEmpty())
        return false;
    if (url.host() == QLatin1String("localhost"))
        return local.isLoopback();
    QHostAddress host;
    return host.setAddress(url.host()) && host.isEqual(local, QHostAddress::TolerantConversion);
}

bool parseListenAddress(const QString& text, QHostAddress& address, quint16& port) {
    QString host = QStringLiteral("127.0.0.1");
    QString number = text;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1String("]:"));
        if (close < 0)
            return false;
        host = text.mid(1, close - 1);
        number = text.mid(close + 2);
    } else if (const qsizetype colon = text.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        host = text.left(colon);
        number = text.mid(colon + 1);
    }
    bool ok = false;
    const uint value = number.toUInt(&ok);
    QHostAddress parsed;
    if (!ok || value > 65535 || !parsed.setAddress(host))
        return false;
    address = parsed;
    port = static_cast<quint16>(value);
    return true;
}

} // namespace ml::web
