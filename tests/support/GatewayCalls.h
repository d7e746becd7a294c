#pragma once
// Remote calls waited for: a call through the real service client until its completion runs, and one
// plain HTTP exchange.
#include "services/ServiceTypes.h"

#include <QJsonObject>

#include <functional>

// Starts a call and waits (events running) until its completion; a call that never completes gives a
// failure with code "TIMEOUT".
ApiStatus waitFor(const std::function<void(ApiCompletion)> &start, int timeoutMs = 25000);
// The answer document of a call (empty when there was none).
QJsonObject answerOf(const ApiStatus &status);

// One plain HTTP exchange, waited for: the status (0 when none came) and the body.
struct HttpAnswer {
    int status = 0;
    QByteArray body;
    QJsonObject json() const;
};
HttpAnswer httpCall(const QString &url, const QByteArray &verb = "POST", const QByteArray &body = {},
                    const QByteArray &contentType = "application/json");
