#pragma once
// The development gateway: one HTTP server on loopback that answers the JSON gateway
// ("/zelkgateway/api/zelkGWService"), the web service ("/zelkgw/zelkapi.asmx/<method>") and the
// version check ("/clickRateGW/api/checkVersion/json") over seeded sample data, plus admin routes
// under "/__sim/" (request log, reset, faults, version state, notifications, photos). A WebSocket upgrade
// on "/zelkpush/relay" is handed to the push relay (SimPushRelay).
//
// The simulator object lives in one thread (its HTTP server runs there); the admin functions below
// are thread-safe so an in-process test can call them from its own thread.
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QTcpServer;
class SimBackend;
class SimConnection;
class SimPushRelay;
struct SimRequest;

class GatewaySimulator : public QObject
{
    Q_OBJECT
public:
    struct Options {
        QString dataFile;       // empty: the shipped seed
        int customers = -1;     // >= 0: replace the seed's customers with this many generated ones
        int materials = -1;     // >= 0: the same for materials
        QString versionState;   // "none", "optional" or "forced"; empty: the seed's
        int requestLogLimit = 10000;         // the request log keeps this many newest entries
        int loggedBodyLimit = 1024 * 1024;   // larger bodies are left out of the log, with a note
        int bodyStallMs = 30000;             // an unfinished request without new bytes this long gets 408
    };

    explicit GatewaySimulator(QObject *parent = nullptr);
    ~GatewaySimulator() override;

    // Loads the data; call before start(). False (with a reason) when the file or an option is bad.
    bool load(const Options &options, QString *error = nullptr);
    // Listens on 127.0.0.1 (port 0 picks a free one). Call in the thread the simulator lives in.
    bool start(quint16 port = 0, QString *error = nullptr);
    quint16 port() const;
    QString baseUrl() const; // "http://127.0.0.1:PORT"

    // The newest requests received outside "/__sim/" (at most requestLogLimit), oldest first: objects with
    // "method", "path", "headers" (object) and "body" (text). A body over loggedBodyLimit is logged as ""
    // with "bodyOmitted": its size and a "note".
    QJsonArray requestLog() const;
    void clearRequestLog();
    // The most requests outside "/__sim/" that were waiting for their answer at one time (a delayed
    // answer waits its delay), since the start.
    int mostAtOnce() const;
    // Restores the seed's state, drops every fault and empties the request log.
    void reset();
    // {"operation", "mode": delay|html500|invalidJson|close|code|reply|never|none, "delayMs", "returnCode",
    //  "returnMsg", "once" (default true), "execute" (run the operation before failing), "append"}.
    // "reply" answers "status", "contentType" and "body" as given; "never" reads the request and never
    // answers (the connection stays open). A new fault replaces the operation's earlier fault of the same
    // kind (once or lasting) unless "append" is true: appended once-faults apply to the following requests
    // in the order given. Once-faults come before a lasting fault of the same operation; "none" drops both.
    bool setFault(const QJsonObject &fault, QString *error = nullptr);
    void clearFaults();
    bool setVersionState(const QString &state, const QString &note = QString(), const QString &url = QString());
    QString versionState() const;
    // Records a notification in the account's history and sends it through the push relay to every
    // connected device registered for that account: {"aps": {"alert": content, else title}}, or the
    // request's "payload" instead (a text goes out verbatim, anything else as compact JSON).
    QJsonObject addPush(const QJsonObject &request);
    // {"accounts": {"<account>": ["<token>", ...]}, "connected": ["<token>", ...]}.
    QJsonObject pushDevices() const;
    // Closes every device connection of the relay, as a restart does (tokens handed out stay valid).
    void restartPushRelay();
    QJsonArray sentMails() const;
    QJsonArray placedOrders() const;
    void setNow(const QDateTime &now);

private:
    struct Fault {
        QString operation; // operation name, "checkVersion", or "*" for any
        QString mode;
        int delayMs = 0;
        QString returnCode, message;
        bool once = true;
        bool execute = false;
        int status = 200;            // "reply"
        QByteArray contentType, body; // "reply"
    };
    struct Reply {
        int status = 200;
        QByteArray contentType = "application/json; charset=utf-8";
        QByteArray body;
        QByteArray cacheControl; // sent as "Cache-Control" when not empty
        bool close = false;
        bool never = false;
        int delayMs = 0;
    };

    void accept();
    void handle(const SimRequest &request, SimConnection *connection);
    void logRequest(const QString &method, const QString &path, const QJsonObject &headers, const QByteArray &body);
    Reply gateway(const QByteArray &body, const QString &base);
    Reply webService(const QString &method, const QByteArray &body);
    Reply versionCheck(const QByteArray &body);
    Reply admin(const QString &method, const QString &path, const QByteArray &body);
    // Applies a pending fault of `operation` to an answer that `run` computes.
    Reply answer(const QString &operation, const std::function<QJsonObject()> &run, const char *messageKey);
    std::optional<Fault> takeFault(const QString &operation);
    void send(SimConnection *connection, const Reply &reply);

    mutable QMutex m_mutex;
    std::unique_ptr<SimBackend> m_backend;
    QTcpServer *m_server = nullptr;
    SimPushRelay *m_relay;
    quint16 m_port = 0;
    QList<Fault> m_faults;
    QList<QJsonObject> m_requests; // newest last; trimmed from the front
    int m_waiting = 0;
    int m_mostAtOnce = 0;
    int m_requestLogLimit = 10000;
    int m_loggedBodyLimit = 1024 * 1024;
    int m_bodyStallMs = 30000;
};
