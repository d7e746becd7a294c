#include "GatewaySimulator.h"

#include "SimBackend.h"
#include "SimHttp.h"
#include "SimPushRelay.h"

#include <QFile>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

Q_LOGGING_CATEGORY(lcSim, "zelk.gatewaysim", QtWarningMsg)

namespace {

const QString kGatewayPath = QStringLiteral("/zelkgateway/api/zelkGWService");
const QString kWebServicePrefix = QStringLiteral("/zelkgw/zelkapi.asmx/");
const QString kVersionPath = QStringLiteral("/clickRateGW/api/checkVersion/json");
const QString kAdminPrefix = QStringLiteral("/__sim/");

QByteArray compact(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }
QByteArray compact(const QJsonArray &a) { return QJsonDocument(a).toJson(QJsonDocument::Compact); }

QJsonObject failure(const QString &code, const QString &message, const char *messageKey = "returnMsg")
{
    return {{"returnCode", code}, {QString::fromLatin1(messageKey), message}};
}

QByteArray reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 413: return "Content Too Large";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    default: return "Status";
    }
}

const QByteArray kHtml500 =
    "<!DOCTYPE html>\n<html><head><title>500 - Internal Server Error</title></head>\n"
    "<body><h1>Server Error</h1><p>500 - Internal server error. There is a problem with the resource you "
    "are looking for, and it cannot be displayed.</p></body></html>\n";

const char *kHelp =
    "zelk gateway simulator\n"
    "POST /zelkgateway/api/zelkGWService      gateway {\"ApiName\", \"Body\"}\n"
    "POST /zelkgw/zelkapi.asmx/<method>       web service (pushRegistration, userPushHistory)\n"
    "POST /clickRateGW/api/checkVersion/json  version check\n"
    "GET  /__sim/requests                     request log; DELETE empties it\n"
    "POST /__sim/reset                        restore the seed, drop faults, empty the log\n"
    "POST /__sim/fault                        {\"operation\",\"mode\",\"delayMs\",\"returnCode\",\"returnMsg\",\"once\",\"execute\"};"
    " DELETE drops all faults\n"
    "POST /__sim/version                      {\"state\": none|optional|forced, \"updateNote\", \"updateUrl\"}\n"
    "POST /__sim/push                         {\"account\" or \"userId\", \"title\", \"content\", \"type\", \"payload\"}:"
    " history entry, and delivery to the account's connected devices\n"
    "GET  /__sim/push/devices                 push tokens per account, and those connected\n"
    "GET  /zelkpush/relay (WebSocket)         push relay: {\"type\":\"register\",\"installation\"}\n"
    "GET  /__sim/mails, /__sim/orders         notice mails sent, orders held\n"
    "GET  /__sim/photos/<file>                board photos\n";

} // namespace

// One client connection. Requests are answered one at a time in the order they arrived, also when a
// client pipelines them (the next one is taken only after the answer to the previous one is written,
// which may be later: delay faults). After an answer to "Connection: close" the connection ends. An
// unfinished request that gets no new byte within the stall limit is answered 408 and the connection ends.
class SimConnection : public QObject
{
public:
    using Handler = std::function<void(const SimRequest &, SimConnection *)>;
    using Upgrade = std::function<void(QTcpSocket *)>;

