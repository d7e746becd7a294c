#pragma once
// The one HTTP client of the process: builds gateway envelopes and web-service forms, limits each
// request in time, evaluates every answer into an ApiStatus, and fetches the information lists.
#include "services/ServiceTypes.h"

#include <QByteArray>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QPair>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>
#include <optional>
#include <tuple>

class QNetworkAccessManager;
class QNetworkRequest;
class QJsonValue;

Q_DECLARE_LOGGING_CATEGORY(lcServices)

// What arrived for one request, for logging and for the version check's own evaluation.
struct RawResponse {
    QUrl url;
    QByteArray requestBody;
    int httpStatus = 0;                               // 0 when no HTTP answer arrived
    QList<QPair<QByteArray, QByteArray>> headers;
    std::optional<QByteArray> body;                   // absent when nothing arrived
    QString transportError;                           // non-empty on transport failure or time-out
    bool transportFailed() const { return !transportError.isEmpty(); }
};

// What the list fetch needs from the session, supplied by the model layer.
struct ListFetchSession {
    std::function<QString()> userId;                  // stored user id, "" when none
    std::function<QString()> vkorg;                   // session's sales organisation, "" when none
};

// Orders the answers of one kind of request: the answer to a request is taken only when no answer to a
// request sent after it has been taken already, so a later answer replaces an earlier one, never the reverse.
class AnswerSequence
{
public:
    quint64 next() { return ++m_sent; }
    bool take(quint64 sequence)
    {
        if (sequence < m_taken)
            return false;
        m_taken = sequence;
        return true;
    }

private:
    quint64 m_sent = 0;
    quint64 m_taken = 0;
};

class ServiceClient : public QObject
{
    Q_OBJECT
public:
    enum class BodyStyle { Indented, Compact };

    static constexpr int kInactivityLimitMs = 30000;
    static constexpr int kTotalLimitMs = 20000;

    // `network` is the process's one network manager; created (and owned) here when null.
    explicit ServiceClient(QNetworkAccessManager *network = nullptr, QObject *parent = nullptr);
    ~ServiceClient() override;

    static QUrl gatewayUrl();               // base + "/zelkgateway/api/zelkGWService"
    static QUrl webServiceUrl(const QString &method); // base + "/zelkgw/zelkapi.asmx/" + method
    static QUrl versionCheckUrl();          // analytics base + "/clickRateGW/api/checkVersion/json"

    // Addresses in the environment (ZELK_GATEWAY_URL, ZELK_ANALYTICS_URL, ZELK_PUSH_URL) replace the built-in
    // ones. Any address of the kind's schemes with a host is taken in a development or test build; a release
    // build (the package, CMake option ZELK_RELEASE) takes only an encrypted one (https, wss) or a plain one
    // to this machine's loopback (127.0.0.0/8, ::1, "localhost"), where the development gateway runs: the
    // password digest, which the server takes as the password, never travels in clear to another host.
    enum class AddressKind { http, webSocket }; // http / https; ws / wss
    static bool acceptsOverride(const QUrl &url, bool releaseBuild, AddressKind kind = AddressKind::http);
    static bool isReleaseBuild();
    // The address in `variable` when it is set and accepted, else nothing; a refused one is logged (once
    // per value, without the value itself, which may carry credentials).
    static std::optional<QUrl> addressFromEnvironment(const char *variable, AddressKind kind = AddressKind::http);

    void callGateway(const QString &apiName, const ApiParameters &parameters, ApiCompletion done,
                     BodyStyle style = BodyStyle::Indented);

