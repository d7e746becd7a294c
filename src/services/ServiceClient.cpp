#include "services/ServiceClient.h"

#include "services/LogRedaction.h"
#include "text/Localizer.h"

#include <QPointer>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonParseError>
#include <QJsonValue>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QMutex>
#include <QTimer>
#include <QUrlQuery>

#include <cmath>
#include <memory>
#include <utility>

Q_LOGGING_CATEGORY(lcServices, "zelk.services", QtWarningMsg)

namespace {

const char *const kCannotConnect = QT_TRANSLATE_NOOP("Zelk", "無法連結伺服器，麻煩稍後再試");
const char *const kUnparsable = QT_TRANSLATE_NOOP("Zelk", "無法解析回覆，請稍候再試");
const char *const kUnknownError = QT_TRANSLATE_NOOP("Zelk", "未知的錯誤，請稍候再試");

// The compiled base address, with scheme, host and port replaced by the environment's address when it is
// accepted. Read on every call so a test or a developer can redirect at any time.
QUrl baseUrl(const char *compiled, const char *variable)
{
    QUrl base(QString::fromUtf8(compiled));
    if (const std::optional<QUrl> replacement = ServiceClient::addressFromEnvironment(variable)) {
        base.setScheme(replacement->scheme().toLower());
        base.setHost(replacement->host());
        base.setPort(replacement->port());
    }
    return base;
}

QUrl withPath(QUrl base, const QString &path)
{
    QString prefix = base.path();
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    base.setPath(prefix + path);
    return base;
}

QString describeParameters(const ApiParameters &parameters)
{
    if (!parameters)
        return QStringLiteral("(none)");
    return LogRedaction::redact(QString::fromUtf8(QJsonDocument(*parameters).toJson(QJsonDocument::Compact)));
}

// HTTP answers with an error status still carry their body; anything else that failed is the transport's.
bool isHttpStatusError(QNetworkReply::NetworkError error)
{
    // Qt reports status 400 as ProtocolInvalidOperationError; the other protocol errors are the transport's.
    return (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError) ||
           error == QNetworkReply::ProtocolInvalidOperationError ||
           (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
}

} // namespace

ServiceClient::ServiceClient(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent), m_network(network ? network : new QNetworkAccessManager(this))
{
}

// Requests still running when the client goes away end without calling their completions: those may
// capture holders that are being destroyed with it.
ServiceClient::~ServiceClient()
{
    const auto replies = m_network->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies) {
        reply->disconnect();
        reply->abort();
    }
}

QUrl ServiceClient::gatewayUrl()
{
    return withPath(baseUrl(ZELK_GATEWAY_BASE, "ZELK_GATEWAY_URL"), QStringLiteral("/zelkgateway/api/zelkGWService"));
}

QUrl ServiceClient::webServiceUrl(const QString &method)
{
    return withPath(baseUrl(ZELK_GATEWAY_BASE, "ZELK_GATEWAY_URL"), QStringLiteral("/zelkgw/zelkapi.asmx/") + method);
}

QUrl ServiceClient::versionCheckUrl()
{
    return withPath(baseUrl(ZELK_ANALYTICS_BASE, "ZELK_ANALYTICS_URL"),
                    QStringLiteral("/clickRateGW/api/checkVersion/json"));
}

bool ServiceClient::acceptsOverride(const QUrl &url, bool releaseBuild, AddressKind kind)
{
    const QString scheme = url.scheme().toLower();
    const bool web = kind == AddressKind::http;
    const bool secure = scheme == QLatin1String(web ? "https" : "wss");
    const bool plain = scheme == QLatin1String(web ? "http" : "ws");
    const QString host = url.host();
    if (!url.isValid() || host.isEmpty() || !(secure || plain))
        return false;
    if (!releaseBuild || secure)
        return true;
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
}

bool ServiceClient::isReleaseBuild()
{
#ifdef ZELK_RELEASE
    return true;
#else
    return false;
#endif
}

std::optional<QUrl> ServiceClient::addressFromEnvironment(const char *variable, AddressKind kind)
{
    const QString value = qEnvironmentVariable(variable).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    const QUrl url(value, QUrl::StrictMode);
    if (acceptsOverride(url, isReleaseBuild(), kind))
        return url;
    // Addresses are read on every request: say it once for each value refused.
    static QMutex mutex;
    static QHash<QByteArray, QString> refused;
    const QMutexLocker lock(&mutex);
    if (std::exchange(refused[variable], value) != value) {
        const bool usable = acceptsOverride(url, false, kind);
        qCWarning(lcServices).nospace() << "ignoring " << variable << ": "
                                        << (usable ? "a release build takes only an encrypted address or one on this machine"
                                                   : "not a usable address");
    }
    return std::nullopt;
}

