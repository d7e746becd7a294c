#include "services/VersionCheck.h"

#include "services/LogRedaction.h"
#include "services/ServiceClient.h"

#include <QDateTime>
#include <QJsonObject>
#include <QJsonParseError>
#include <QPointer>

VersionCheck::VersionCheck(ServiceClient &client, QObject *parent)
    : QObject(parent), m_client(client), m_versionText(QStringLiteral(ZELK_APP_VERSION)),
      m_now([] { return QDateTime::currentMSecsSinceEpoch() / 1000.0; })
{
}

void VersionCheck::checkForUpdate()
{
    if (m_now() - m_lastCheckTime > kThrottleSeconds)
        sendRequest();
    if (m_updateState == UpdateState::None) {
        m_updateAlertShown = false;
        return;
    }
    if (m_updateState == UpdateState::Optional && m_updateAlertShown)
        return;
    if (!showUpdateAlert)
        return; // nobody can show it yet; the next trigger tries again
    showUpdateAlert(m_updateNote, m_updateState == UpdateState::Optional);
    m_updateAlertShown = true;
}

void VersionCheck::sendRequest()
{
    // The throttle counts from the request sent, not from its answer.
    m_lastCheckTime = m_now();
    QString version = m_versionText;
    version.remove(QStringLiteral("UAT "));
    const QJsonObject parameters{{QStringLiteral("osType"), QStringLiteral("0")},
                                 {QStringLiteral("versionNo"), version},
                                 {QStringLiteral("sourceId"), QStringLiteral("ZELK_PROD")}};
    const QByteArray body = QJsonDocument(parameters).toJson(QJsonDocument::Compact);
    qCDebug(lcServices).noquote() << QStringLiteral("parameters:") << LogRedaction::redact(QString::fromUtf8(body));
    QPointer<VersionCheck> self(this);
    m_client.postJson(ServiceClient::versionCheckUrl(), body, [self](const RawResponse &response) {
        if (self)
            self->apply(evaluate(response));
    });
}

VersionCheck::Result VersionCheck::evaluate(const RawResponse &response)
{
    const QString address = response.url.toString();
    ServiceClient::logExchange(response);
    auto finish = [&address](Result result) {
        qCDebug(lcServices).noquote() << address + QStringLiteral(" result:")
                                      << (result.isSuccess ? "success" : "failure") << result.message;
        return result;
    };
    if (response.transportFailed()) {
        qCDebug(lcServices).noquote() << QStringLiteral("error:") << response.transportError;
        return finish({false, QStringLiteral("9999"), QStringLiteral("無法連結伺服器"), std::nullopt});
    }
    if (!response.body || response.body->isEmpty())
        return finish({false, QStringLiteral("9999"), QStringLiteral("無回應伺服器"), std::nullopt});
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*response.body, &parseError);
    if (parseError.error != QJsonParseError::NoError || document.isNull())
        return finish({false, QStringLiteral("9999"), QStringLiteral("解析回傳錯誤"), std::nullopt});

    qCDebug(lcServices).noquote() << address + QStringLiteral(" result json:")
                                  << LogRedaction::redact(QString::fromUtf8(document.toJson(QJsonDocument::Compact)));
    const QJsonObject object = document.object();
    if (object.value(QLatin1String("returnCode")) == QJsonValue(QStringLiteral("00")))
        return finish({true, QStringLiteral("9999"), QString(), document});
    const QJsonValue message = object.value(QLatin1String("returnMessage"));
    return finish({false, QStringLiteral("9999"),
                   message.isString() ? message.toString() : QStringLiteral("未知的錯誤，請稍候再試"), document});
}

void VersionCheck::apply(const Result &result)
{
    // The update codes arrive as failures of the service's own convention.
    if (!result.isSuccess && result.json) {
        const QJsonObject object = result.json->object();
        const QJsonValue code = object.value(QLatin1String("returnCode"));
        const bool forced = code == QJsonValue(QStringLiteral("0023"));
        const bool optional = code == QJsonValue(QStringLiteral("0022"));
        if (forced || optional) {
            const QJsonObject versions = object.value(QLatin1String("versions")).toObject();
            const QJsonValue note = versions.value(QLatin1String("updateNote"));
            const QJsonValue address = versions.value(QLatin1String("updateUrl"));
            std::optional<QUrl> url;
            if (address.isString()) {
                const QUrl parsed(address.toString().trimmed(), QUrl::StrictMode);
                if (isUpdatePageAddress(parsed))
                    url = parsed;
            }
            setState(forced ? UpdateState::Forced : UpdateState::Optional, note.isString() ? note.toString() : QString(),
                     url);
            m_updateAlertShown = false;
            checkForUpdate(); // does not send again: lastCheckTime was set when this request left
            emit checkFinished();
            return;
        }
    }
    setState(UpdateState::None, QString(), std::nullopt);
    emit checkFinished();
}

void VersionCheck::setState(UpdateState state, const QString &note, const std::optional<QUrl> &url)
{
    const bool changed = state != m_updateState || note != m_updateNote || url != m_updateUrl;
    m_updateState = state;
    m_updateNote = note;
    m_updateUrl = url;
    if (changed)
        emit stateChanged();
}

bool VersionCheck::isUpdatePageAddress(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == QLatin1String("https") || scheme == QLatin1String("http")) &&
           !url.host().isEmpty();
}

bool VersionCheck::openUpdatePage()
{
    if (!m_updateUrl)
        return false;
    const bool opened = openUrl ? openUrl(*m_updateUrl) : false;
    qCDebug(lcServices).noquote() << QStringLiteral("open") << (opened ? "true" : "false");
    return opened;
}