    SimConnection(QTcpSocket *socket, int stallMs, Handler handler, Upgrade upgrade)
        : QObject(socket), m_socket(socket), m_handler(std::move(handler)), m_upgrade(std::move(upgrade))
    {
        m_stall.setSingleShot(true);
        m_stall.setInterval(stallMs);
        connect(&m_stall, &QTimer::timeout, this, [this] {
            const bool waitingHead = !m_sawRequest && m_socket->bytesAvailable() > 0; // see upgradeToRelay()
            if ((m_parser.hasPartialRequest() || waitingHead) && !m_closing)
                fail(408, "no complete request within the time limit");
        });
        connect(socket, &QTcpSocket::readyRead, this, &SimConnection::read);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QTcpSocket *socket() const { return m_socket; }

    // Writes the answer to the request being handled, then goes on with the next one.
    void answer(const QByteArray &bytes, bool abort)
    {
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            return;
        m_socket->write(bytes);
        if (abort) {
            m_socket->flush();
            m_socket->abort();
            return;
        }
        m_busy = false;
        if (m_closeAfterAnswer) {
            m_closing = true;
            m_socket->disconnectFromHost();
            return;
        }
        if (!m_dispatching)
            dispatch();
    }
    bool closeAfterAnswer() const { return m_closeAfterAnswer; }

private:
    void read()
    {
        if (m_closing) {
            m_socket->readAll();
            return;
        }
        if (!m_sawRequest && upgradeToRelay()) {
            if (!m_closing)
                m_stall.start(); // an unfinished head gets the same time limit as any request
            return;
        }
        m_sawRequest = true;
        m_parser.feed(m_socket->readAll());
        dispatch();
    }

    void dispatch()
    {
        m_dispatching = true;
        while (!m_busy && !m_closing) {
            SimRequest request;
            const SimRequestParser::Result result = m_parser.next(&request);
            if (result == SimRequestParser::Result::NeedMore)
                break;
            if (result == SimRequestParser::Result::Bad) {
                fail(m_parser.errorStatus(), m_parser.errorText());
                break;
            }
            m_busy = true;
            m_closeAfterAnswer = request.wantsClose();
            m_handler(request, this);
        }
        m_dispatching = false;
        // The stall limit runs while an unfinished request waits for bytes.
        if (!m_closing && !m_busy && m_parser.hasPartialRequest())
            m_stall.start();
        else
            m_stall.stop();
    }

    // A connection that opens with a WebSocket upgrade request for the relay path is handed over unread,
    // once its request head is complete. True when handed over or still waiting for the head.
    bool upgradeToRelay()
    {
        const QByteArray prefix = "GET " + SimPushRelay::kPath.toLatin1();
        const QByteArray head = m_socket->peek(std::min<qint64>(m_socket->bytesAvailable(), SimRequestParser::kMaxHeaderBytes));
        if (head.size() < prefix.size())
            return prefix.startsWith(head);
        if (!head.startsWith(prefix))
            return false;
        const qsizetype headEnd = head.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return head.size() < SimRequestParser::kMaxHeaderBytes;
        // A plain request for the path is answered as HTTP (404).
        if (!head.first(headEnd).toLower().contains("\r\nupgrade: websocket"))
            return false;
        QTcpSocket *socket = m_socket;
        disconnect(socket, nullptr, this, nullptr);
        disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        m_closing = true;
        m_stall.stop();
        setParent(nullptr);
        deleteLater();
        m_upgrade(socket);
        return true;
    }

    void fail(int status, const QByteArray &text)
    {
        m_closing = true;
        m_stall.stop();
        const QByteArray body = text + '\n';
        m_socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) +
                        "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        m_socket->disconnectFromHost();
    }

    QTcpSocket *m_socket;
    Handler m_handler;
    Upgrade m_upgrade;
    SimRequestParser m_parser;
    bool m_sawRequest = false;
    QTimer m_stall;
    bool m_busy = false;
    bool m_dispatching = false;
    bool m_closeAfterAnswer = false;
    bool m_closing = false;
};

GatewaySimulator::GatewaySimulator(QObject *parent)
    : QObject(parent), m_backend(std::make_unique<SimBackend>()), m_relay(new SimPushRelay(this))
{
}

GatewaySimulator::~GatewaySimulator() = default;

