#include "QmlHarness.h"
#include "TestRegistry.h"
#include "ui/ZelkNavigationController.h"

#include <QJsonArray>
#include <QTest>

using namespace Qt::StringLiterals;

#include <algorithm>

class QmlFrameworkTest : public QObject
{
    Q_OBJECT
private slots:
    // What QmlUi's alerts, date picker and spinner say is drawn over a screen, and answers to an alert or
    // picker that come late or twice. (Tabs, the back button, pickers, lists with their footers and the
    // slide panel are drawn in the app's journeys.)
    void qmlUiIsDrawn()
    {
        QmlHarness h;
        QVERIFY(h.load());
        auto *screen = new Screen;
        screen->setTitle(u"訂單"_s);
        h.navigator().setRootScreen(new ZelkNavigationController(screen));
        h.settle();
        QCOMPARE(textOf(h, "navigationTitle"), u"訂單"_s);

        QString typed;
        Alert alert;
        alert.title = u"請輸入購買數量"_s;
        AlertTextField field;
        field.placeholder = u"數量"_s;
        field.filter = [](const QString &, const TextEdit &edit) {
            return std::all_of(edit.replacement.begin(), edit.replacement.end(), [](QChar c) { return c.isDigit(); });
        };
        alert.addField(field);
        alert.addButton(u"取消"_s, AlertButton::Style::Cancel);
        alert.addButton(AlertButton::withFields(u"確定"_s, AlertButton::Style::Default,
                                                [&](const QStringList &texts) { typed = texts.value(0); }));
        h.ui().showAlert(alert);
        h.ui().showAlert(Alert{u"next"_s, {}, {}, {}}.addButton(u"確定"_s)); // waits for the first
        QVERIFY(shown(h, "alertField_0", 3000)); // drawn once the alert has opened
        QVERIFY(h.find(u"navigationTitle"_s));    // the screen stays drawn under the alert
        // Answers and edits naming another alert than the one drawn are ignored.
        const int id = h.ui().alertId();
        QVERIFY(!h.ui().acceptsFieldEdit(id + 99, 0, u""_s, u"1"_s));
        h.ui().answerAlert(id + 99, 1, {u"9"_s});
        QQuickItem *input = h.find(u"alertField_0"_s);
        QTRY_VERIFY(input->hasActiveFocus()); // typing goes to the field without tapping it first
        for (const char c : {'1', 'a', '2', 'b'})
            QTest::keyClick(h.window(), c);
        QCOMPARE(input->property("text").toString(), u"12"_s); // letters refused by the filter
        QVERIFY(!h.screenshot(u"framework_alert"_s).isEmpty());
        QTest::keyClick(h.window(), Qt::Key_Return); // Return presses the default button "確定"
        QVERIFY(alertDrawn(h, u"next"_s));
        QCOMPARE(typed, u"12"_s);
        h.ui().answerAlert(id, 1, {u"7"_s}); // a second answer to the answered alert does nothing
        QCOMPARE(typed, u"12"_s);
        QVERIFY(alertDrawn(h, u"next"_s, u"確定"_s));

        // A picker takes only a row it has, once.
        int row = -1;
        h.ui().showPicker(Picker{u"t"_s, {"x", "y"}, 0, [&](int r) { row = r; }, {}});
        const int pickerId = h.ui().pickerId();
        h.ui().choosePickerRow(pickerId, 5);
        QCOMPARE(row, -1);
        h.ui().choosePickerRow(pickerId, 1);
        h.ui().choosePickerRow(pickerId, 0);
        QCOMPARE(row, 1);
        QTRY_VERIFY(h.ui().pickerId() == 0 && !h.find(u"pickerDone"_s));

        // The date picker's wheels turn to the preset date first, then to tapped rows; a day the month
        // does not have turns the day wheel back to the month's last day (tests/data/window/framework.json).
        const auto centred = [&](const QString &row) {
            QQuickItem *item = h.find(row);
            return item && item->parentItem()
                   && qAbs(item->y() + item->height() / 2 - item->parentItem()->height() / 2) < 1;
        };
        for (const QJsonValue &turn : windowData(u"framework/datePicker"_s).toArray()) {
            QDate chosen;
            const QDate preset = QDate::fromString(turn[u"preset"].toString(), Qt::ISODate);
            h.ui().showDatePicker(
                DatePicker{u"查詢時間"_s, preset, {}, {}, [&](const QDate &date) { chosen = date; }, {}});
            for (const QJsonValue &row : turn[u"centred"].toArray())
                QTRY_VERIFY2(centred(row.toString()), qPrintable(row.toString()));
            for (const QJsonValue &tapped : turn[u"taps"].toArray()) { // the row tapped, the row then centred
                QVERIFY(h.click(tapped[0].toString()));
                QTRY_VERIFY2(centred(tapped[1].toString()), qPrintable(tapped[1].toString()));
            }
            QVERIFY(h.click(u"datePickerDone"_s));
            QCOMPARE(chosen.toString(Qt::ISODate), turn[u"chosen"].toString());
        }

        h.ui().showSpinner(nullptr); // with the clear mask by default
        QCOMPARE(h.ui().spinnerMaskName(), u"clear"_s);
        QTRY_VERIFY(h.find(u"spinner"_s) && h.find(u"spinnerMask"_s));
        h.ui().dismissSpinner();
        QTRY_COMPARE(h.find(u"spinner"_s), nullptr);
    }
};

ZELK_TEST(QmlFrameworkTest)
#include "QmlFrameworkTest.moc"
