#include "model/SubmissionGuard.h"

#include "services/LogRedaction.h"
#include "services/Operations.h"
#include "text/Localizer.h"

#include <QDateTime>
#include <QJsonDocument>

Q_LOGGING_CATEGORY(lcOrder, "zelk.order", QtWarningMsg)

namespace {
double systemSeconds() { return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0; }
} // namespace

SubmissionGuard::SubmissionGuard(Operations &operations, std::function<double()> clock)
    : m_operations(operations)
{
    setClock(std::move(clock));
}

void SubmissionGuard::setClock(std::function<double()> clock)
{
    m_clock = clock ? std::move(clock) : std::function<double()>(systemSeconds);
}

void SubmissionGuard::eipOrder2(const QJsonObject &parameters, ApiCompletion done)
{
    qCDebug(lcOrder).noquote() << "parameters:"
                               << LogRedaction::redact(QString::fromUtf8(QJsonDocument(parameters).toJson()));
    if (m_orderTimeLimitActive) {
        if (now() - m_lastOrderTime > kLimitSeconds) {
            m_orderTimeLimitActive = false;
        } else {
            ApiStatus refused;
            refused.isSuccess = false;
            refused.returnCode = QStringLiteral("ORDER_TIME_LIMIT");
            refused.message = localized(QStringLiteral(
                "下單時間過於靠近，之前的下單正在處理中，請稍待片刻並確認本次下單是否成功。"));
            if (done)
                done(refused);
            return;
        }
    }
    qCDebug(lcOrder).noquote() << "eipOrder2Api jsonString:"
                               << LogRedaction::redact(
                                      QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact)));
    m_lastOrderTime = now();
    m_operations.ZSD_CREATE_EIP_ORDER2(parameters, [this, done = std::move(done)](const ApiStatus &status) {
        m_orderTimeLimitActive = !status.isSuccess;
        m_lastOrderTime = now();
        if (done)
            done(status);
    });
}
