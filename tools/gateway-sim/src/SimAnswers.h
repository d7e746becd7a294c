#pragma once
// The request and answer helpers shared by the development gateway's operation handlers: answers in
// the gateway's envelope ("returnCode", "returnMsg"), request values read as text, numbers, dates and
// the Taipei clock of the supplier's servers.
#include <QDate>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cmath>
#include <optional>

namespace sim {


// Taiwan time: dates and times in answers are those of the supplier's servers (UTC+8, no DST).
inline constexpr qint64 kTaipeiOffsetMs = 8 * 3600 * 1000;

inline QJsonObject ok(QJsonObject data = {}, const QString &message = QStringLiteral("成功"))
{
    data.insert(QStringLiteral("returnCode"), QStringLiteral("00"));
    data.insert(QStringLiteral("returnMsg"), message);
    return data;
}

inline QJsonObject fail(const QString &code, const QString &message, QJsonObject data = {})
{
    data.insert(QStringLiteral("returnCode"), code);
    data.insert(QStringLiteral("returnMsg"), message);
    return data;
}

// A request value as text: strings as they are, numbers written plainly; anything else is empty.
inline QString str(const QJsonObject &p, const QString &key)
{
    const QJsonValue v = p.value(key);
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return {};
}

// Keys the client always sends; an absent (or null) key is reported by name.
inline std::optional<QJsonObject> missing(const QJsonObject &p, const QStringList &keys)
{
    QStringList absent;
    for (const QString &key : keys) {
        if (!p.contains(key) || p.value(key).isNull() || p.value(key).isUndefined())
            absent << key;
    }
    if (absent.isEmpty())
        return std::nullopt;
    return fail(QStringLiteral("02"), QStringLiteral("缺少參數: ") + absent.join(QStringLiteral(", ")));
}

inline std::optional<double> number(const QString &text)
{
    bool okay = false;
    const double v = text.trimmed().toDouble(&okay);
    if (!okay || !std::isfinite(v))
        return std::nullopt;
    return v;
}

inline double roundHalf(double v) { return std::round(v * 2.0) / 2.0; }

inline QString money(double v) { return QString::number(v, 'f', v == std::floor(v) ? 0 : 1); }

// "yyyy/MM/dd" (as the client sends dates) or eight digits.
inline QDate parseDate(const QString &text)
{
    QDate d = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    return d;
}

inline double dateNumber(const QDate &d) { return d.year() * 10000.0 + d.month() * 100.0 + d.day(); }

inline QDateTime taipeiToUtc(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC).addMSecs(-kTaipeiOffsetMs);
}

inline QDateTime utcToTaipeiFields(const QDateTime &utc)
{
    return utc.toUTC().addMSecs(kTaipeiOffsetMs); // read its date()/time() as Taipei wall time
}

inline QString stripZeros(QString s)
{
    while (s.startsWith(QLatin1Char('0')))
        s.remove(0, 1);
    return s;
}

} // namespace sim