bool GatewaySimulator::load(const Options &options, QString *error)
{
    QByteArray json;
    QStringList candidates;
    if (!options.dataFile.isEmpty())
        candidates << options.dataFile;
    else
        candidates << QStringLiteral(":/sim/seed.json") << QStringLiteral(ZELK_SIM_SEED);
    QString lastError;
    for (const QString &path : std::as_const(candidates)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            json = file.readAll();
            break;
        }
        lastError = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    }
    if (json.isEmpty()) {
        if (error)
            *error = lastError.isEmpty() ? QStringLiteral("the data file is empty") : lastError;
        return false;
    }
    QMutexLocker lock(&m_mutex);
    QString seedError;
    if (!m_backend->loadSeed(json, &seedError)) {
        if (error)
            *error = QStringLiteral("bad data file: ") + seedError;
        return false;
    }
    m_requestLogLimit = std::max(1, options.requestLogLimit);
    m_loggedBodyLimit = std::max(0, options.loggedBodyLimit);
    m_bodyStallMs = std::max(1, options.bodyStallMs);
    if (options.customers >= 0 || options.materials >= 0)
        m_backend->generateLists(options.customers, options.materials);
    if (!options.versionState.isEmpty() && !m_backend->setVersionState(options.versionState)) {
        if (error)
            *error = QStringLiteral("unknown version state \"%1\" (none, optional or forced)").arg(options.versionState);
        return false;
    }
    return true;
}

bool GatewaySimulator::start(quint16 port, QString *error)
{
    if (m_server) {
        if (error)
            *error = QStringLiteral("already listening");
        return false;
    }
    auto *server = new QTcpServer(this);
    if (!server->listen(QHostAddress::LocalHost, port)) {
        delete server;
        if (error)
            *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port);
        return false;
    }
    const quint16 bound = server->serverPort();
    connect(server, &QTcpServer::newConnection, this, &GatewaySimulator::accept);
    m_server = server;
    QMutexLocker lock(&m_mutex);
    m_port = bound;
    return true;
}

quint16 GatewaySimulator::port() const
{
    QMutexLocker lock(&m_mutex);
    return m_port;
}

QString GatewaySimulator::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

QJsonArray GatewaySimulator::requestLog() const
{
    QMutexLocker lock(&m_mutex);
    QJsonArray log;
    for (const QJsonObject &entry : m_requests)
        log.append(entry);
    return log;
}

void GatewaySimulator::clearRequestLog()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}

void GatewaySimulator::reset()
{
    QMutexLocker lock(&m_mutex);
    m_backend->reset();
    m_faults.clear();
    m_requests.clear();
}

bool GatewaySimulator::setFault(const QJsonObject &o, QString *error)
{
    static const QStringList modes = {QStringLiteral("delay"), QStringLiteral("html500"), QStringLiteral("invalidJson"),
                                      QStringLiteral("close"), QStringLiteral("code"), QStringLiteral("reply"),
                                      QStringLiteral("never"), QStringLiteral("none")};
    auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    Fault f;
    f.operation = o.value(QStringLiteral("operation")).toString();
    f.mode = o.value(QStringLiteral("mode")).toString();
    f.delayMs = o.value(QStringLiteral("delayMs")).toInt(0);
    f.returnCode = o.value(QStringLiteral("returnCode")).toString();
    f.message = o.value(QStringLiteral("returnMsg")).toString(o.value(QStringLiteral("message")).toString());
    f.once = o.value(QStringLiteral("once")).toBool(true);
    f.execute = o.value(QStringLiteral("execute")).toBool(false);
    f.status = o.value(QStringLiteral("status")).toInt(200);
    f.contentType = o.value(QStringLiteral("contentType")).toString(QStringLiteral("application/json; charset=utf-8")).toUtf8();
    f.body = o.value(QStringLiteral("body")).toString().toUtf8();
    const bool append = o.value(QStringLiteral("append")).toBool(false);
    if (f.operation.isEmpty())
        return refuse(QStringLiteral("缺少參數: operation"));
    if (!modes.contains(f.mode))
        return refuse(QStringLiteral("mode 必須是 ") + modes.join(QStringLiteral(", ")));
    if (f.delayMs < 0 || f.delayMs > 600000)
        return refuse(QStringLiteral("delayMs 必須介於 0 與 600000"));
    if (f.mode == QLatin1String("delay") && f.delayMs == 0)
        return refuse(QStringLiteral("delay 模式需要 delayMs"));
    if (f.mode == QLatin1String("code") && f.returnCode.isEmpty())
        return refuse(QStringLiteral("code 模式需要 returnCode"));
    if (f.status < 100 || f.status > 599)
        return refuse(QStringLiteral("status 必須介於 100 與 599"));
    QMutexLocker lock(&m_mutex);
    const bool none = f.mode == QLatin1String("none");
    if (!append)
        m_faults.removeIf([&](const Fault &x) { return x.operation == f.operation && (none || x.once == f.once); });
    if (!none)
        m_faults.append(f);
    return true;
}

