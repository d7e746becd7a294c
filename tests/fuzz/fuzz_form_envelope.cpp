// Request encoding round-trips: the web service's form body decodes (with the development gateway's form
// decoder) to exactly the parameters' form values, and the gateway envelope parses back to its ApiName
// and a "Body" text that parses back to the parameters. Both, passed through the log redaction, keep every
// member but the password (and keychain) members, whose values read "***".
#include "FuzzCheck.h"

#include "SimHttp.h"
#include "services/LogRedaction.h"
#include "services/ServiceClient.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace {

QString fuzzString(FuzzedDataProvider &in)
{
    // UTF-8 from the input; arbitrary bytes turn into replacement characters, as they would from the wire.
    return QString::fromStdString(in.ConsumeRandomLengthString(24));
}

QJsonValue fuzzValue(FuzzedDataProvider &in, int depth)
{
    switch (in.ConsumeIntegralInRange(0, depth > 1 ? 3 : 5)) {
    case 0: return fuzzString(in);
    case 1: return in.ConsumeBool();
    case 2: {
        const double d = in.ConsumeFloatingPoint<double>();
        return std::isfinite(d) ? QJsonValue(d) : QJsonValue(double(in.ConsumeIntegral<int32_t>()));
    }
    case 3: return QJsonValue(double(in.ConsumeIntegral<int32_t>()));
    case 4: {
        QJsonArray array;
        const int n = in.ConsumeIntegralInRange(0, 3);
        for (int i = 0; i < n; ++i)
            array.append(fuzzValue(in, depth + 1));
        return array;
    }
    default: {
        QJsonObject object;
        const int n = in.ConsumeIntegralInRange(0, 3);
        for (int i = 0; i < n; ++i)
            object.insert(fuzzString(in), fuzzValue(in, depth + 1));
        return object;
    }
    }
}

const QStringList kKeychainKeys{QStringLiteral("userID"), QStringLiteral("userName"), QStringLiteral("userAccount"),
                                QStringLiteral("user_name"), QStringLiteral("pushToken"), QStringLiteral("token")};

// A text that names a secret member somewhere (the redaction may then mask part of it).
bool mentionsPassword(const QString &text)
{
    return text.contains(QLatin1String("password"), Qt::CaseInsensitive) ||
           std::any_of(kKeychainKeys.begin(), kKeychainKeys.end(),
                       [&](const QString &key) { return text.contains(key, Qt::CaseInsensitive); });
}

// The members whose values the log must not show: passwords and what the keychain holds (names made of
// letters, digits and '_').
bool isPasswordKey(const QString &key)
{
    const auto nameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    return std::all_of(key.begin(), key.end(), nameChar) &&
           (key.endsWith(QLatin1String("password"), Qt::CaseInsensitive) ||
            kKeychainKeys.contains(key, Qt::CaseInsensitive));
}

// Same members and values. (QJsonObject's == compares members in stored order, and Qt 6.4 orders keys
// with characters outside the BMP differently when inserting and when parsing.)
bool sameMembers(const QJsonObject &a, const QJsonObject &b) { return a.toVariantMap() == b.toVariantMap(); }

} // namespace

void fuzzOne(FuzzedDataProvider &in)
{
    const QString apiName = fuzzString(in);
    ApiParameters parameters;
    if (in.ConsumeBool()) {
        QJsonObject object;
        const int n = in.ConsumeIntegralInRange(0, 6);
        for (int i = 0; i < n; ++i)
            object.insert(fuzzString(in), fuzzValue(in, 0));
        // Many inputs carry the secret members the redaction must mask.
        if (in.ConsumeBool()) {
            object.insert(QStringLiteral("password"), fuzzString(in));
            object.insert(QStringLiteral("newPassword"), fuzzString(in));
            object.insert(QStringLiteral("userID"), fuzzString(in));
        }
        parameters = object;
    }
    const auto style = in.ConsumeBool() ? ServiceClient::BodyStyle::Compact : ServiceClient::BodyStyle::Indented;

    // The form body decodes to the form value of every parameter, and nothing else.
    const QByteArray form = ServiceClient::formBody(parameters);
    const QJsonObject fields = decodeFormObject(form);
    const QJsonObject given = parameters.value_or(QJsonObject());
    FUZZ_CHECK(fields.size() == given.size());
    for (auto it = given.begin(); it != given.end(); ++it)
        FUZZ_CHECK_EQUAL(fields.value(it.key()).toString(), ServiceClient::formValue(it.value()));

    // The envelope parses back to its name and parameters.
    const QByteArray envelope = ServiceClient::gatewayEnvelope(apiName, parameters, style);
    const QJsonObject outer = QJsonDocument::fromJson(envelope).object();
    FUZZ_CHECK_EQUAL(outer.value(QLatin1String("ApiName")).toString(), apiName);
    const QString body = outer.value(QLatin1String("Body")).toString();
    if (!parameters)
        FUZZ_CHECK(body.isEmpty());
    else
        FUZZ_CHECK(sameMembers(QJsonDocument::fromJson(body.toUtf8()).object(), *parameters));

    // Redacted, both keep everything but the password values. Checked when every password value is a text
    // and nothing else mentions a password (the redaction may mask such texts too), read in the JSON text
    // of the other members, which at worst finds a mention that is not there: the input is then not checked.
    QJsonObject others = given;
    bool checkable = !mentionsPassword(apiName);
    for (auto it = given.begin(); it != given.end(); ++it) {
        checkable = checkable && (!isPasswordKey(it.key()) || it.value().isString());
        if (isPasswordKey(it.key()))
            others.remove(it.key());
    }
    const QByteArray othersText = QJsonDocument(others).toJson(QJsonDocument::Compact);
    if (!checkable || mentionsPassword(QString::fromUtf8(othersText)))
        return;
    auto masked = [](QJsonObject o) {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (isPasswordKey(it.key()))
                *it = QStringLiteral("***");
        return o;
    };
    const QJsonObject redactedOuter = QJsonDocument::fromJson(LogRedaction::redact(QString::fromUtf8(envelope)).toUtf8()).object();
    FUZZ_CHECK_EQUAL(redactedOuter.value(QLatin1String("ApiName")).toString(), apiName);
    if (parameters)
        FUZZ_CHECK(sameMembers(QJsonDocument::fromJson(redactedOuter.value(QLatin1String("Body")).toString().toUtf8()).object(),
                               masked(given)));
    const QJsonObject redactedFields = decodeFormObject(LogRedaction::redact(QString::fromLatin1(form)).toLatin1());
    FUZZ_CHECK(sameMembers(redactedFields, masked(fields)));
}