void ServiceClient::setLimits(int inactivityMs, int totalMs)
{
    m_inactivityMs = inactivityMs;
    m_totalMs = totalMs;
}

void ServiceClient::setListFetchSession(ListFetchSession session) { m_session = std::move(session); }

void ServiceClient::send(QNetworkAccessManager *network, QNetworkRequest request, const QByteArray &body,
                         int inactivityMs, int totalMs, std::function<void(const RawResponse &)> done)
{
    request.setTransferTimeout(inactivityMs);
    QNetworkReply *reply = network->post(request, body);

    // Qt limits only inactivity; the whole exchange is limited by a precise timer that aborts the reply.
    auto *totalLimit = new QTimer(reply);
    totalLimit->setSingleShot(true);
    totalLimit->setTimerType(Qt::PreciseTimer);
    auto timedOut = std::make_shared<bool>(false);
    QObject::connect(totalLimit, &QTimer::timeout, reply, [reply, timedOut] {
        *timedOut = true;
        reply->abort();
    });
    totalLimit->start(totalMs);

    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, totalLimit, timedOut, totalMs, body, done = std::move(done)] {
        totalLimit->stop();
        RawResponse response;
        response.url = reply->request().url();
        response.requestBody = body;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        response.httpStatus = status.isValid() ? status.toInt() : 0;
        response.headers = reply->rawHeaderPairs();
        const QByteArray bytes = reply->isOpen() ? reply->readAll() : QByteArray(); // closed after an abort
        const QNetworkReply::NetworkError error = reply->error();
        // Qt's HTTP stack may take a connection closed in the middle of a body for the end of it, depending
        // on the order in which it sees the last bytes and the close: an answer shorter than its announced
        // length is a lost connection, never an answer. (Qt drops the announced length of a compressed
        // answer, which counts the compressed bytes, once it has decompressed it.)
        const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
        if (*timedOut) {
            response.transportError = QStringLiteral("no complete answer within %1 ms").arg(totalMs);
        } else if (error != QNetworkReply::NoError && !(status.isValid() && isHttpStatusError(error))) {
            response.transportError = reply->errorString();
            if (response.transportError.isEmpty())
                response.transportError = QStringLiteral("network error %1").arg(int(error));
        } else if (announced.isValid() && bytes.size() < announced.toLongLong()) {
            response.transportError =
                QStringLiteral("answer broken off after %1 of %2 bytes").arg(bytes.size()).arg(announced.toLongLong());
        }
        if (!response.transportFailed() || !bytes.isEmpty())
            response.body = bytes;
        reply->deleteLater();
        done(response);
    });
}

void ServiceClient::logExchange(const RawResponse &response)
{
    const QString address = response.url.toString();
    qCDebug(lcServices).noquote() << address + QStringLiteral(" request:") << "POST"
                                  << LogRedaction::redact(QString::fromUtf8(response.requestBody));
    if (response.httpStatus == 0) {
        qCDebug(lcServices).noquote() << address + QStringLiteral(" response:") << "(none)";
    } else {
        QStringList headers;
        for (const auto &header : response.headers)
            headers << QString::fromLatin1(header.first + ": " + header.second);
        qCDebug(lcServices).noquote() << address + QStringLiteral(" response:") << response.httpStatus
                                      << LogRedaction::redact(headers.join(QStringLiteral("; ")));
    }
}

