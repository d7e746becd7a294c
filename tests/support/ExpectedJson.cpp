#include "ExpectedJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace zelktest {
namespace {

// A value as compact JSON text (wrapped in an array and unwrapped again, so that scalars show too).
QString show(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

// A member or item absent on one side is undefined there (QJsonValue's [] on a missing key or index).
void diff(const QJsonValue &expected, const QJsonValue &actual, const QString &path, QStringList &lines)
{
    if (expected.isUndefined()) {
        lines << QStringLiteral("%1: extra, got %2").arg(path, show(actual));
    } else if (actual.isUndefined()) {
        lines << QStringLiteral("%1: missing, expected %2").arg(path, show(expected));
    } else if (expected.isObject() && actual.isObject()) {
        QStringList keys = expected.toObject().keys() + actual.toObject().keys();
        keys.removeDuplicates();
        for (const QString &key : keys)
            diff(expected[key], actual[key], path + QLatin1Char('/') + key, lines);
    } else if (expected.isArray() && actual.isArray()) {
        for (qsizetype i = 0; i < qMax(expected.toArray().size(), actual.toArray().size()); ++i)
            diff(expected[i], actual[i], path + QLatin1Char('/') + QString::number(i), lines);
    } else if (expected != actual) {
        const QString at = path.isEmpty() ? QStringLiteral("/") : path;
        lines << QStringLiteral("%1: expected %2, got %3").arg(at, show(expected), show(actual));
    }
}

// Replaces, throughout `value`, strings equal to a key of `from` by that key's value.
QJsonValue substitute(const QJsonValue &value, const QJsonObject &from)
{
    if (value.isObject()) {
        QJsonObject o = value.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            it.value() = substitute(it.value(), from);
        return o;
    }
    if (value.isArray()) {
        QJsonArray a = value.toArray();
        for (auto it = a.begin(); it != a.end(); ++it)
            *it = substitute(*it, from);
        return a;
    }
    return value.isString() && from.contains(value.toString()) ? from.value(value.toString()) : value;
}

// Reads fixture `name` into `content` and its path into `path`; the problem, or empty when it was read.
QString readFixture(const QString &name, QString *path, QJsonValue *content)
{
    const QByteArray sourceDir = qgetenv("ZELK_TEST_SOURCE_DIR");
    if (sourceDir.isEmpty())
        return QStringLiteral("ZELK_TEST_SOURCE_DIR is not set: the fixtures cannot be found");
    *path = QString::fromLocal8Bit(sourceDir) + QStringLiteral("/tests/data/") + name + QStringLiteral(".json");
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("fixture %1 is missing").arg(*path);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("fixture %1 is not JSON: %2").arg(*path, error.errorString());
    *content = doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array());
    return {};
}

} // namespace

QString jsonDiff(const QJsonValue &expected, const QJsonValue &actual)
{
    QStringList lines;
    diff(expected, actual, QString(), lines);
    return lines.join(QLatin1Char('\n'));
}

QJsonArray drawnRows(const QAbstractItemModel *model, const QList<QByteArray> &roles)
{
    const QHash<int, QByteArray> names = model->roleNames();
    QJsonArray rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QJsonObject drawn;
        for (auto it = names.begin(); it != names.end(); ++it)
            if (roles.isEmpty() || roles.contains(it.value()))
                drawn.insert(QString::fromUtf8(it.value()), QJsonValue::fromVariant(model->index(row, 0).data(it.key())));
        rows.append(drawn);
    }
    return rows;
}

bool addFixtureRows(const QString &name)
{
    QString path;
    QJsonValue content;
    const QString problem = readFixture(name, &path, &content);
    if (!problem.isEmpty() || !content.isObject()) {
        qWarning("%s", qPrintable(problem.isEmpty() ? path + QStringLiteral(" is not an object of rows") : problem));
        return false;
    }
    QTest::addColumn<QJsonObject>("row");
    const QJsonObject rows = content.toObject();
    for (auto it = rows.begin(); it != rows.end(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.value().toObject();
    return !rows.isEmpty();
}

bool matchesFixture(const QString &name, const QJsonValue &actual, QString *report, const QJsonObject &vars)
{
    if (!actual.isObject() && !actual.isArray()) {
        *report = QStringLiteral("fixture %1: only an object or an array can be compared, got %2").arg(name, show(actual));
        return false;
    }
    QJsonObject toPlaceholder, fromPlaceholder;
    for (auto it = vars.begin(); it != vars.end(); ++it) {
        fromPlaceholder.insert(QLatin1Char('$') + it.key(), it.value());
        if (it.value().isString() && !it.value().toString().isEmpty())
            toPlaceholder.insert(it.value().toString(), QJsonValue(QLatin1Char('$') + it.key()));
    }
    QString path;
    QJsonValue expected;
    QString problem = readFixture(name, &path, &expected);
    if (problem.isEmpty()) {
        problem = jsonDiff(substitute(expected, fromPlaceholder), actual);
        if (!problem.isEmpty())
            problem = QStringLiteral("%1 differs from the fixture %2:\n%3").arg(name, path, problem);
    }
    if (problem.isEmpty())
        return true;
    if (qEnvironmentVariableIntValue("ZELK_RECORD_FIXTURES") == 0 || path.isEmpty()) {
        *report = problem + QStringLiteral("\n(ZELK_RECORD_FIXTURES=1 records the actual document; check it before committing)");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(QJsonDocument::fromVariant(substitute(actual, toPlaceholder).toVariant()).toJson()) < 0) {
        *report = QStringLiteral("cannot record %1: %2").arg(path, file.errorString());
        return false;
    }
    qWarning("recorded the fixture %s", qPrintable(path));
    return true;
}

} // namespace zelktest