    // What keeps answers for working offline is told of every gateway call as it is sent (on the main
    // thread, so it can note what the call is for). The keeper it returns (none: the answer is not wanted)
    // gets the evaluated answer, its document included, on the main thread before the caller's
    // completion, whether or not the caller is still there.
    using AnswerKeeper = std::function<void(const ApiStatus &status)>;
    using AnswerRecorder = std::function<AnswerKeeper(const QString &apiName, const ApiParameters &parameters)>;
    void setAnswerRecorder(AnswerRecorder recorder) { m_recorder = std::move(recorder); }
    // What was kept of a call's answer, asked when the gateway cannot be reached (no answer at all): the
    // source is asked on the main thread as the call is sent; the reader it returns (none: nothing is kept
    // for such a call) runs on a worker thread and gives the kept answer with its `keptAt`, or nothing.
    // The caller then gets that answer as a success "00" with `unreachable` and `keptAt` set, in place of
    // the failure; the keeper is not told of it.
    using KeptReader = std::function<std::optional<ApiStatus>()>;
    using KeptSource = std::function<KeptReader(const QString &apiName, const ApiParameters &parameters)>;
    void setKeptSource(KeptSource source) { m_keptSource = std::move(source); }
    void callWebService(const QString &method, const ApiParameters &parameters, ApiCompletion done);

    // A gateway call whose answer may be large: the answer is evaluated and `read` builds its records on a
    // worker thread (so `read` must touch nothing but its argument); `done` then runs on the main thread
    // with both, bound to `context` (dropped once it has gone). The status `done` gets holds an empty
    // document in place of the answer's (present when the answer's was). Of the answers of `apiName` for one
    // context, an answer is dropped when one to a later call has already been delivered (unbound calls,
    // with a null context, are all delivered). A background call goes with QNetworkRequest::LowPriority.
    template <class T>
    void callGateway(const QString &apiName, const ApiParameters &parameters, QObject *context,
                     std::function<T(const ApiStatus &status)> read,
                     std::function<void(const ApiStatus &status, T records)> done, bool background = false)
    {
        quint64 sequence = 0;
        if (context) {
            const QPair<const QObject *, QString> key{context, apiName};
            // The order of a context's answers goes with the context.
            if (!m_sequences.contains(key))
                connect(context, &QObject::destroyed, this, [this, key] { m_sequences.remove(key); });
            sequence = m_sequences[key].next();
        }
        const AnswerKeeper keep = keeperFor(apiName, parameters);
        const KeptReader keptReader = keptFor(apiName, parameters);
        sendGateway(apiName, parameters, BodyStyle::Indented, [=, this, guard = CallerGuard(context)](const RawResponse &response) {
            QtConcurrent::run([response, read, keptReader, kept = bool(keep)] {
                ApiStatus status = evaluate(response);
                if (status.unreachable && keptReader) {
                    ApiStatus offline = offlineAnswer(keptReader, std::move(status));
                    T records = read(offline);
                    if (offline.returnJson)
                        offline.returnJson = QJsonDocument();
                    return std::tuple<ApiStatus, T, std::optional<QJsonDocument>>(std::move(offline), std::move(records),
                                                                                  std::nullopt);
                }
                T records = read(status);
                // Let go here, not on the main thread: `done` has the records. A keeper takes what it
                // keeps of the document and hands it on, so the main thread frees little of it.
                std::optional<QJsonDocument> document;
                if (status.returnJson && kept)
                    document = status.returnJson;
                if (status.returnJson)
                    status.returnJson = QJsonDocument();
                return std::tuple<ApiStatus, T, std::optional<QJsonDocument>>(std::move(status), std::move(records),
                                                                              std::move(document));
            }).then(this, [=, this](std::tuple<ApiStatus, T, std::optional<QJsonDocument>> answer) {
                if (keep && !std::get<0>(answer).keptAt) {
                    ApiStatus whole = std::get<0>(answer);
                    whole.returnJson = std::move(std::get<2>(answer));
                    keep(whole);
                }
                if (std::get<0>(answer).keptAt)
                    emit keptAnswerServed(std::get<0>(answer).keptAt);
                if (!guard.alive() || (context && !m_sequences[{context, apiName}].take(sequence)))
                    return;
                if (done)
                    done(std::get<0>(answer), std::move(std::get<1>(answer)));
            });
        }, background);
    }

