#include "ExpectedJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace zelktest {
namespace {

QString show(const QJsonValue &value)
{
    if (value.isObject() || value.isArray()) {
        const QJsonDocument doc = value.isObject() ? QJsonDocument(value.toObject()) : QJsonDocument(value.toArray());
        return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
    }
    // A scalar shown as JSON: wrapped in an array and unwrapped again.
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

void diff(const QJsonValue &expected, const QJsonValue &actual, const QString &path, QStringList &lines)
{
    const QString at = path.isEmpty() ? QStringLiteral("/") : path;
    if (expected.isObject() && actual.isObject()) {
        const QJsonObject e = expected.toObject(), a = actual.toObject();
        for (auto it = e.begin(); it != e.end(); ++it) {
            if (!a.contains(it.key()))
                lines << QStringLiteral("%1/%2: missing, expected %3").arg(path, it.key(), show(it.value()));
            else
                diff(it.value(), a.value(it.key()), path + QLatin1Char('/') + it.key(), lines);
        }
        for (auto it = a.begin(); it != a.end(); ++it)
            if (!e.contains(it.key()))
                lines << QStringLiteral("%1/%2: extra, got %3").arg(path, it.key(), show(it.value()));
    } else if (expected.isArray() && actual.isArray()) {
        const QJsonArray e = expected.toArray(), a = actual.toArray();
        for (qsizetype i = 0; i < qMax(e.size(), a.size()); ++i) {
            const QString item = path + QLatin1Char('/') + QString::number(i);
            if (i >= a.size())
                lines << QStringLiteral("%1: missing, expected %2").arg(item, show(e.at(i)));
            else if (i >= e.size())
                lines << QStringLiteral("%1: extra, got %2").arg(item, show(a.at(i)));
            else
                diff(e.at(i), a.at(i), item, lines);
        }
    } else if (expected != actual) {
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

QByteArray format(const QJsonValue &value)
{
    return value.isObject() ? QJsonDocument(value.toObject()).toJson(QJsonDocument::Indented)
                            : QJsonDocument(value.toArray()).toJson(QJsonDocument::Indented);
}

bool recording()
{
    const QByteArray flag = qgetenv("ZELK_RECORD_FIXTURES");
    return !flag.isEmpty() && flag != "0";
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

bool matchesFixture(const QString &name, const QJsonValue &actual, QString *report, const QJsonObject &vars)
{
    const QByteArray sourceDir = qgetenv("ZELK_TEST_SOURCE_DIR");
    if (sourceDir.isEmpty()) {
        *report = QStringLiteral("ZELK_TEST_SOURCE_DIR is not set: the fixtures cannot be found");
        return false;
    }
    if (!actual.isObject() && !actual.isArray()) {
        *report = QStringLiteral("fixture %1: only an object or an array can be compared, got %2").arg(name, show(actual));
        return false;
    }
    const QString path = QString::fromLocal8Bit(sourceDir) + QStringLiteral("/tests/data/") + name + QStringLiteral(".json");
    QJsonObject toPlaceholder, fromPlaceholder;
    for (auto it = vars.begin(); it != vars.end(); ++it) {
        fromPlaceholder.insert(QLatin1Char('$') + it.key(), it.value());
        if (it.value().isString() && !it.value().toString().isEmpty())
            toPlaceholder.insert(it.value().toString(), QJsonValue(QLatin1Char('$') + it.key()));
    }

    QFile file(path);
    QJsonValue expected;
    QString problem;
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("fixture %1 is missing").arg(path);
    } else {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
        file.close();
        if (error.error != QJsonParseError::NoError)
            problem = QStringLiteral("fixture %1 is not JSON: %2").arg(path, error.errorString());
        else
            expected = substitute(doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array()), fromPlaceholder);
    }
    if (problem.isEmpty()) {
        problem = jsonDiff(expected, actual);
        if (!problem.isEmpty())
            problem = QStringLiteral("%1 differs from the fixture %2:\n%3").arg(name, path, problem);
    }
    if (problem.isEmpty())
        return true;
    if (!recording()) {
        *report = problem + QStringLiteral("\n(ZELK_RECORD_FIXTURES=1 records the actual document; check it before committing)");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(format(substitute(actual, toPlaceholder))) < 0) {
        *report = QStringLiteral("cannot record %1: %2").arg(path, file.errorString());
        return false;
    }
    qWarning("recorded the fixture %s", qPrintable(path));
    return true;
}

} // namespace zelktest
