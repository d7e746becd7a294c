#pragma once
// A small scriptable HTTP/1.1 server on 127.0.0.1 (ephemeral port) for network tests. It runs on its own
// thread, so it keeps answering while the test's thread is blocked (e.g. in a blocking list fetch).
//
//   LocalHttpServer server;
//   server.enqueue(LocalHttpServer::Reply::json(answerBytes));
//   qputenv("ZELK_GATEWAY_URL", server.url().toString().toUtf8());
//   ... make the call ...
//   QVERIFY(server.waitForRequests(1));
//   server.requests().first().json() ...
//
// Every request is recorded (method, path, headers, body). Each request takes the next enqueued reply,
// or the default reply when the queue is empty. Every answer closes its connection.
// (moc of Qt 6.4 loses track of raw string literals: keep them out of headers and test classes.)
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QUrl>
#include <QUrlQuery>

#include <memory>

class QTcpServer;
class QThread;

class LocalHttpServer : public QObject
{
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QByteArray path;                               // with the query, as sent
        QList<QPair<QByteArray, QByteArray>> headers;  // as sent
        QByteArray body;

        QByteArray header(const QByteArray &name) const; // case-insensitive; empty when absent
        QJsonObject json() const;                        // the body as a JSON object (empty when not one)
        QUrlQuery form() const;                          // the body as a form (percent-decoding is the caller's)
        QString formValue(const QString &key) const;     // one form field, fully decoded ('+' is a space)
    };

    struct Reply {
        enum class Kind { Answer, NeverAnswer, Close };
        Kind kind = Kind::Answer;
        int status = 200;
        QByteArray contentType = "application/json";
        QByteArray body;
        int delayMs = 0; // wait this long before answering (or closing)

        static Reply json(const QByteArray &body, int status = 200);
        static Reply text(int status, const QByteArray &contentType, const QByteArray &body);
        static Reply never(); // reads the request, never answers, keeps the connection open
        static Reply close(); // reads the request, closes the connection without answering
        Reply delayed(int ms) const;
    };

    explicit LocalHttpServer(QObject *parent = nullptr);
    ~LocalHttpServer() override;

    QUrl url() const; // "http://127.0.0.1:<port>"
    quint16 port() const { return m_port; }

    void enqueue(const Reply &reply);
    // Answer for requests when the queue is empty; initially 200 {"returnCode":"00","returnMsg":"OK"}.
    void setDefaultReply(const Reply &reply);

    QList<Request> requests() const;
    int requestCount() const;
    void clearRequests();
    // Processes events of the calling thread until `count` requests have arrived or the time is up.
    bool waitForRequests(int count, int timeoutMs = 5000) const;

    // A loopback port on which nobody listens (for "connection refused").
    static quint16 closedPort();

signals:
    void requestReceived(); // delivered on the thread that created the server

private:
    struct Shared;
    void handleConnection(QObject *socket);
    std::shared_ptr<Shared> m_shared;
    QThread *m_thread = nullptr;
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0;
};