void GatewaySimulator::clearFaults()
{
    QMutexLocker lock(&m_mutex);
    m_faults.clear();
}

bool GatewaySimulator::setVersionState(const QString &state, const QString &note, const QString &url)
{
    QMutexLocker lock(&m_mutex);
    return m_backend->setVersionState(state, note, url);
}

QString GatewaySimulator::versionState() const
{
    QMutexLocker lock(&m_mutex);
    return m_backend->versionState();
}

QJsonObject GatewaySimulator::addPush(const QJsonObject &request)
{
    QJsonObject result;
    QStringList tokens;
    {
        QMutexLocker lock(&m_mutex);
        result = m_backend->addPush(request);
        if (result.value(QStringLiteral("returnCode")).toString() == QLatin1String("00"))
            tokens = m_backend->pushTokensFor(request);
    }
    if (tokens.isEmpty())
        return result;
    QString frame;
    const QJsonValue payload = request.value(QStringLiteral("payload"));
    if (payload.isString()) {
        frame = payload.toString();
    } else if (!payload.isUndefined()) {
        frame = QString::fromUtf8(QJsonDocument(QJsonArray{payload}).toJson(QJsonDocument::Compact));
        frame = frame.mid(1, frame.size() - 2); // any JSON value, written on its own
    } else {
        const QString content = request.value(QStringLiteral("content")).toString();
        const QString alert = content.isEmpty() ? request.value(QStringLiteral("title")).toString() : content;
        frame = QString::fromUtf8(compact(QJsonObject{{"aps", QJsonObject{{"alert", alert}}}}));
    }
    // The relay's sockets belong to the simulator's thread (a test may call from its own).
    QMetaObject::invokeMethod(m_relay, [relay = m_relay, tokens, frame] { relay->deliver(tokens, frame); });
    return result;
}

QJsonObject GatewaySimulator::pushDevices() const
{
    QJsonObject accounts;
    {
        QMutexLocker lock(&m_mutex);
        accounts = m_backend->pushDevices();
    }
    return {{"accounts", accounts}, {"connected", QJsonArray::fromStringList(m_relay->connectedTokens())}};
}

void GatewaySimulator::restartPushRelay()
{
    QMetaObject::invokeMethod(m_relay, &SimPushRelay::dropConnections,
                              thread() == QThread::currentThread() ? Qt::DirectConnection : Qt::BlockingQueuedConnection);
}

QJsonArray GatewaySimulator::sentMails() const
{
    QMutexLocker lock(&m_mutex);
    return m_backend->sentMails();
}

QJsonArray GatewaySimulator::placedOrders() const
{
    QMutexLocker lock(&m_mutex);
    return m_backend->placedOrders();
}

void GatewaySimulator::setNow(const QDateTime &now)
{
    QMutexLocker lock(&m_mutex);
    m_backend->setNow(now);
}

std::optional<GatewaySimulator::Fault> GatewaySimulator::takeFault(const QString &operation)
{
    const auto applies = [&](const Fault &f) { return f.operation == operation || f.operation == QLatin1String("*"); };
    for (qsizetype i = 0; i < m_faults.size(); ++i) {
        if (m_faults.at(i).once && applies(m_faults.at(i)))
            return m_faults.takeAt(i);
    }
    for (const Fault &f : std::as_const(m_faults)) {
        if (applies(f))
            return f;
    }
    return std::nullopt;
}

// ---- requests ----

void GatewaySimulator::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection())
        new SimConnection(socket, m_bodyStallMs, [this](const SimRequest &r, SimConnection *c) { handle(r, c); },
                          [this](QTcpSocket *upgraded) { m_relay->takeConnection(upgraded); });
}

