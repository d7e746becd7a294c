#include "LocalHttpServer.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QMutex>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>

struct LocalHttpServer::Shared {
    mutable QMutex mutex;
    QList<Reply> queue;
    Reply defaultReply = Reply::json(R"({"returnCode":"00","returnMsg":"OK"})");
    QList<Request> requests;
};

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// Parses one complete request from the front of `buffer`; false while more bytes are needed.
bool takeRequest(QByteArray &buffer, LocalHttpServer::Request &request)
{
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
    request = {};
    request.method = start.value(0);
    request.path = start.value(1);
    qsizetype length = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        request.headers.append({name, value});
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0)
            length = value.toLongLong();
    }
    const qsizetype bodyStart = headerEnd + 4;
    if (buffer.size() < bodyStart + length)
        return false;
    request.body = buffer.mid(bodyStart, length);
    buffer.remove(0, bodyStart + length);
    return true;
}

} // namespace

QByteArray LocalHttpServer::Request::header(const QByteArray &name) const
{
    for (const auto &pair : headers) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return {};
}

QJsonObject LocalHttpServer::Request::json() const { return QJsonDocument::fromJson(body).object(); }

QUrlQuery LocalHttpServer::Request::form() const { return QUrlQuery(QString::fromLatin1(body)); }

QString LocalHttpServer::Request::formValue(const QString &key) const
{
    for (const QByteArray &field : body.split('&')) {
        const qsizetype equals = field.indexOf('=');
        QByteArray name = field.left(equals < 0 ? field.size() : equals);
        QByteArray value = equals < 0 ? QByteArray() : field.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        if (QString::fromUtf8(QByteArray::fromPercentEncoding(name)) == key)
            return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
    }
    return {};
}

LocalHttpServer::Reply LocalHttpServer::Reply::json(const QByteArray &body, int status)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Reply::text(int status, const QByteArray &contentType, const QByteArray &body)
{
    Reply reply;
    reply.status = status;
    reply.contentType = contentType;
    reply.body = body;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Reply::never()
{
    Reply reply;
    reply.kind = Kind::NeverAnswer;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Reply::close()
{
    Reply reply;
    reply.kind = Kind::Close;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Reply::delayed(int ms) const
{
    Reply reply = *this;
    reply.delayMs = ms;
    return reply;
}

LocalHttpServer::LocalHttpServer(QObject *parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("LocalHttpServer"));
    m_thread->start();
    m_server = new QTcpServer;
    m_server->moveToThread(m_thread);
    QMetaObject::invokeMethod(m_server, [this] {
        QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection())
                handleConnection(socket);
        });
        if (m_server->listen(QHostAddress::LocalHost, 0))
            m_port = m_server->serverPort();
    }, Qt::BlockingQueuedConnection);
    if (m_port == 0)
        qWarning("LocalHttpServer: cannot listen on 127.0.0.1");
}

LocalHttpServer::~LocalHttpServer()
{
    // Closes every connection, including those that were never answered.
    QMetaObject::invokeMethod(m_server, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

void LocalHttpServer::handleConnection(QObject *socketObject)
{
    auto *socket = static_cast<QTcpSocket *>(socketObject);
    auto buffer = std::make_shared<QByteArray>();
    auto handled = std::make_shared<bool>(false);
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, handled] {
        buffer->append(socket->readAll());
        Request request;
        if (*handled || !takeRequest(*buffer, request))
            return;
        *handled = true; // one request per connection: every answer closes it
        Reply reply;
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->requests.append(request);
            reply = m_shared->queue.isEmpty() ? m_shared->defaultReply : m_shared->queue.takeFirst();
        }
        QMetaObject::invokeMethod(this, [this] { emit requestReceived(); }, Qt::QueuedConnection);

        auto respond = [socket, reply] {
            switch (reply.kind) {
            case Reply::Kind::NeverAnswer:
                return;
            case Reply::Kind::Close:
                socket->abort();
                return;
            case Reply::Kind::Answer:
                break;
            }
            QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) +
                              "\r\nContent-Type: " + reply.contentType +
                              "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                              "\r\nConnection: close\r\n\r\n";
            socket->write(head + reply.body);
            socket->disconnectFromHost();
        };
        if (reply.delayMs > 0)
            QTimer::singleShot(reply.delayMs, socket, respond);
        else
            respond();
    });
}

QUrl LocalHttpServer::url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port)); }

void LocalHttpServer::enqueue(const Reply &reply)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->queue.append(reply);
}

void LocalHttpServer::setDefaultReply(const Reply &reply)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->defaultReply = reply;
}

QList<LocalHttpServer::Request> LocalHttpServer::requests() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->requests;
}

int LocalHttpServer::requestCount() const
{
    QMutexLocker lock(&m_shared->mutex);
    return int(m_shared->requests.size());
}

void LocalHttpServer::clearRequests()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->requests.clear();
}

bool LocalHttpServer::waitForRequests(int count, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return requestCount() >= count; }, timeoutMs);
}

quint16 LocalHttpServer::closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 1;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
