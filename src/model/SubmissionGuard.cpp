#include "model/SubmissionGuard.h"

#include "model/OrderDraft.h"
#include "services/LogRedaction.h"
#include "services/Operations.h"
#include "text/Localizer.h"

#include <QDateTime>
#include <QJsonDocument>

#include <cmath>

Q_LOGGING_CATEGORY(lcOrder, "zelk.order", QtWarningMsg)

namespace {
double systemSeconds() { return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0; }
} // namespace

SubmissionGuard::SubmissionGuard(Operations &operations, OrderDraft &draft, std::function<double()> clock)
    : m_operations(operations), m_draft(draft)
{
    setClock(std::move(clock));
}

void SubmissionGuard::setClock(std::function<double()> clock)
{
    m_clock = clock ? std::move(clock) : std::function<double()>(systemSeconds);
}

bool SubmissionGuard::orderTimeLimitActive() const
{
    const std::optional<double> failedAt = m_draft.failedSubmissionAt();
    // Either way: a clock set back by more than the limit must not refuse every order for as long.
    return failedAt && std::abs(now() - *failedAt) <= kLimitSeconds;
}

double SubmissionGuard::secondsLeft() const
{
    if (!orderTimeLimitActive())
        return 0;
    // Also after a clock set back: the guard allows again once the time since the failure exceeds the limit.
    return kLimitSeconds - (now() - *m_draft.failedSubmissionAt());
}

void SubmissionGuard::eipOrder2(const QJsonObject &parameters, ApiCompletion done, const std::function<void()> &sending)
{
    qCDebug(lcOrder).noquote() << "parameters:"
                               << LogRedaction::redact(QString::fromUtf8(QJsonDocument(parameters).toJson()));
    if (orderTimeLimitActive()) {
        ApiStatus refused;
        refused.isSuccess = false;
        refused.returnCode = QStringLiteral("ORDER_TIME_LIMIT");
        refused.message = localized(QT_TRANSLATE_NOOP("Zelk",
            "下單時間過於靠近，之前的下單正在處理中，請稍待片刻並確認本次下單是否成功。"));
        if (done)
            done(refused);
        return;
    }
    m_draft.setFailedSubmissionAt(std::nullopt);
    qCDebug(lcOrder).noquote() << "eipOrder2Api jsonString:"
                               << LogRedaction::redact(
                                      QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact)));
    if (sending)
        sending();
    m_operations.ZSD_CREATE_EIP_ORDER2(parameters, [this, done = std::move(done)](const ApiStatus &status) {
        m_draft.setFailedSubmissionAt(status.isSuccess ? std::nullopt : std::optional<double>(now()));
        if (done)
            done(status);
    });
}
