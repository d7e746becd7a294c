#pragma once
// The order submission (ZSD_CREATE_EIP_ORDER2) with its guard: after an answer that was not a success,
// a new submission within the following 60 seconds is refused without contacting the server, because
// the earlier one may still be processed and would otherwise be ordered twice. The time of that answer is
// kept in the order draft, so the guard holds across a restart. The outbox sends through the same guard:
// the server's limit is per user, so every submission of the process shares the one record.
// One per process (held by the app context), touched on the main thread only.
#include "services/ServiceTypes.h"

#include <QJsonObject>
#include <QLoggingCategory>

#include <functional>

class Operations;
class OrderDraft;

Q_DECLARE_LOGGING_CATEGORY(lcOrder)

class SubmissionGuard
{
public:
    static constexpr double kLimitSeconds = 60;

    // `clock` gives the current time in seconds since 1970; the system clock when empty.
    SubmissionGuard(Operations &operations, OrderDraft &draft, std::function<double()> clock = {});

    // Sends the parameters (compact JSON body). Within the limit after an unsuccessful answer, `done`
    // gets at once the result "ORDER_TIME_LIMIT" and nothing is sent. Otherwise `sending` runs just
    // before the request goes out, and `done` gets the evaluated answer on the main thread, after the
    // guard has recorded it.
    void eipOrder2(const QJsonObject &parameters, ApiCompletion done, const std::function<void()> &sending = {});

    bool orderTimeLimitActive() const;
    // How long the guard still refuses a submission: 0 when it would send now.
    double secondsLeft() const;

    void setClock(std::function<double()> clock);
    double now() const { return m_clock(); }

private:
    Operations &m_operations;
    OrderDraft &m_draft;
    std::function<double()> m_clock;
};
