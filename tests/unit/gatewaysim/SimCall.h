#pragma once
// Runs one remote call through the real service client and waits for its completion.
#include "services/ServiceTypes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>
#include <optional>

inline ApiStatus waitFor(const std::function<void(ApiCompletion)> &start, int timeoutMs = 25000)
{
    std::optional<ApiStatus> result;
    start([&](const ApiStatus &status) { result = status; });
    (void)QTest::qWaitFor([&] { return result.has_value(); }, timeoutMs);
    return result.value_or(ApiStatus{false, QStringLiteral("TIMEOUT"), QStringLiteral("no completion"), std::nullopt});
}

inline QJsonObject answerOf(const ApiStatus &status)
{
    return status.returnJson ? status.returnJson->object() : QJsonObject();
}