void GatewaySimulator::logRequest(const QString &method, const QString &path, const QJsonObject &headers,
                                  const QByteArray &body)
{
    QJsonObject entry{{"method", method}, {"path", path}, {"headers", headers}};
    if (body.size() > m_loggedBodyLimit) {
        entry.insert(QStringLiteral("body"), QString());
        entry.insert(QStringLiteral("bodyOmitted"), double(body.size()));
        entry.insert(QStringLiteral("note"), QStringLiteral("body of %1 bytes left out of the log (over %2 bytes)")
                                                 .arg(body.size())
                                                 .arg(m_loggedBodyLimit));
    } else {
        entry.insert(QStringLiteral("body"), QString::fromUtf8(body));
    }
    QMutexLocker lock(&m_mutex);
    m_requests.append(entry);
    if (m_requests.size() > m_requestLogLimit)
        m_requests.remove(0, m_requests.size() - m_requestLogLimit);
}

void GatewaySimulator::handle(const SimRequest &request, SimConnection *connection)
{
    const QString method = QString::fromLatin1(request.method);
    const QString path = request.path();
    const QByteArray &body = request.body;
    QJsonObject headers;
    QString host;
    for (const auto &[name, value] : request.headers) {
        const QString key = QString::fromLatin1(name);
        const QString text = QString::fromUtf8(value);
        headers.insert(key, headers.contains(key) ? headers.value(key).toString() + QStringLiteral(", ") + text : text);
        if (key.compare(QLatin1String("host"), Qt::CaseInsensitive) == 0)
            host = text;
    }
    // Photo links point back at the address the client used.
    const QString base = QStringLiteral("http://") + (host.isEmpty() ? QStringLiteral("127.0.0.1:%1").arg(port()) : host);
    qCDebug(lcSim) << method << path << body.size() << "bytes";

    Reply reply;
    if (path.startsWith(kAdminPrefix)) {
        reply = admin(method, path, body);
    } else {
        logRequest(method, path, headers, body);
        const bool post = method == QLatin1String("POST");
        if (path == kGatewayPath && post) {
            reply = gateway(body, base);
        } else if (path.startsWith(kWebServicePrefix) && post) {
            reply = webService(path.mid(kWebServicePrefix.size()), body);
        } else if (path == kVersionPath && post) {
            reply = versionCheck(body);
        } else if (path == kGatewayPath || path.startsWith(kWebServicePrefix) || path == kVersionPath) {
            reply.status = 405;
            reply.body = compact(failure(QStringLiteral("9005"), QStringLiteral("只接受 POST 請求")));
        } else {
            reply.status = 404;
            reply.contentType = "text/plain; charset=utf-8";
            reply.body = "not found: " + path.toUtf8() + "\n";
        }
    }

    const bool counted = !path.startsWith(kAdminPrefix);
    if (counted) {
        QMutexLocker lock(&m_mutex);
        m_mostAtOnce = std::max(m_mostAtOnce, ++m_waiting);
    }
    const auto answered = [this, counted] {
        if (counted) {
            QMutexLocker lock(&m_mutex);
            --m_waiting;
        }
    };
    if (reply.delayMs > 0) {
        QPointer<SimConnection> guarded(connection);
        QTimer::singleShot(reply.delayMs, this, [this, guarded, reply, answered] {
            answered();
            if (guarded)
                send(guarded, reply);
        });
    } else {
        answered();
        send(connection, reply);
    }
}

int GatewaySimulator::mostAtOnce() const
{
    QMutexLocker lock(&m_mutex);
    return m_mostAtOnce;
}