    // Asks for the information list of `kind` ("inco1List" …) and returns at once. `done` runs on the
    // main thread with a success exactly when the answer is "returnCode" "00" and holds the kind's list
    // member as an array, together with the whole answer text (empty on failure); a failure carries the
    // message to show (the server's, or the client's fixed text).
    // A background fetch goes with QNetworkRequest::LowPriority, so that what the user asked for goes first.
    void fetchList(const QString &kind,
                   std::function<void(const ApiStatus &status, const QString &text)> done, bool background = false);
    void setListFetchSession(ListFetchSession session);
    // The member of a kind's answer that holds its list: "list" for the organisation's shipping points and
    // notice group, else the kind's own name.
    static QString listMember(const QString &kind);
    // Whether the answer of a list kind depends on the sales organisation it is asked for
    // ("getTvstzList", "getNoticeGroupUserList").
    static bool listDependsOnOrganisation(const QString &kind);
    // The name under which the answer of `kind` fetched for `vkorg` is stored: the kind itself, followed
    // by "_" and the organisation (percent-encoded) for kinds that depend on it, so that a document
    // fetched for one organisation is never read for another. Without an organisation: the kind.
    static QString listDocumentName(const QString &kind, const QString &vkorg);
    // The document name of `kind` for the session's organisation now.
    QString listDocumentName(const QString &kind) const;

    // Plain JSON POST for the version check, which evaluates the answer itself.
    void postJson(const QUrl &url, const QByteArray &body, std::function<void(const RawResponse &)> done);

    // Shared evaluation of a gateway / web-service answer.
    static ApiStatus evaluate(const RawResponse &response);

    // Writes the " request:" and " response:" log lines of an exchange, each prefixed with its address.
    static void logExchange(const RawResponse &response);
    // The gateway's request document: {"ApiName": apiName, "Body": the parameters as JSON text ("" when absent)}.
    static QByteArray gatewayEnvelope(const QString &apiName, const ApiParameters &parameters,
                                      BodyStyle style = BodyStyle::Indented);
    // The text form of a request value as it travels in a form-encoded body.
    static QString formValue(const QJsonValue &value);
    // The form-encoded body of the web service: every key and value percent-encoded, UTF-8.
    static QByteArray formBody(const ApiParameters &parameters);

    // Tests shorten the limits.
    void setLimits(int inactivityMs, int totalMs);
    QNetworkAccessManager *network() const { return m_network; }

signals:
    // A gateway call got an answer of any kind / got none (the connection failed or timed out).
    void gatewayAnswered();
    void gatewayUnreachable();
    // A caller got the answer kept for working offline, received at `receivedAt` (ms since 1970, UTC).
    void keptAnswerServed(qint64 receivedAt);

private:
    // Sends a gateway envelope; `answered` gets the raw answer on the main thread.
    void sendGateway(const QString &apiName, const ApiParameters &parameters, BodyStyle style,
                     std::function<void(const RawResponse &)> answered, bool background = false);
    // Sends one POST on `network` with both limits; `done` runs on the thread that owns `network`.
    static void send(QNetworkAccessManager *network, QNetworkRequest request, const QByteArray &body,
                     int inactivityMs, int totalMs, std::function<void(const RawResponse &)> done);
    ApiParameters listParameters(const QString &kind, const QString &vkorg) const;
    AnswerKeeper keeperFor(const QString &apiName, const ApiParameters &parameters) const
    {
        return m_recorder ? m_recorder(apiName, parameters) : AnswerKeeper();
    }
    KeptReader keptFor(const QString &apiName, const ApiParameters &parameters) const
    {
        return m_keptSource ? m_keptSource(apiName, parameters) : KeptReader();
    }
    // In place of `failure` (no answer came): the answer `kept` gives, as a success marked unreachable,
    // or, when nothing is kept, the failure saying so.
    static ApiStatus offlineAnswer(const KeptReader &kept, ApiStatus failure);
    // `answered`, after telling whether the gateway answered.
    std::function<void(const RawResponse &)> watched(std::function<void(const RawResponse &)> answered);
    QString sessionVkorg() const;

    QNetworkAccessManager *m_network;
    ListFetchSession m_session;
    AnswerRecorder m_recorder;
    KeptSource m_keptSource;
    int m_inactivityMs = kInactivityLimitMs;
    int m_totalMs = kTotalLimitMs;
    QHash<QPair<const QObject *, QString>, AnswerSequence> m_sequences; // by context and operation
};