ApiStatus ServiceClient::evaluate(const RawResponse &response)
{
    const QString address = response.url.toString();
    logExchange(response);
    auto finish = [&address](ApiStatus status) {
        qCDebug(lcServices).noquote() << address + QStringLiteral(" result:")
                                      << (status.isSuccess ? "success" : "failure") << status.returnCode
                                      << LogRedaction::redact(status.message);
        return status;
    };

    if (response.transportFailed()) {
        qCDebug(lcServices).noquote() << QStringLiteral("error:") << response.transportError;
        ApiStatus status = ApiStatus::clientFailure(localized(QString::fromUtf8(kCannotConnect)));
        status.unreachable = true;
        return finish(status);
    }
    if (!response.body || response.body->isEmpty())
        return finish(ApiStatus::clientFailure(localized(QString::fromUtf8(kUnparsable))));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*response.body, &parseError);
    if (parseError.error != QJsonParseError::NoError || document.isNull())
        return finish(ApiStatus::clientFailure(localized(QString::fromUtf8(kUnparsable))));

    qCDebug(lcServices).noquote() << address + QStringLiteral(" result json:")
                                  << LogRedaction::redact(QString::fromUtf8(document.toJson(QJsonDocument::Compact)));
    const QJsonObject object = document.object(); // an array has no members: no "returnCode"
    const QJsonValue code = object.value(QLatin1String("returnCode"));
    if (!code.isString())
        return finish(ApiStatus::clientFailure(localized(QString::fromUtf8(kUnknownError)), document));
    // "returnMsg" wins whenever the member exists, even when its value is not usable.
    const QLatin1String messageKey = object.contains(QLatin1String("returnMsg")) ? QLatin1String("returnMsg")
                                                                                 : QLatin1String("returnMessage");
    const QJsonValue message = object.value(messageKey);
    if (!message.isString())
        return finish(ApiStatus::clientFailure(localized(QString::fromUtf8(kUnknownError)), document));

    const QString returnCode = code.toString();
    return finish(ApiStatus{returnCode == QLatin1String("00"), returnCode, message.toString(), document});
}