void GatewaySimulator::send(SimConnection *connection, const Reply &reply)
{
    if (reply.never)
        return; // the client waits until it gives up
    if (reply.close) {
        // The answer breaks off after its headers. A connection closed before any byte of the answer would
        // be retried by the client's HTTP stack on its own, which hides the fault.
        connection->answer("HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=utf-8\r\n"
                           "Content-Length: 4096\r\n\r\n{\"returnCode\":",
                           true);
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reason(reply.status) + "\r\n";
    head += "Content-Type: " + reply.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (!reply.cacheControl.isEmpty())
        head += "Cache-Control: " + reply.cacheControl + "\r\n";
    if (connection->closeAfterAnswer())
        head += "Connection: close\r\n";
    connection->answer(head + "\r\n" + reply.body, false);
}

GatewaySimulator::Reply GatewaySimulator::answer(const QString &operation, const std::function<QJsonObject()> &run,
                                                 const char *messageKey)
{
    QMutexLocker lock(&m_mutex);
    const std::optional<Fault> fault = takeFault(operation);
    Reply reply;
    if (!fault) {
        reply.body = compact(run());
        return reply;
    }
    reply.delayMs = fault->delayMs;
    const QString &mode = fault->mode;
    if (mode == QLatin1String("delay") || fault->execute)
        reply.body = compact(run());
    if (mode == QLatin1String("html500")) {
        reply.status = 500;
        reply.contentType = "text/html; charset=utf-8";
        reply.body = kHtml500;
    } else if (mode == QLatin1String("invalidJson")) {
        reply.body = "{\"returnCode\":\"00\",\"returnMsg\":\"OK\",<truncated";
    } else if (mode == QLatin1String("close")) {
        reply.close = true;
    } else if (mode == QLatin1String("code")) {
        reply.body = compact(failure(fault->returnCode, fault->message, messageKey));
    } else if (mode == QLatin1String("reply")) {
        reply.status = fault->status;
        reply.contentType = fault->contentType;
        reply.body = fault->body;
    } else if (mode == QLatin1String("never")) {
        reply.never = true;
    }
    return reply;
}

GatewaySimulator::Reply GatewaySimulator::gateway(const QByteArray &body, const QString &base)
{
    Reply bad;
    bad.status = 400;
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject()) {
        bad.body = compact(failure(QStringLiteral("9001"), QStringLiteral("請求內容不是有效的 JSON 物件")));
        return bad;
    }
    const QJsonObject envelope = doc.object();
    const QJsonValue apiValue = envelope.value(QStringLiteral("ApiName"));
    if (!apiValue.isString() || apiValue.toString().isEmpty()) {
        bad.body = compact(failure(QStringLiteral("9002"), QStringLiteral("缺少參數: ApiName")));
        return bad;
    }
    const QString apiName = apiValue.toString();
    const QJsonValue bodyValue = envelope.value(QStringLiteral("Body"));
    if (!bodyValue.isString()) {
        bad.body = compact(failure(QStringLiteral("9002"), bodyValue.isUndefined()
                                                               ? QStringLiteral("缺少參數: Body")
                                                               : QStringLiteral("Body 必須是 JSON 文字（字串）")));
        return bad;
    }
    QJsonObject params;
    const QString bodyText = bodyValue.toString();
    if (!bodyText.trimmed().isEmpty()) {
        const QJsonDocument inner = QJsonDocument::fromJson(bodyText.toUtf8());
        if (!inner.isObject()) {
            bad.body = compact(failure(QStringLiteral("9003"), QStringLiteral("Body 不是有效的 JSON 物件")));
            return bad;
        }
        params = inner.object();
    }
    {
        QMutexLocker lock(&m_mutex);
        if (!m_backend->hasGatewayOperation(apiName)) {
            // A well-formed envelope naming an unknown function is an answer of the gateway, not a protocol error.
            Reply unknown;
            unknown.body = compact(failure(QStringLiteral("9004"), QStringLiteral("不支援的 ApiName: ") + apiName));
            return unknown;
        }
    }
    return answer(apiName, [&] { return m_backend->callGateway(apiName, params, base); }, "returnMsg");
}

GatewaySimulator::Reply GatewaySimulator::webService(const QString &method, const QByteArray &body)
{
    {
        QMutexLocker lock(&m_mutex);
        if (!m_backend->hasWebServiceMethod(method)) {
            Reply bad;
            bad.status = 404;
            bad.body = compact(failure(QStringLiteral("9004"), QStringLiteral("不支援的方法: ") + method));
            return bad;
        }
    }
    const QJsonObject params = decodeFormObject(body);
    return answer(method, [&] { return m_backend->callWebService(method, params); }, "returnMsg");
}

