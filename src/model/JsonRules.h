#pragma once
// The three rules by which every record field is read from a JSON object. None of them fails: a missing
// or mistyped member gives the empty text or 0.
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1StringView>
#include <QList>
#include <QString>

// Text rule: the member's value when it is a JSON string, else the empty text (numbers are not converted).
QString readText(const QJsonObject &o, const QString &key);
QString readText(const QJsonObject &o, QLatin1StringView key);

// Strict number rule: a JSON number gives its value, a JSON boolean 1 or 0, anything else (strings
// holding digits included) 0.
double readStrictNumber(const QJsonObject &o, const QString &key);
double readStrictNumber(const QJsonObject &o, QLatin1StringView key);

// Lenient number rule: as the strict rule, and a JSON string that holds a decimal number gives that
// number. "Holds a decimal number" means the whole text, after trimming surrounding white space, is an
// optional sign, digits with an optional decimal point (or a point followed by digits) and an optional
// exponent: " 850.5 " → 850.5, "-3" → -3, ".5" → 0.5, "1e3" → 1000; "12abc", "1,000", "0x10", "nan",
// "inf" and "" give 0, as does a number too large for a double.
double readLenientNumber(const QJsonObject &o, const QString &key);
double readLenientNumber(const QJsonObject &o, QLatin1StringView key);

// The lenient rule applied to one JSON value.
double lenientNumber(const QJsonValue &value);

// Parses every element of the array under `listKey` with T::fromJson, in array order, nothing filtered.
// A missing key or a value that is not an array gives an empty list; an element that is not an object
// gives the empty record in its place.
template <class T>
QList<T> parseList(const QJsonObject &document, const QString &listKey)
{
    const QJsonValue value = document.value(listKey);
    if (!value.isArray())
        return {};
    const QJsonArray array = value.toArray();
    QList<T> records;
    records.reserve(array.size());
    for (const QJsonValue &element : array)
        records.append(T::fromJson(element.toObject()));
    return records;
}