void ServiceClient::sendGateway(const QString &apiName, const ApiParameters &parameters, BodyStyle style,
                                std::function<void(const RawResponse &)> answered, bool background)
{
    qCDebug(lcServices).noquote() << QStringLiteral("parameters:") << describeParameters(parameters);
    QNetworkRequest request(gatewayUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (background)
        request.setPriority(QNetworkRequest::LowPriority);
    send(m_network, request, gatewayEnvelope(apiName, parameters, style), m_inactivityMs, m_totalMs,
         watched(std::move(answered)));
}

std::function<void(const RawResponse &)> ServiceClient::watched(std::function<void(const RawResponse &)> answered)
{
    return [self = QPointer<ServiceClient>(this), answered = std::move(answered)](const RawResponse &response) {
        if (self) {
            if (response.transportFailed())
                emit self->gatewayUnreachable();
            else
                emit self->gatewayAnswered();
        }
        answered(response);
    };
}

ApiStatus ServiceClient::offlineAnswer(const KeptReader &kept, ApiStatus failure)
{
    if (std::optional<ApiStatus> status = kept()) {
        status->isSuccess = true;
        status->returnCode = QStringLiteral("00");
        status->unreachable = true;
        return *status;
    }
    // Said plainly: what the screen needs was never received while connected.
    failure.message = localized(QT_TRANSLATE_NOOP("Zelk", "目前無法連線，且尚無離線資料（需先在連線時開啟過一次）"));
    return failure;
}

void ServiceClient::callGateway(const QString &apiName, const ApiParameters &parameters, ApiCompletion done,
                                BodyStyle style)
{
    sendGateway(apiName, parameters, style, [this, keep = keeperFor(apiName, parameters), kept = keptFor(apiName, parameters),
                                             done = std::move(done)](const RawResponse &response) {
        const ApiStatus status = evaluate(response);
        if (status.unreachable && kept) {
            // Read off the main thread: a kept answer can be a long list.
            QtConcurrent::run([kept, status] { return offlineAnswer(kept, status); })
                .then(this, [this, done](const ApiStatus &answer) {
                    if (answer.keptAt)
                        emit keptAnswerServed(answer.keptAt);
                    if (done)
                        done(answer);
                });
            return;
        }
        if (keep)
            keep(status);
        if (done)
            done(status);
    });
}

QByteArray ServiceClient::gatewayEnvelope(const QString &apiName, const ApiParameters &parameters, BodyStyle style)
{
    const QString bodyText =
        parameters ? QString::fromUtf8(QJsonDocument(*parameters).toJson(
                         style == BodyStyle::Compact ? QJsonDocument::Compact : QJsonDocument::Indented))
                   : QString();
    const QJsonObject envelope{{QStringLiteral("ApiName"), apiName}, {QStringLiteral("Body"), bodyText}};
    return QJsonDocument(envelope).toJson(QJsonDocument::Compact);
}

QString ServiceClient::formValue(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (std::trunc(number) == number && std::abs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case QJsonValue::Array:
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return QString();
}

QByteArray ServiceClient::formBody(const ApiParameters &parameters)
{
    // QUrlQuery leaves '+' as it is, which a form decoder reads as a space; so every key and value is
    // percent-encoded here (everything but unreserved characters) and QUrlQuery only joins the pairs.
    QUrlQuery query;
    if (parameters) {
        for (auto it = parameters->begin(); it != parameters->end(); ++it) {
            query.addQueryItem(QString::fromLatin1(QUrl::toPercentEncoding(it.key())),
                               QString::fromLatin1(QUrl::toPercentEncoding(formValue(it.value()))));
        }
    }
    return query.query(QUrl::FullyEncoded).toLatin1();
}

void ServiceClient::callWebService(const QString &method, const ApiParameters &parameters, ApiCompletion done)
{
    qCDebug(lcServices).noquote() << QStringLiteral("parameters:") << describeParameters(parameters);
    QNetworkRequest request(webServiceUrl(method));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded; charset=utf-8"));
    send(m_network, request, formBody(parameters), m_inactivityMs, m_totalMs,
         [done = std::move(done)](const RawResponse &response) {
        const ApiStatus status = evaluate(response);
        if (done)
            done(status);
    });
}

void ServiceClient::postJson(const QUrl &url, const QByteArray &body, std::function<void(const RawResponse &)> done)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    send(m_network, request, body, m_inactivityMs, m_totalMs, [done = std::move(done)](const RawResponse &response) {
        if (done)
            done(response);
    });
}

QString ServiceClient::sessionVkorg() const { return m_session.vkorg ? m_session.vkorg() : QString(); }

bool ServiceClient::listDependsOnOrganisation(const QString &kind)
{
    return kind == QLatin1String("getTvstzList") || kind == QLatin1String("getNoticeGroupUserList");
}

QString ServiceClient::listDocumentName(const QString &kind, const QString &vkorg)
{
    if (vkorg.isEmpty() || !listDependsOnOrganisation(kind))
        return kind;
    // Percent-encoded, so that an organisation code can never name a path outside the documents folder.
    return kind + QLatin1Char('_') + QString::fromLatin1(QUrl::toPercentEncoding(vkorg));
}

QString ServiceClient::listDocumentName(const QString &kind) const { return listDocumentName(kind, sessionVkorg()); }

ApiParameters ServiceClient::listParameters(const QString &kind, const QString &vkorg) const
{
    const QString userId = m_session.userId ? m_session.userId() : QString();
    QJsonObject parameters{{QStringLiteral("userID"), userId}};
    if (kind == QLatin1String("getNoticeGroupUserList"))
        parameters.insert(QStringLiteral("ngrName"), vkorg);
    else if (kind == QLatin1String("getTvstzList"))
        parameters.insert(QStringLiteral("vkorg"), vkorg);
    return parameters;
}

QString ServiceClient::listMember(const QString &kind)
{
    return listDependsOnOrganisation(kind) ? QStringLiteral("list") : kind;
}

void ServiceClient::fetchList(const QString &kind,
                              std::function<void(const ApiStatus &, const QString &)> done, bool background)
{
    const ApiParameters parameters = listParameters(kind, sessionVkorg());
    qCDebug(lcServices).noquote() << QStringLiteral("parameters:") << describeParameters(parameters);
    QNetworkRequest request(gatewayUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (background)
        request.setPriority(QNetworkRequest::LowPriority);
    const QByteArray body = gatewayEnvelope(kind, parameters, BodyStyle::Indented);
    auto answered = [kind, done = std::move(done)](const RawResponse &response) {
        ApiStatus status = evaluate(response);
        // The code alone decides, as for every list answer; a missing message does not refuse the list.
        const QJsonObject answer = status.returnJson ? status.returnJson->object() : QJsonObject();
        const bool accepted = answer.value(QLatin1String("returnCode")) == QJsonValue(QStringLiteral("00")) &&
                              answer.value(listMember(kind)).isArray();
        if (accepted) {
            status.isSuccess = true;
            status.returnCode = QStringLiteral("00");
        } else if (status.isSuccess) { // "00" without its list
            status = ApiStatus::clientFailure(localized(QString::fromUtf8(kUnknownError)), status.returnJson);
        }
        if (done)
            done(status, accepted ? QString::fromUtf8(*response.body) : QString());
    };
    send(m_network, request, body, m_inactivityMs, m_totalMs, watched(std::move(answered)));
}