GatewaySimulator::Reply GatewaySimulator::versionCheck(const QByteArray &body)
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject()) {
        Reply bad;
        bad.status = 400;
        bad.body = compact(failure(QStringLiteral("9001"), QStringLiteral("請求內容不是有效的 JSON 物件"), "returnMessage"));
        return bad;
    }
    const QJsonObject params = doc.object();
    return answer(QStringLiteral("checkVersion"), [&] { return m_backend->checkVersion(params); }, "returnMessage");
}

GatewaySimulator::Reply GatewaySimulator::admin(const QString &method, const QString &path, const QByteArray &body)
{
    Reply reply;
    const QString route = path.mid(kAdminPrefix.size());
    const QJsonObject request = QJsonDocument::fromJson(body).object();
    auto done = [&](const QString &message, QJsonObject extra = {}) {
        extra.insert(QStringLiteral("returnCode"), QStringLiteral("00"));
        extra.insert(QStringLiteral("returnMsg"), message);
        reply.body = compact(extra);
        return reply;
    };
    auto refused = [&](const QString &message) {
        reply.status = 400;
        reply.body = compact(failure(QStringLiteral("01"), message));
        return reply;
    };
    const bool get = method == QLatin1String("GET");
    const bool post = method == QLatin1String("POST");
    const bool del = method == QLatin1String("DELETE");

    if (route == QLatin1String("requests") && get) {
        reply.body = compact(requestLog());
        return reply;
    }
    if (route == QLatin1String("requests") && del) {
        clearRequestLog();
        return done(QStringLiteral("已清除"));
    }
    if (route == QLatin1String("reset") && post) {
        reset();
        return done(QStringLiteral("已還原"));
    }
    if (route == QLatin1String("fault") && post) {
        QString error;
        return setFault(request, &error) ? done(QStringLiteral("已設定")) : refused(error);
    }
    if (route == QLatin1String("fault") && del) {
        clearFaults();
        return done(QStringLiteral("已清除"));
    }
    if (route == QLatin1String("version") && post) {
        const QString state = request.value(QStringLiteral("state")).toString();
        const QJsonValue note = request.value(QStringLiteral("updateNote"));
        const QJsonValue url = request.value(QStringLiteral("updateUrl"));
        if (!setVersionState(state, note.isString() ? note.toString() : QString(),
                             url.isString() ? url.toString() : QString()))
            return refused(QStringLiteral("state 必須是 none, optional 或 forced"));
        return done(QStringLiteral("已設定"), {{"state", state}});
    }
    if (route == QLatin1String("push") && post) {
        const QJsonObject result = addPush(request);
        if (result.value(QStringLiteral("returnCode")).toString() != QLatin1String("00"))
            reply.status = 400;
        reply.body = compact(result);
        return reply;
    }
    if (route == QLatin1String("push/devices") && get) {
        reply.body = compact(pushDevices());
        return reply;
    }
    if (route == QLatin1String("mails") && get) {
        reply.body = compact(sentMails());
        return reply;
    }
    if (route == QLatin1String("orders") && get) {
        reply.body = compact(placedOrders());
        return reply;
    }
    if (route.startsWith(QLatin1String("photos/")) && get) {
        QMutexLocker lock(&m_mutex);
        if (const auto photo = m_backend->photo(route.mid(7))) {
            reply.contentType = photo->mimeType;
            reply.body = photo->bytes;
            // A photo's address names its content, so clients may keep it.
            reply.cacheControl = "max-age=31536000, immutable";
            return reply;
        }
        reply.status = 404;
        reply.contentType = "text/plain; charset=utf-8";
        reply.body = "no such photo\n";
        return reply;
    }
    if (route.isEmpty() || route == QLatin1String("help")) {
        reply.contentType = "text/plain; charset=utf-8";
        reply.body = kHelp;
        return reply;
    }
    reply.status = 404;
    reply.body = compact(failure(QStringLiteral("01"), QStringLiteral("未知的管理路徑: ") + method + ' ' + path));
    return reply;
}
