#pragma once
// The uniform result of every gateway and web-service call, and the shared service types.
#include <QJsonDocument>
#include <QJsonObject>
#include "services/CallerGuard.h"

#include <QString>

#include <functional>
#include <optional>

struct ApiStatus {
    bool isSuccess = false;      // true exactly when the server answered "returnCode" "00"
    QString returnCode;          // the server's code, "9999" for client-made results, "ORDER_TIME_LIMIT"
    QString message;             // the server's message or a localised fixed client text
    std::optional<QJsonDocument> returnJson; // the parsed answer, absent after transport/parse failures
    bool unreachable = false;    // no answer came at all: the connection failed or timed out
    qint64 keptAt = 0;           // not 0: the gateway could not be reached, and this is the answer kept for
                                 // working offline, received then (ms since 1970, UTC)

    // A result made by the client itself: code "9999", not a success.
    static ApiStatus clientFailure(const QString &message, std::optional<QJsonDocument> json = std::nullopt)
    {
        return ApiStatus{false, QStringLiteral("9999"), message, std::move(json)};
    }
};

// Parameters of a remote operation: a JSON object, or absent (the gateway then sends "Body" as "").
using ApiParameters = std::optional<QJsonObject>;

// Completion of a gateway / web-service call; always invoked on the main thread.
using ApiCompletion = std::function<void(const ApiStatus &)>;

// `done` bound to `context`, as QObject::connect binds a slot to its receiver: dropped once the context
// has gone, so a completion may use its screen without a guard of its own. A null context binds nothing.
inline ApiCompletion whileAlive(QObject *context, ApiCompletion done)
{
    if (!context || !done)
        return done;
    return [guard = CallerGuard(context), done = std::move(done)](const ApiStatus &status) {
        if (guard.alive())
            done(status);
    };
}
