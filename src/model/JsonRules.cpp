#include "model/JsonRules.h"

#include <QRegularExpression>

#include <cmath>

namespace {

QString textOf(const QJsonValue &v)
{
    return v.isString() ? v.toString() : QString();
}

double strictOf(const QJsonValue &v)
{
    if (v.isDouble())
        return v.toDouble();
    if (v.isBool())
        return v.toBool() ? 1.0 : 0.0;
    return 0.0;
}

} // namespace

QString readText(const QJsonObject &o, const QString &key)
{
    return textOf(o.value(key));
}

QString readText(const QJsonObject &o, QLatin1StringView key)
{
    return textOf(o.value(key));
}

double readStrictNumber(const QJsonObject &o, const QString &key)
{
    return strictOf(o.value(key));
}

double readStrictNumber(const QJsonObject &o, QLatin1StringView key)
{
    return strictOf(o.value(key));
}

double lenientNumber(const QJsonValue &value)
{
    if (!value.isString())
        return strictOf(value);
    // Only plain decimal notation is taken; QString::toDouble alone would also accept "inf" and "nan".
    static const QRegularExpression decimal(
        QStringLiteral("\\A[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?\\z"));
    const QString text = value.toString().trimmed();
    if (!decimal.match(text).hasMatch())
        return 0.0;
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && std::isfinite(number) ? number : 0.0;
}

double readLenientNumber(const QJsonObject &o, const QString &key)
{
    return lenientNumber(o.value(key));
}

double readLenientNumber(const QJsonObject &o, QLatin1StringView key)
{
    return lenientNumber(o.value(key));
}
