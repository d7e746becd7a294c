#pragma once
// Expected documents kept as data: a JSON value the test produced (a request the gateway received, an
// answer or records the app drew) is compared with tests/data/<name>.json, found through
// ZELK_TEST_SOURCE_DIR. A mismatch fails the test with the paths that differ, are missing or are extra.
// A missing file fails too; with ZELK_RECORD_FIXTURES=1 the file is written (or rewritten where it differs)
// from the actual value instead, to be read and committed by hand.
//
// Values only known at run time (an order number the gateway hands out) are named in `vars`: a fixture
// string "$name" stands for vars["name"], and recording writes "$name" wherever the value appears.
#include <QAbstractItemModel>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QTest>

namespace zelktest {

// True when `actual` equals the fixture; otherwise `report` holds the differences, one per line.
bool matchesFixture(const QString &name, const QJsonValue &actual, QString *report,
                    const QJsonObject &vars = QJsonObject());
// The differences between two documents, one line per path ("/a/0/b: expected 1, got 2"); empty if equal.
QString jsonDiff(const QJsonValue &expected, const QJsonValue &actual);
// The rows a list model gives its view, one object per row of role name -> value, only the roles in
// `roles` (every role when empty).
QJsonArray drawnRows(const QAbstractItemModel *model, const QList<QByteArray> &roles = {});

} // namespace zelktest

#define ZELK_COMPARE_FIXTURE(actual, name, ...)                                                              \
    do {                                                                                                     \
        QString zelkFixtureReport;                                                                           \
        if (!zelktest::matchesFixture(name, actual, &zelkFixtureReport __VA_OPT__(, ) __VA_ARGS__))          \
            QFAIL(qPrintable(zelkFixtureReport));                                                            \
    } while (false)
