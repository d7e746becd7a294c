#pragma once
// The order submission (ZSD_CREATE_EIP_ORDER2) with its guard: after an answer that was not a success,
// a new submission within the following 60 seconds is refused without contacting the server, because
// the earlier one may still be processed and would otherwise be ordered twice.
// One per process (held by the app context), touched on the main thread only.
#include "services/ServiceTypes.h"

#include <QJsonObject>
#include <QLoggingCategory>

#include <functional>

class Operations;

Q_DECLARE_LOGGING_CATEGORY(lcOrder)

class SubmissionGuard
{
public:
    static constexpr double kLimitSeconds = 60;

    // `clock` gives the current time in seconds since 1970; the system clock when empty.
    explicit SubmissionGuard(Operations &operations, std::function<double()> clock = {});

    // Sends the parameters (compact JSON body). Within the limit after an unsuccessful answer, `done`
    // gets at once the result "ORDER_TIME_LIMIT" and nothing is sent. Otherwise `done` gets the
    // evaluated answer on the main thread, after the guard has recorded it.
    void eipOrder2(const QJsonObject &parameters, ApiCompletion done);

    bool orderTimeLimitActive() const { return m_orderTimeLimitActive; }
    double lastOrderTime() const { return m_lastOrderTime; }

    void setClock(std::function<double()> clock);
    double now() const { return m_clock(); }

private:
    Operations &m_operations;
    std::function<double()> m_clock;
    bool m_orderTimeLimitActive = false;
    double m_lastOrderTime = 0;
};
